#include "MainWindowFixture.h"

#include "data/EngineError.h"
#include "ui/AbsBase.h"
#include "ui/NiftyMan.h"

#include <QApplication>
#include <QMenu>
#include <QToolBar>

namespace {

QList<QAction *> calendarItems()
{
    return {MainForm->Assign1,    MainForm->ShoveRight1, MainForm->Remove1,
            MainForm->PrevMonth1, MainForm->NextMonth1,  MainForm->Today1};
}

QList<QToolButton *> toolButtons()
{
    return {MainForm->btnAdd,    MainForm->btnEdit,     MainForm->btnDelete,
            MainForm->btnAssign, MainForm->btnShoveright, MainForm->btnRemove,
            MainForm->ToolButton1, MainForm->ToolButton2, MainForm->btnToday};
}

void closePopup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

class TestMainWindowOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void calendarHiddenAndShownAgain();
    void calendarShortcutsFollowTheCalendar_data();
    void calendarShortcutsFollowTheCalendar();
    void buttonCaptions_data();
    void buttonCaptions();
    void hintsAndFlatButtons_data();
    void hintsAndFlatButtons();
    void tiledBackgroundFollowsTheSettingsFile();
    void setupRefillsTheCategories();
    void cancelledSetupAppliesNothing();
    void menuShortcutsAreCopiedFromTheCarriers();
    void prevMonthKeyWinsOverTheReportsMenu();
    void otherMenuCommands();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestMainWindowOptions::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->addRecipes({{"Beef Stew", "Beef"}, {"Lasagne", "Pasta"}});
}

void TestMainWindowOptions::cleanup()
{
    m_fixture.reset();
}

void TestMainWindowOptions::calendarHiddenAndShownAgain()
{
    QVERIFY(MainForm->pnlCalendar->isVisible());
    const int shownWidth = MainForm->width();
    QCOMPARE(shownWidth, MainForm->pnlCalendar->x() + MainForm->pnlCalendar->width() + 9);

    m_fixture->setOption("View Calendar", false);

    QVERIFY(!MainForm->pnlCalendar->isVisible());
    QCOMPARE(MainForm->width(), MainForm->pnlCalendar->x());
    QVERIFY(MainForm->pnlRecipe->geometry().right() < MainForm->width());
    QVERIFY(!MainForm->Calendar2->menuAction()->isVisible());
    for (QAction *item : calendarItems())
        QVERIFY2(!item->isEnabled(), qPrintable(item->text()));

    m_fixture->setOption("View Calendar", true);
    m_fixture->setOption("View Calendar", true);

    QVERIFY(MainForm->pnlCalendar->isVisible());
    QCOMPARE(MainForm->width(), shownWidth);
    QCOMPARE(MainForm->width(), MainForm->pnlCalendar->x() + MainForm->pnlCalendar->width() + 9);
    QVERIFY(MainForm->Calendar2->menuAction()->isVisible());
    for (QAction *item : calendarItems())
        QVERIFY2(item->isEnabled(), qPrintable(item->text()));
}

void TestMainWindowOptions::calendarShortcutsFollowTheCalendar_data()
{
    QTest::addColumn<bool>("calendarShown");
    QTest::newRow("calendar hidden") << false;
    QTest::newRow("calendar shown again") << true;
}

