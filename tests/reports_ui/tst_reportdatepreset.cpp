#include "reports/ReportDatePreset.h"

#include <QtTest>

class TestReportDatePreset : public QObject {
    Q_OBJECT
private slots:
    void presetsTheDatePage_data()
    {
        QTest::addColumn<QString>("reportDate");
        QTest::addColumn<bool>("startOnToday");
        QTest::addColumn<QDate>("calendarDate");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        const QDate none;
        const QDate someDay(2024, 6, 12);
        QTest::newRow("today") << "Today" << false << QDate(2019, 1, 2) << someDay << someDay << someDay;
        QTest::newRow("week across the year's end")
            << "ThisWeek" << false << QDate(2019, 1, 2) << someDay << QDate(2018, 12, 30) << QDate(2019, 1, 5);
        QTest::newRow("week starting on the Sunday chosen")
            << "ThisWeek" << false << QDate(2019, 1, 6) << someDay << QDate(2019, 1, 6) << QDate(2019, 1, 12);
        QTest::newRow("week ending on the Saturday chosen, across a leap month's end")
            << "ThisWeek" << false << QDate(2024, 3, 2) << someDay << QDate(2024, 2, 25) << QDate(2024, 3, 2);
        QTest::newRow("week from the chosen day")
            << "ThisWeek" << true << QDate(2018, 12, 28) << someDay << QDate(2018, 12, 28) << QDate(2019, 1, 3);
        QTest::newRow("month of a leap February")
            << "ThisMonth" << false << QDate(2019, 1, 2) << QDate(2024, 2, 10) << QDate(2024, 2, 1) << QDate(2024, 2, 29);
        QTest::newRow("month of a common February")
            << "ThisMonth" << true << QDate(2019, 1, 2) << QDate(2023, 2, 28) << QDate(2023, 2, 1) << QDate(2023, 2, 28);
        QTest::newRow("month of December")
            << "ThisMonth" << false << QDate(2019, 1, 2) << QDate(2023, 12, 31) << QDate(2023, 12, 1) << QDate(2023, 12, 31);
        QTest::newRow("no date") << "NoDate" << true << QDate(2019, 1, 2) << someDay << none << none;
        QTest::newRow("no setting") << "" << false << QDate(2019, 1, 2) << someDay << none << none;
        QTest::newRow("letter case counts") << "thisweek" << false << QDate(2019, 1, 2) << someDay << none << none;
    }

    void presetsTheDatePage()
    {
        QFETCH(QString, reportDate);
        QFETCH(bool, startOnToday);
        QFETCH(QDate, calendarDate);
        QFETCH(QDate, today);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const auto range = ReportDatePreset(reportDate, startOnToday).rangeFor(calendarDate, today);
        QCOMPARE(range.has_value(), from.isValid());
        if (range) {
            QCOMPARE(range->from, from);
            QCOMPARE(range->to, to);
        }
    }
};

QTEST_MAIN(TestReportDatePreset)
#include "tst_reportdatepreset.moc"
