#include "MainWindowFixture.h"

#include "data/DateText.h"

#include <QLocale>

class TestMealCalendar : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void assign_data();
    void assign();
    void shoveMovesTheTailAcrossTheMonthEnd();
    void shoveAndRemoveOnAnEmptyDayDoNothing();
    void remove_data();
    void remove();
    void servings_data();
    void servings();
    void monthSteps_data();
    void monthSteps();
    void todaySelectsTodaysDate();
    void captionIsEnglishAndStripUsesTheShortDate();
    void autoSelect_data();
    void autoSelect();
    void dayOfADeletedRecipe();
    void deletingTheDaysRecipeClearsTheDay();
    void showsWhatAnotherCopyStored_data();
    void showsWhatAnotherCopyStored();
    void clicks_data();
    void clicks();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
    QStringList m_ids;
};

void TestMealCalendar::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_ids = m_fixture->addRecipes(
        {{"Beef Stew", "Beef"}, {"Lasagne", "Pasta"}, {"Minestrone", "Soups"}, {"Tomato Soup", "Soups"}});
}

void TestMealCalendar::cleanup()
{
    m_fixture.reset();
}

void TestMealCalendar::assign_data()
{
    QTest::addColumn<bool>("planned");
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("empty day, tool button") << false << false;
    QTest::newRow("empty day, menu item") << false << true;
    QTest::newRow("planned day, menu item") << true << true;
}

// On a planned day the tool button is off, but the menu item replaces the day's recipe.
void TestMealCalendar::assign()
{
    QFETCH(bool, planned);
    QFETCH(bool, fromMenu);
    const QDate day(2024, 6, 12);
    if (planned)
        m_fixture->planDay(day, m_ids[0], 4);
    MainForm->Calendar1->setDate(day);
    QVERIFY(m_fixture->selectRecipe("Lasagne"));
    QCOMPARE(MainForm->btnAssign->isEnabled(), !planned);

    if (fromMenu)
        MainForm->Assign1->trigger();
    else
        MainForm->btnAssign->click();

    QCOMPARE(m_fixture->plannedOn(day), QStringList{m_ids[1]});
    const QStringList servings = m_fixture->column("SELECT \"Servings\" FROM \"DAY\"");
    QCOMPARE(servings, QStringList{planned ? "4" : ""});
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Lasagne"));
    QVERIFY(!MainForm->btnAssign->isEnabled());
    QVERIFY(MainForm->btnShoveright->isEnabled());
    QVERIFY(MainForm->btnRemove->isEnabled());
}

void TestMealCalendar::servings_data()
{
    QTest::addColumn<bool>("planned");
    QTest::addColumn<QStringList>("answers");  // typed in turn; when they run out the user cancels
    QTest::addColumn<QString>("stored");       // "-": none
    QTest::addColumn<QString>("strip");
    QTest::addColumn<int>("notices");
    QTest::newRow("a number") << true << QStringList{"6"} << "6" << " (6 servings)" << 0;
    QTest::newRow("one") << true << QStringList{" 1 "} << "1" << " (1 serving)" << 0;
    QTest::newRow("empty: as the recipe says") << true << QStringList{""} << "-" << "" << 0;
    QTest::newRow("refused, then corrected") << true << QStringList{"lots", "3"} << "3" << " (3 servings)" << 1;
    QTest::newRow("cancelled") << true << QStringList{} << "4" << " (4 servings)" << 0;
    QTest::newRow("a day without a recipe") << false << QStringList{"6"} << QString() << "" << 1;
}

// Alt+G asks for the day's servings, starting from those stored; the strip shows them.
void TestMealCalendar::servings()
{
    QFETCH(bool, planned);
    QFETCH(QStringList, answers);
    QFETCH(QString, stored);
    QFETCH(QString, strip);
    QFETCH(int, notices);
    const QDate day(2024, 6, 12);
    if (planned)
        m_fixture->planDay(day, m_ids[1], 4);
    MainForm->Calendar1->setDate(day);
    for (const QString &answer : answers)
        m_fixture->prompter().answerText({answer});

    QTest::keyClick(MainForm->focusWidget(), Qt::Key_G, Qt::AltModifier);

    QCOMPARE(m_fixture->column("SELECT coalesce(\"Servings\", '-') FROM \"DAY\""),
             planned ? QStringList{stored} : QStringList{});
    QCOMPARE(MainForm->lbServings->text(), strip);
    QCOMPARE(m_fixture->prompter().notices.size(), notices);
    const int asked = planned ? std::max(1, int(answers.size())) : 0;  // a cancel is asked too
    QCOMPARE(m_fixture->prompter().asked.size(), asked);
    if (planned)
        QVERIFY(m_fixture->prompter().asked.first().endsWith(QStringLiteral("|4")));
}

