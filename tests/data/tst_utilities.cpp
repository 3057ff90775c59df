#include "TestSupport.h"
#include "data/DateText.h"
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

    // Dates as people type them, read in the locale's order of day, month and year; two-digit
    // years fall in the fifty years before and the forty-nine after the current one.
    void typedDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<QDate>("date");
        const QDate christmas(2026, 12, 24);
        QTest::newRow("de, padded") << "de_DE" << "01.02.2027" << 2026 << QDate(2027, 2, 1);
        QTest::newRow("de, unpadded") << "de_DE" << "1.2.2027" << 2026 << QDate(2027, 2, 1);
        QTest::newRow("de, two-digit year") << "de_DE" << "24.12.26" << 2026 << christmas;
        QTest::newRow("de, trailing dot and blanks") << "de_DE" << " 24. 12. 2026 " << 2026 << christmas;
        QTest::newRow("de, ISO") << "de_DE" << "2026-12-24" << 2026 << christmas;
        QTest::newRow("de, 31 April") << "de_DE" << "31.4.2026" << 2026 << QDate();
        QTest::newRow("de, year past any number") << "de_DE" << "1.2.4294969323" << 2026 << QDate();
        QTest::newRow("fr, two-digit year") << "fr_FR" << "24/12/26" << 2026 << christmas;
        QTest::newRow("fr, unpadded") << "fr_FR" << "1/2/2027" << 2026 << QDate(2027, 2, 1);
        QTest::newRow("fr, month name") << "fr_FR" << "24 d\u00e9c. 2026" << 2026 << christmas;
        QTest::newRow("fr, ISO") << "fr_FR" << "2026-12-24" << 2026 << christmas;
        QTest::newRow("fr, month 13") << "fr_FR" << "12/13/2026" << 2026 << QDate();
        QTest::newRow("us, two-digit year") << "en_US" << "12/24/26" << 2026 << christmas;
        QTest::newRow("us, unpadded") << "en_US" << "2/1/2027" << 2026 << QDate(2027, 2, 1);
        QTest::newRow("us, padded") << "en_US" << "02/01/2027" << 2026 << QDate(2027, 2, 1);
        QTest::newRow("us, ISO") << "en_US" << "2026-12-24" << 2026 << christmas;
        QTest::newRow("us, day first is no date") << "en_US" << "24/12/2026" << 2026 << QDate();
        QTest::newRow("gb, two-digit year") << "en_GB" << "24/12/26" << 2026 << christmas;
        QTest::newRow("C, as displayed") << "C" << "24 Dec 2026" << 2026 << christmas;
        QTest::newRow("ja, year first") << "ja_JP" << "2026/12/24" << 2026 << christmas;
        QTest::newRow("three-digit year") << "de_DE" << "24.12.026" << 2026 << QDate();
        QTest::newRow("three-digit day") << "de_DE" << "024.12.2026" << 2026 << QDate();
        QTest::newRow("two parts") << "de_DE" << "24.12." << 2026 << QDate();
        QTest::newRow("four parts") << "de_DE" << "24.12.2026.1" << 2026 << QDate();
        QTest::newRow("words") << "en_US" << "next Tuesday" << 2026 << QDate();
        QTest::newRow("window, 50 back, de") << "de_DE" << "1.1.76" << 2026 << QDate(1976, 1, 1);
        QTest::newRow("window, 50 back, us") << "en_US" << "1/1/76" << 2026 << QDate(1976, 1, 1);
        QTest::newRow("window, 49 ahead, fr") << "fr_FR" << "1/1/75" << 2026 << QDate(2075, 1, 1);
        QTest::newRow("window slides with the year") << "fr_FR" << "1/1/76" << 2090 << QDate(2076, 1, 1);
        QTest::newRow("window across a century") << "fr_FR" << "1/1/39" << 2090 << QDate(2139, 1, 1);
    }
    void typedDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, currentYear);
        QFETCH(QDate, date);
        QCOMPARE(DateText::parse(text, QLocale(locale), currentYear), date);
    }

    // The date fields and the command line read in the user's locale, and store ISO text.
    void typedDateFollowsTheUsersLocale()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QDate german = DateText::parse("1.2.2027");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QDate american = DateText::parse("1.2.2027");
        QLocale::setDefault(previous);
        QCOMPARE(german, QDate(2027, 2, 1));
        QCOMPARE(american, QDate(2027, 1, 2));
        QCOMPARE(DateText::toStorage(german), QStringLiteral("2027-02-01"));
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