// Alt+S, Alt+V, Alt+M, Alt+P, Alt+N and Alt+T run the calendar commands only while it shows.
void TestMainWindowOptions::calendarShortcutsFollowTheCalendar()
{
    QFETCH(bool, calendarShown);
    const QDate start(2024, 3, 31);
    m_fixture->setOption("View Calendar", false);
    if (calendarShown)
        m_fixture->setOption("View Calendar", true);
    MainForm->Calendar1->setDate(start);
    QVERIFY(m_fixture->selectRecipe("Lasagne"));
    QWidget *focus = MainForm->DBGrid1;
    focus->setFocus();

    QTest::keyClick(focus, Qt::Key_S, Qt::AltModifier);  // assign
    const QStringList assigned = m_fixture->plannedOn(start);
    QTest::keyClick(focus, Qt::Key_V, Qt::AltModifier);  // shove
    const QStringList shoved = m_fixture->plannedOn(start.addDays(1));
    m_fixture->prompter().answer({true});
    QTest::keyClick(focus, Qt::Key_M, Qt::AltModifier);  // remove: the next day holds no entry now
    QTest::keyClick(focus, Qt::Key_N, Qt::AltModifier);
    const QDate afterNext = MainForm->Calendar1->date();
    QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier);
    closePopup();
    const QDate afterPrev = MainForm->Calendar1->date();

    QCOMPARE(assigned, calendarShown ? QStringList{"1002"} : QStringList{});
    QCOMPARE(shoved, calendarShown ? QStringList{"1002"} : QStringList{});
    QCOMPARE(afterNext, calendarShown ? QDate(2024, 4, 30) : start);
    QCOMPARE(afterPrev, calendarShown ? QDate(2024, 3, 30) : start);
    QTest::keyClick(focus, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(MainForm->Calendar1->date(), calendarShown ? QDate::currentDate() : start);
    QVERIFY(m_fixture->prompter().questions.isEmpty());
}

void TestMainWindowOptions::buttonCaptions_data()
{
    QTest::addColumn<bool>("captions");
    QTest::addColumn<QSize>("size");
    QTest::newRow("with captions") << true << QSize(60, 30);
    QTest::newRow("glyphs only") << false << QSize(30, 25);
}