void TestMealCalendar::shoveMovesTheTailAcrossTheMonthEnd()
{
    m_fixture->planDay(QDate(2024, 4, 29), m_ids[0]);
    m_fixture->planDay(QDate(2024, 4, 30), m_ids[1], 2);
    m_fixture->planDay(QDate(2024, 5, 1), m_ids[2]);
    MainForm->Calendar1->setDate(QDate(2024, 4, 30));

    MainForm->btnShoveright->click();

    QCOMPARE(m_fixture->column("SELECT \"Date\" || ' ' || \"Recipe_ID\" || ' ' || coalesce(\"Servings\", '-') "
                               "FROM \"DAY\" ORDER BY \"Date\""),
             QStringList({"2024-04-29 1001 -", "2024-05-01 1002 2", "2024-05-02 1003 -"}));
    QCOMPARE(MainForm->lbRecipe->text(), QString());
    QVERIFY(MainForm->btnAssign->isEnabled());
    QVERIFY(!MainForm->btnShoveright->isEnabled());
}

void TestMealCalendar::shoveAndRemoveOnAnEmptyDayDoNothing()
{
    m_fixture->planDay(QDate(2024, 4, 30), m_ids[1]);
    MainForm->Calendar1->setDate(QDate(2024, 4, 29));

    MainForm->ShoveRight1->trigger();
    MainForm->Remove1->trigger();

    QCOMPARE(m_fixture->plannedOn(QDate(2024, 4, 30)), QStringList{m_ids[1]});
    QVERIFY(m_fixture->prompter().questions.isEmpty());
}

void TestMealCalendar::remove_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestMealCalendar::remove()
{
    QFETCH(bool, yes);
    const QDate day(2024, 2, 29);
    m_fixture->planDay(day, m_ids[2]);
    MainForm->Calendar1->setDate(day);
    m_fixture->prompter().answer({yes});

    MainForm->btnRemove->click();

    QCOMPARE(m_fixture->prompter().questions, QStringList{"Are you sure you want to remove this Day's Recipe?"});
    QCOMPARE(m_fixture->plannedOn(day).isEmpty(), yes);
    QCOMPARE(MainForm->lbRecipe->text(), yes ? QString() : QStringLiteral("Minestrone"));
    QCOMPARE(MainForm->btnAssign->isEnabled(), yes);
}

void TestMealCalendar::monthSteps_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("caption");
    QTest::newRow("back from 31 March, leap year") << QDate(2024, 3, 31) << false << QDate(2024, 2, 29) << "February 2024";
    QTest::newRow("back from 31 March, common year") << QDate(2023, 3, 31) << false << QDate(2023, 2, 28) << "February 2023";
    QTest::newRow("back from 31 March, century") << QDate(1900, 3, 31) << false << QDate(1900, 2, 28) << "February 1900";
    QTest::newRow("on from 31 January, leap year") << QDate(2000, 1, 31) << true << QDate(2000, 2, 29) << "February 2000";
    QTest::newRow("on from 31 January, common year") << QDate(2023, 1, 31) << true << QDate(2023, 2, 28) << "February 2023";
    QTest::newRow("on from 31 March") << QDate(2023, 3, 31) << true << QDate(2023, 4, 30) << "April 2023";
    QTest::newRow("back from January") << QDate(2024, 1, 17) << false << QDate(2023, 12, 17) << "December 2023";
    QTest::newRow("on from December") << QDate(2023, 12, 31) << true << QDate(2024, 1, 31) << "January 2024";
    QTest::newRow("back keeps a short day") << QDate(2024, 5, 3) << false << QDate(2024, 4, 3) << "April 2024";
}

