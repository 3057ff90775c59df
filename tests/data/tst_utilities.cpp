#include "TestSupport.h"
#include "data/Utilities.h"
#include "data/dmmain.h"

#include <QtTest>

class TestUtilities : public QObject {
    Q_OBJECT
private slots:
    void monthLength_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("January") << 2023 << 1 << 31;
        QTest::newRow("April") << 2023 << 4 << 30;
        QTest::newRow("December") << 2023 << 12 << 31;
        QTest::newRow("February 2000, divisible by 400") << 2000 << 2 << 29;
        QTest::newRow("February 1900, century") << 1900 << 2 << 28;
        QTest::newRow("February 1999") << 1999 << 2 << 28;
        QTest::newRow("February 2024") << 2024 << 2 << 29;
        QTest::newRow("month 0") << 2024 << 0 << 0;
        QTest::newRow("month 13") << 2024 << 13 << 0;
    }
    void monthLength()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        QCOMPARE(MonthLength(year, month), days);
    }

    void nextDayDate_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("next");
        QTest::newRow("inside a month") << QDate(2023, 5, 14) << QDate(2023, 5, 15);
        QTest::newRow("end of a 30-day month") << QDate(2023, 4, 30) << QDate(2023, 5, 1);
        QTest::newRow("28 Feb leap year") << QDate(2000, 2, 28) << QDate(2000, 2, 29);
        QTest::newRow("29 Feb leap year") << QDate(2000, 2, 29) << QDate(2000, 3, 1);
        QTest::newRow("28 Feb common year") << QDate(1999, 2, 28) << QDate(1999, 3, 1);
        QTest::newRow("28 Feb 1900") << QDate(1900, 2, 28) << QDate(1900, 3, 1);
        QTest::newRow("31 December") << QDate(2023, 12, 31) << QDate(2024, 1, 1);
    }
    void nextDayDate()
    {
        QFETCH(QDate, day);
        QFETCH(QDate, next);
        QCOMPARE(NextDayDate(day), next);
    }

    void textToBool_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("flag");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("TRUE") << "TRUE" << true;
        QTest::newRow("tRuE") << "tRuE" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("Yes") << "Yes" << false;
        QTest::newRow("1") << "1" << false;
        QTest::newRow("padded") << " True" << false;
        QTest::newRow("False") << "False" << false;
    }
    void textToBool()
    {
        QFETCH(QString, text);
        QFETCH(bool, flag);
        QCOMPARE(TextToBool(text), flag);
    }

    void boolToTextRoundTrips()
    {
        QCOMPARE(BoolToText(true), QStringLiteral("True"));
        QCOMPARE(BoolToText(false), QStringLiteral("False"));
        QVERIFY(TextToBool(BoolToText(true)));
        QVERIFY(!TextToBool(BoolToText(false)));
    }

    void postIfModified()
    {
        TempEnvironment env;
        TdmMain1 dm;
        TTable &meals = dm.tblMeal;
        const int before = meals.recordCount();

        meals.first();
        meals.edit();
        PostIfModified(meals);
        QCOMPARE(meals.state(), DataSetState::Edit);  // an untouched edit stays pending

        meals.fieldByName("Meal").setAsString("Supper");
        PostIfModified(meals);
        QCOMPARE(meals.state(), DataSetState::Browse);
        QVERIFY(meals.locate("Meal", "Supper"));

        meals.insert();
        PostIfModified(meals);
        QCOMPARE(meals.state(), DataSetState::Insert);
        meals.cancel();
        QCOMPARE(meals.recordCount(), before);

        PostIfModified(meals);  // browse state: nothing to do
        QCOMPARE(meals.state(), DataSetState::Browse);
    }
};

QTEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