void TestMainWindowOptions::buttonCaptions()
{
    QFETCH(bool, captions);
    QFETCH(QSize, size);
    m_fixture->setOption("View Button Captions", !captions);
    m_fixture->setOption("View Button Captions", captions);
    int added = 0;
    MainForm->insertRecipeWindow = [&](QWidget &) { ++added; };

    for (QToolButton *button : toolButtons()) {
        QCOMPARE(button->size(), size);
        QCOMPARE(button->toolButtonStyle(), captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    }
    QTest::keyClick(MainForm->DBGrid1, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(added, 1);
}

void TestMainWindowOptions::hintsAndFlatButtons_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void TestMainWindowOptions::hintsAndFlatButtons()
{
    QFETCH(bool, on);
    m_fixture->setOption("View Hints", !on);
    m_fixture->setOption("View Cool Buttons", !on);
    m_fixture->setOption("View Hints", on);
    m_fixture->setOption("View Cool Buttons", on);

    QCOMPARE(MainForm->DBGrid1->toolTip(), on ? QStringLiteral("This Shows The Recipes In Your DataBase") : QString());
    QCOMPARE(MainForm->btnShoveright->toolTip(),
             on ? QStringLiteral("Shove From Selected Recipe, All Future Recipes One Day To The Right") : QString());
    QCOMPARE(MainForm->cbCategory->toolTip(), on ? QStringLiteral("Sort Recipes By Their Category") : QString());
    for (QToolButton *button : toolButtons())
        QCOMPARE(button->autoRaise(), on);
}

void TestMainWindowOptions::tiledBackgroundFollowsTheSettingsFile()
{
    QVERIFY(AbsBaseForm->NiftyManager1->isActive());  // the default, written back on first start
    QCOMPARE(SysInfo->ReadIniValue("Enable Nifty Forms", "x"), QStringLiteral("True"));

    SysInfo->WriteIniValue("Enable Nifty Forms", "false", "True");
    MainForm->Setup1->trigger();

    QVERIFY(!AbsBaseForm->NiftyManager1->isActive());
}

// The box keeps the category the list is filtered on, and the filter stays.
void TestMainWindowOptions::setupRefillsTheCategories()
{
    m_fixture->typeCategory("Pasta");
    MainForm->setupWindow = [&](QWidget &) {
        m_fixture->exec("DELETE FROM \"LCategory\" WHERE \"Category\" <> 'Beef'");
        m_fixture->exec("INSERT INTO \"LCategory\" VALUES ('Brunch')");
        dmMain1->tblCategory.refresh();
    };

    QTest::keyClick(MainForm->DBGrid1, Qt::Key_S, Qt::ControlModifier);

    QStringList items;
    for (int i = 0; i < MainForm->cbCategory->count(); ++i)
        items << MainForm->cbCategory->itemText(i);
    QCOMPARE(items, QStringList({"ALL", "Beef", "Brunch"}));
    QCOMPARE(MainForm->cbCategory->currentText(), QStringLiteral("Pasta"));
    QCOMPARE(m_fixture->listedNames(), QStringList{"Lasagne"});
}

void TestMainWindowOptions::cancelledSetupAppliesNothing()
{
    MainForm->setupWindow = [](QWidget &) {
        SysInfo->WriteSystemValue("View Calendar", "False");
        throw SilentAbort();
    };

    MainForm->Setup1->trigger();

    QVERIFY(MainForm->pnlCalendar->isVisible());
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

void TestMainWindowOptions::menuShortcutsAreCopiedFromTheCarriers()
{
    const QList<QPair<QAction *, QKeySequence>> expected{
        {MainForm->Add1, QKeySequence("Alt+A")},        {MainForm->Edit1, QKeySequence("Alt+E")},
        {MainForm->Delete1, QKeySequence("Alt+D")},     {MainForm->Exit1, QKeySequence("Alt+X")},
        {MainForm->Assign1, QKeySequence("Alt+S")},     {MainForm->ShoveRight1, QKeySequence("Alt+V")},
        {MainForm->Remove1, QKeySequence("Alt+M")},     {MainForm->PrevMonth1, QKeySequence("Alt+P")},
        {MainForm->NextMonth1, QKeySequence("Alt+N")},  {MainForm->Today1, QKeySequence("Alt+T")},
        {MainForm->Setup1, QKeySequence("Ctrl+S")},     {MainForm->PrintReports1, QKeySequence("Ctrl+R")},
        {MainForm->Contents1, QKeySequence("F1")},
    };
    for (const auto &[item, shortcut] : expected)
        QCOMPARE(item->shortcut(), shortcut);
}

// The menu item's own shortcut comes first; the menu's access key only while it is disabled.
void TestMainWindowOptions::prevMonthKeyWinsOverTheReportsMenu()
{
    MainForm->Calendar1->setDate(QDate(2024, 5, 15));
    MainForm->SearchName->setFocus();

    QTest::keyClick(MainForm->SearchName, Qt::Key_P, Qt::AltModifier);

    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 4, 15));
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(MainForm->SearchName->text(), QString());
    m_fixture->setOption("View Calendar", false);
    QTest::keyClick(MainForm->SearchName, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 4, 15));
    closePopup();
}

void TestMainWindowOptions::otherMenuCommands()
{
    int imports = 0, reports = 0;
    MainForm->importExportWindow = [&](QWidget &) {
        ++imports;
        m_fixture->exec("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES ('3001', 'Imported Pie')");
    };
    MainForm->reportWizardWindow = [&](QWidget &) { ++reports; };

    QTest::keyClick(MainForm->DBGrid1, Qt::Key_F1);
    MainForm->Import1->trigger();
    QTest::keyClick(MainForm->DBGrid1, Qt::Key_R, Qt::ControlModifier);

    QCOMPARE(m_fixture->prompter().notices, QStringList{"Currently the Help is unavailable."});
    QCOMPARE(imports, 1);
    QVERIFY(m_fixture->listedNames().contains("Imported Pie"));
    QCOMPARE(reports, 1);
}

QTEST_MAIN(TestMainWindowOptions)
#include "tst_mainwindowoptions.moc"