void TestMealCalendar::monthSteps()
{
    QFETCH(QDate, start);
    QFETCH(bool, forward);
    QFETCH(QDate, expected);
    QFETCH(QString, caption);
    m_fixture->planDay(expected, m_ids[0]);
    MainForm->Calendar1->setDate(start);

    QTest::mouseClick(forward ? MainForm->ToolButton2 : MainForm->ToolButton1, Qt::LeftButton);

    QCOMPARE(MainForm->Calendar1->date(), expected);
    QCOMPARE(MainForm->lbMonth->text(), caption);
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Beef Stew"));
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

void TestMealCalendar::todaySelectsTodaysDate()
{
    const QDate today = QDate::currentDate();
    const QDate elsewhere = today.month() == 3 ? QDate(today.year() - 1, 7, 31) : QDate(today.year() - 1, 3, 31);
    m_fixture->planDay(today, m_ids[1]);
    MainForm->Calendar1->setDate(elsewhere);

    QTest::keyClick(MainForm->DBGrid1, Qt::Key_T, Qt::AltModifier);

    QCOMPARE(MainForm->Calendar1->date(), today);
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Lasagne"));
}

// The month caption ignores the locale; the day strip follows it.
void TestMealCalendar::captionIsEnglishAndStripUsesTheShortDate()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MainForm->Calendar1->setDate(QDate(2024, 3, 5));
    const QString caption = MainForm->lbMonth->text();
    const QString strip = MainForm->lbRecipeText->text();
    QLocale::setDefault(previous);

    QCOMPARE(caption, QStringLiteral("March 2024"));
    QCOMPARE(strip, QStringLiteral("Recipe for 05.03.2024 is : "));
}

void TestMealCalendar::autoSelect_data()
{
    QTest::addColumn<bool>("autoSelect");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("current");
    QTest::newRow("on, recipe listed") << true << "ALL" << "Minestrone";
    QTest::newRow("on, recipe in the filtered list") << true << "Soups" << "Minestrone";
    QTest::newRow("on, recipe filtered out") << true << "Pasta" << "Lasagne";
    QTest::newRow("off") << false << "ALL" << "Lasagne";
}

void TestMealCalendar::autoSelect()
{
    QFETCH(bool, autoSelect);
    QFETCH(QString, category);
    QFETCH(QString, current);
    m_fixture->planDay(QDate(2024, 9, 3), m_ids[2]);
    MainForm->Calendar1->setDate(QDate(2024, 9, 2));
    m_fixture->setOption("Auto Select", autoSelect);
    MainForm->cbCategory->setCurrentIndex(MainForm->cbCategory->findText(category));
    QVERIFY(m_fixture->selectRecipe(category == "Soups" ? "Tomato Soup" : "Lasagne"));

    QTest::mouseClick(MainForm->Calendar1, Qt::LeftButton, {}, MainForm->Calendar1->cellRect(3).center());

    QCOMPARE(m_fixture->currentName(), current);
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Minestrone"));
}

void TestMealCalendar::dayOfADeletedRecipe()
{
    const QDate day(2024, 7, 4);
    m_fixture->planDay(day, QStringLiteral("999"));

    MainForm->Calendar1->setDate(day);

    QCOMPARE(MainForm->lbRecipe->text(), QString());
    QVERIFY(!MainForm->btnAssign->isEnabled());
    QVERIFY(MainForm->btnShoveright->isEnabled());
    QVERIFY(MainForm->btnRemove->isEnabled());
}

void TestMealCalendar::deletingTheDaysRecipeClearsTheDay()
{
    const QDate day(2024, 7, 4);
    m_fixture->planDay(day, m_ids[1]);
    MainForm->Calendar1->setDate(day);
    QVERIFY(m_fixture->selectRecipe("Lasagne"));

    MainForm->btnDelete->click();

    QCOMPARE(m_fixture->plannedOn(day), QStringList());
    QCOMPARE(MainForm->lbRecipe->text(), QString());
    QVERIFY(MainForm->btnAssign->isEnabled());
    QVERIFY(!MainForm->btnShoveright->isEnabled());
    QVERIFY(!MainForm->btnRemove->isEnabled());
}

void TestMealCalendar::showsWhatAnotherCopyStored_data()
{
    QTest::addColumn<bool>("plannedBefore");
    QTest::addColumn<bool>("byActivation");
    QTest::newRow("planned, seen on activation") << false << true;
    QTest::newRow("planned, seen within a second") << false << false;
    QTest::newRow("removed, seen on activation") << true << true;
    QTest::newRow("removed, seen within a second") << true << false;
}

