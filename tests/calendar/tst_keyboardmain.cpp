#include "MainWindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

// The main window worked from the keyboard alone: the menus by their titles' access keys,
// the commands by their shortcuts with or without button captions, the tab order, and the
// month calendar by the arrow keys.

namespace {

QString openMenuTitle()
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    return menu ? menu->title() : QString();
}

void closeMenus()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

QWidget *focusedControl()
{
    return MainForm->focusWidget();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = focusedControl();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

} // namespace

class TestKeyboardMain : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuTitlesOpenByTheirAccessKeys_data();
    void menuTitlesOpenByTheirAccessKeys();
    void menuItemsByTheirLetters_data();
    void menuItemsByTheirLetters();
    void reportsMenuByAltAndTheArrows();
    void commandKeysWithAndWithoutCaptions_data();
    void commandKeysWithAndWithoutCaptions();
    void tabOrder_data();
    void tabOrder();
    void calendarTakesTheArrowKeys();
    void recipeListTakesTheArrowKeys();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
    QStringList m_ids;
    QStringList m_ran;  // the windows the commands ran, in order
};

void TestKeyboardMain::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_ids = m_fixture->addRecipes({{"Beef Stew", "Beef"}, {"Lasagne", "Pasta"}});
    m_ran.clear();
    MainForm->insertRecipeWindow = [this](QWidget &) { m_ran << "add"; };
    MainForm->editRecipeWindow = [this](QWidget &) { m_ran << "edit " + m_fixture->currentName(); };
    MainForm->setupWindow = [this](QWidget &) { m_ran << "setup"; };
    MainForm->importExportWindow = [this](QWidget &) { m_ran << "import/export"; };
    MainForm->reportWizardWindow = [this](QWidget &) { m_ran << "reports"; };
    MainForm->DBGrid1->setFocus();
}

void TestKeyboardMain::cleanup()
{
    closeMenus();
    m_fixture.reset();
}

void TestKeyboardMain::menuTitlesOpenByTheirAccessKeys_data()
{
    QTest::addColumn<bool>("calendarShown");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+F") << true << int(Qt::Key_F) << "&File";
    QTest::newRow("Alt+R") << true << int(Qt::Key_R) << "&Recipes";
    QTest::newRow("Alt+C") << true << int(Qt::Key_C) << "&Calendar";
    QTest::newRow("Alt+H") << true << int(Qt::Key_H) << "&Help";
    QTest::newRow("Alt+C, calendar hidden") << false << int(Qt::Key_C) << "";
    QTest::newRow("Alt+P, calendar hidden") << false << int(Qt::Key_P) << "Re&ports";
}

// A hidden menu keeps no access key; Alt+P belongs to "&Prev Month" while the calendar shows.
void TestKeyboardMain::menuTitlesOpenByTheirAccessKeys()
{
    QFETCH(bool, calendarShown);
    QFETCH(int, key);
    QFETCH(QString, menu);
    m_fixture->setOption("View Calendar", calendarShown);
    MainForm->DBGrid1->setFocus();

    press(key, Qt::AltModifier);

    QCOMPARE(openMenuTitle(), menu);
}

void TestKeyboardMain::menuItemsByTheirLetters_data()
{
    QTest::addColumn<int>("menuKey");
    QTest::addColumn<int>("itemKey");
    QTest::addColumn<QString>("ran");
    QTest::newRow("Alt+F, S: Setup") << int(Qt::Key_F) << int(Qt::Key_S) << "setup";
    QTest::newRow("Alt+R, I: Import/Export") << int(Qt::Key_R) << int(Qt::Key_I) << "import/export";
    QTest::newRow("Alt+R, E: Edit") << int(Qt::Key_R) << int(Qt::Key_E) << "edit Beef Stew";
    QTest::newRow("Alt+H, A: About") << int(Qt::Key_H) << int(Qt::Key_A) << "About";
}

void TestKeyboardMain::menuItemsByTheirLetters()
{
    QFETCH(int, menuKey);
    QFETCH(int, itemKey);
    QFETCH(QString, ran);
    QTimer closeDialogs;  // the about box is the real one: note its caption and close it
    connect(&closeDialogs, &QTimer::timeout, this, [this] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            m_ran << dialog->windowTitle();
            dialog->reject();
        }
    });
    closeDialogs.start(5);
    QVERIFY(m_fixture->selectRecipe("Beef Stew"));

    press(menuKey, Qt::AltModifier);
    press(itemKey);

    QTRY_COMPARE(m_ran, QStringList{ran});
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