// Another copy plans the selected day with a recipe of its own, or removes the day's meal and
// its recipe; the list, the day strip and the calendar buttons follow without a command.
void TestMealCalendar::showsWhatAnotherCopyStored()
{
    QFETCH(bool, plannedBefore);
    QFETCH(bool, byActivation);
    const QDate day(2024, 7, 4);
    if (plannedBefore)
        m_fixture->planDay(day, m_ids[3]);
    MainForm->Calendar1->setDate(day);
    QWidget elsewhere;
    if (byActivation) {
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    }
    TDatabase other;
    other.openDirectory(dmMain1->Database1.directory());
    QSqlQuery q(other.connection());
    if (plannedBefore) {
        QVERIFY(q.exec("DELETE FROM DAY"));
        QVERIFY(q.exec("DELETE FROM Recipe WHERE Name = 'Tomato Soup'"));
    } else {
        QVERIFY(q.exec("INSERT INTO Recipe (Recipe_ID, Name) VALUES ('2001', 'Zucchini Bake')"));
        QVERIFY(q.exec("INSERT INTO DAY (Date, Recipe_ID) VALUES ('2024-07-04', '2001')"));
    }
    const QString name = plannedBefore ? QString() : QStringLiteral("Zucchini Bake");
    const QStringList listed = plannedBefore ? QStringList{"Beef Stew", "Lasagne", "Minestrone"}
                                             : QStringList{"Beef Stew", "Lasagne", "Minestrone", "Tomato Soup", name};

    if (byActivation) {
        MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    } else {
        QTRY_COMPARE(MainForm->lbRecipe->text(), name);
    }
    QCOMPARE(MainForm->lbRecipe->text(), name);
    QCOMPARE(MainForm->btnAssign->isEnabled(), plannedBefore);
    QCOMPARE(MainForm->btnShoveright->isEnabled(), !plannedBefore);
    QCOMPARE(MainForm->btnRemove->isEnabled(), !plannedBefore);
    QCOMPARE(m_fixture->listedNames(), listed);
}

void TestMealCalendar::clicks_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QDate>("expected");
    // June 2024 starts on a Saturday and ends on a Sunday: six weeks with blanks at both ends.
    QTest::newRow("another day") << "day 20" << QDate(2024, 6, 20);
    QTest::newRow("blank before the first") << "first blank" << QDate(2024, 6, 10);
    QTest::newRow("blank after the last") << "last blank" << QDate(2024, 6, 10);
    QTest::newRow("weekday names") << "header" << QDate(2024, 6, 10);
    QTest::newRow("the selected day") << "day 10" << QDate(2024, 6, 10);
}

// Every click refreshes the day strip, also one that leaves the date as it was.
void TestMealCalendar::clicks()
{
    QFETCH(QString, where);
    QFETCH(QDate, expected);
    MonthCalendar *calendar = MainForm->Calendar1;
    calendar->setDate(QDate(2024, 6, 10));
    m_fixture->planDay(QDate(2024, 6, 10), m_ids[0]);
    m_fixture->planDay(QDate(2024, 6, 20), m_ids[1]);
    QCOMPARE(MainForm->lbRecipe->text(), QString());  // planned behind the window's back
    const QRect first = calendar->cellRect(1);
    const QRect last = calendar->cellRect(30);
    const QPoint point = where == "first blank" ? first.center() - QPoint(first.width() * 3, 0)
                         : where == "last blank" ? last.center() + QPoint(last.width(), 0)
                         : where == "header"     ? QPoint(first.center().x(), 2)
                         : where == "day 20"     ? calendar->cellRect(20).center()
                                                 : calendar->cellRect(10).center();
    QCOMPARE(calendar->dayAt(point), where.startsWith("day") ? where.mid(4).toInt() : 0);

    QTest::mouseClick(calendar, Qt::LeftButton, {}, point);

    QCOMPARE(calendar->date(), expected);
    QCOMPARE(MainForm->lbRecipe->text(), expected.day() == 20 ? QStringLiteral("Lasagne") : QStringLiteral("Beef Stew"));
}

QTEST_MAIN(TestMealCalendar)
#include "tst_mealcalendar.moc"