// Alt alone leads into the menu bar; the arrows reach "Re&ports" whose access key is taken.
void TestKeyboardMain::reportsMenuByAltAndTheArrows()
{
    QTest::keyPress(focusedControl(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focusedControl(), Qt::Key_Alt);
    QCOMPARE(MainForm->MainMenu1->activeAction(), MainForm->File1->menuAction());
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(openMenuTitle(), QStringLiteral("Re&ports"));
    press(Qt::Key_Return);
    QCOMPARE(m_ran, QStringList{"reports"});
}

void TestKeyboardMain::commandKeysWithAndWithoutCaptions_data()
{
    QTest::addColumn<bool>("captions");
    QTest::newRow("captions") << true;
    QTest::newRow("glyphs only") << false;
}

void TestKeyboardMain::commandKeysWithAndWithoutCaptions()
{
    QFETCH(bool, captions);
    m_fixture->setOption("View Button Captions", captions);
    m_ran.clear();  // applying the option ran the setup window
    QCOMPARE(MainForm->btnAssign->toolButtonStyle(), captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    const QDate day(2024, 1, 31);
    MainForm->Calendar1->setDate(day);
    QVERIFY(m_fixture->selectRecipe("Lasagne"));
    MainForm->SearchName->setFocus();
    m_fixture->prompter().answer({false, false});

    press(Qt::Key_A, Qt::AltModifier);
    press(Qt::Key_E, Qt::AltModifier);
    press(Qt::Key_D, Qt::AltModifier);
    press(Qt::Key_S, Qt::AltModifier);
    const QStringList assigned = m_fixture->plannedOn(day);
    press(Qt::Key_V, Qt::AltModifier);
    const QStringList shoved = m_fixture->plannedOn(day.addDays(1));
    MainForm->Calendar1->setDate(day.addDays(1));
    press(Qt::Key_M, Qt::AltModifier);
    MainForm->Calendar1->setDate(day);
    press(Qt::Key_N, Qt::AltModifier);
    const QDate afterNext = MainForm->Calendar1->date();
    press(Qt::Key_P, Qt::AltModifier);
    const QDate afterPrev = MainForm->Calendar1->date();
    press(Qt::Key_T, Qt::AltModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_R, Qt::ControlModifier);
    press(Qt::Key_F1);

    QCOMPARE(m_ran, (QStringList{"add", "edit Lasagne", "setup", "reports"}));
    QCOMPARE(m_fixture->prompter().questions, (QStringList{"Are you sure you want to delete this Recipe?",
                                                           "Are you sure you want to remove this Day's Recipe?"}));
    QCOMPARE(assigned, QStringList{m_ids[1]});
    QCOMPARE(shoved, QStringList{m_ids[1]});
    QCOMPARE(afterNext, QDate(2024, 2, 29));
    QCOMPARE(afterPrev, QDate(2024, 1, 29));
    QCOMPARE(MainForm->Calendar1->date(), QDate::currentDate());
    QCOMPARE(m_fixture->prompter().notices, QStringList{"Currently the Help is unavailable."});
    QCOMPARE(MainForm->SearchName->text(), QString());
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void TestKeyboardMain::tabOrder_data()
{
    QTest::addColumn<bool>("calendarShown");
    QTest::newRow("calendar shown") << true;
    QTest::newRow("calendar hidden") << false;
}

// The search box, the category box, the recipe list and the calendar; the tool buttons and the
// hidden shortcut carriers are no stops.
void TestKeyboardMain::tabOrder()
{
    QFETCH(bool, calendarShown);
    m_fixture->setOption("View Calendar", calendarShown);
    MainForm->SearchName->setFocus();
    QList<QWidget *> expected{MainForm->cbCategory, MainForm->DBGrid1};
    if (calendarShown)
        expected << MainForm->Calendar1;
    expected << MainForm->SearchName;

    QList<QWidget *> visited;
    for (int step = 0; step < expected.size(); ++step) {
        press(Qt::Key_Tab);
        visited << focusedControl();
    }

    QCOMPARE(visited, expected);
}

// The arrows move the selected day within the month, and the day strip follows each move.
void TestKeyboardMain::calendarTakesTheArrowKeys()
{
    m_fixture->planDay(QDate(2024, 5, 16), m_ids[0]);
    MainForm->Calendar1->setDate(QDate(2024, 5, 15));
    QVERIFY(m_fixture->selectRecipe("Lasagne"));
    press(Qt::Key_Tab);  // from the recipe list to the calendar
    QCOMPARE(focusedControl(), MainForm->Calendar1);

    press(Qt::Key_Right);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 16));
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Beef Stew"));
    QVERIFY(!MainForm->btnAssign->isEnabled());
    press(Qt::Key_Down);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 23));
    QCOMPARE(MainForm->lbRecipe->text(), QString());
    press(Qt::Key_S, Qt::AltModifier);
    QCOMPARE(m_fixture->plannedOn(QDate(2024, 5, 23)), QStringList{m_ids[1]});
    QCOMPARE(MainForm->lbRecipe->text(), QStringLiteral("Lasagne"));
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 8));
    press(Qt::Key_End);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 31));
    press(Qt::Key_Right);  // the arrows stay within the month
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 31));
    press(Qt::Key_Home);
    QCOMPARE(MainForm->Calendar1->date(), QDate(2024, 5, 1));
    QCOMPARE(MainForm->lbMonth->text(), QStringLiteral("May 2024"));
}

// The arrows move the current recipe, and Enter edits the one they reached.
void TestKeyboardMain::recipeListTakesTheArrowKeys()
{
    QVERIFY(m_fixture->selectRecipe("Beef Stew"));
    press(Qt::Key_Down);
    QCOMPARE(m_fixture->currentName(), QStringLiteral("Lasagne"));
    press(Qt::Key_Return);
    press(Qt::Key_Up);
    QCOMPARE(m_fixture->currentName(), QStringLiteral("Beef Stew"));
    QCOMPARE(m_ran, QStringList{"edit Lasagne"});
}

QTEST_MAIN(TestKeyboardMain)
#include "tst_keyboardmain.moc"
