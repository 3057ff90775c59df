#include "EditorSteps.h"
#include "SetupSteps.h"

#include "ui/AbsBase.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundGrid.h"
#include "ui/BoundLabel.h"
#include "ui/BoundMemo.h"
#include "ui/NiftyMan.h"
#include "ui/incremen.h"

#include <QCheckBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

// The recipe editor, the line editor with its ingredient picker, and the setup window, worked
// from the keyboard alone: keys go to the focus widget, or to the window for access keys.

namespace {

void press(QWidget &window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *focus = window.focusWidget();
    QVERIFY2(focus, "the window has no focus widget");
    QTest::keyClick(focus, Qt::Key(key), modifiers);
}

// Access keys reach only the active window. A new window becomes it a little after showing;
// the window under a closed one is made active again here, as the window manager does.
void waitUntilActive(QWidget &window)
{
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

// The controls the focus visits as Tab is pressed again and again.
QList<QWidget *> tabWalk(QWidget &window, int steps)
{
    QList<QWidget *> visited;
    for (int step = 0; step < steps && window.focusWidget(); ++step) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        visited << window.focusWidget();
    }
    return visited;
}

// Types the keys, cancels the next window that opens over the given one, and returns that
// window's caption; empty when none opened.
QString captionOpenedBy(QWidget &window, const std::function<void()> &keys)
{
    QString caption;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        auto *top = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!top || top == &window || !top->isVisible())
            return;
        watch.stop();
        caption = top->windowTitle();
        top->reject();
    });
    watch.start();
    keys();
    (void)QTest::qWaitFor([&] { return !caption.isEmpty(); }, 1000);
    return caption;
}

QTabBar *tabBarOf(TSetupForm &setup)
{
    return setup.PageControl1->findChild<QTabBar *>();
}

} // namespace

using EditorKeys = std::function<void(TRecipeEditForm &)>;
Q_DECLARE_METATYPE(EditorKeys)

class TestKeyboardEditors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recipeEditorTabOrder();
    void recipeEditorToolKeys_data();
    void recipeEditorToolKeys();
    void recipeEditorDeleteKeyAsks();
    void recipeEditorMoveKeys_data();
    void recipeEditorMoveKeys();
    void recipeEditorCloseKeys_data();
    void recipeEditorCloseKeys();
    void lineAndPickerByKeyboard();
    void pickerCancelKeyKeepsTheLine();
    void setupCloseKeyGivesWayToThePage_data();
    void setupCloseKeyGivesWayToThePage();
    void setupListsByAccessKeys();
    void setupTabOrder_data();
    void setupTabOrder();
    void setupPagesAndReportDateByKeyboard();
    void setupNiftyPageByKeyboard();

private:
    bool runEditor(const EditorKeys &keys);

    std::unique_ptr<EditorFixture> m_fixture;
    QString m_recipe;
};

void TestKeyboardEditors::init()
{
    m_fixture = std::make_unique<EditorFixture>();
    const QString flour = m_fixture->addIngredient(QStringLiteral("Flour"));
    const QString egg = m_fixture->addIngredient(QStringLiteral("Egg"));
    m_fixture->addIngredient(QStringLiteral("Sugar"));
    m_recipe = m_fixture->addRecipe(QStringLiteral("Cake"), {flour, egg});
}

void TestKeyboardEditors::cleanup()
{
    m_fixture.reset();
}

// Edits the current recipe; true when the editor stored it.
bool TestKeyboardEditors::runEditor(const EditorKeys &keys)
{
    TRecipeEditForm editor;
    whenShown<TRecipeEditForm>([&](TRecipeEditForm &shown) {
        waitUntilActive(shown);
        keys(shown);
    });
    return runCommand([&] { editor.EditRecipe(); });
}

// The controls in the order of the window's table; the tool row is left out of it.
void TestKeyboardEditors::recipeEditorTabOrder()
{
    bool walked = false;
    runEditor([&](TRecipeEditForm &editor) {
        QCOMPARE(editor.focusWidget(), static_cast<QWidget *>(editor.DBEdit1));
        const QList<QWidget *> expected{editor.dbcbMeal, editor.DBLookupComboBox1, editor.DBEdit3, editor.cbPrepTime,
                                        editor.cbCookTime, editor.DBGrid1, editor.DBMemo1, editor.BitBtn4,
                                        editor.BitBtn5, editor.DBEdit1};
        QCOMPARE(tabWalk(editor, int(expected.size())), expected);
        walked = true;
        editor.BitBtn5->click();
    });
    QVERIFY(walked);
}

void TestKeyboardEditors::recipeEditorToolKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Alt+A: &Add...") << int(Qt::Key_A) << "Editing Ingredient Detail";
    QTest::newRow("Alt+E: &Edit...") << int(Qt::Key_E) << "Editing Ingredient Detail";
    QTest::newRow("Alt+S: &Setup") << int(Qt::Key_S) << "Setup";
}

// The tool buttons are no tab stops; their access keys open their windows.
void TestKeyboardEditors::recipeEditorToolKeys()
{
    QFETCH(int, key);
    QFETCH(QString, caption);
    QString opened;
    bool stillOpen = false;
    runEditor([&](TRecipeEditForm &editor) {
        editor.DBMemo1->setFocus();
        opened = captionOpenedBy(editor, [&] { QTest::keyClick(&editor, Qt::Key(key), Qt::AltModifier); });
        stillOpen = editor.isVisible();
        editor.BitBtn5->click();
    });
    QCOMPARE(opened, caption);
    QVERIFY(stillOpen);
    QCOMPARE(storedLines(*m_fixture, m_recipe), (QStringList{"Flour:0", "Egg:1"}));
}

// The arrow keys choose the line in the ingredient list; Alt+D asks before deleting it.
void TestKeyboardEditors::recipeEditorDeleteKeyAsks()
{
    m_fixture->prompter().answer({false, true});
    runEditor([&](TRecipeEditForm &editor) {
        editor.DBGrid1->setFocus();
        press(editor, Qt::Key_Down);
        QTest::keyClick(&editor, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(m_fixture->prompter().questions.size(), 1);
        QCOMPARE(editor.DBGrid1->model()->rowCount(), 2);
        QTest::keyClick(&editor, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(editor.DBGrid1->model()->rowCount(), 1);
        editor.BitBtn4->click();
    });
    QCOMPARE(m_fixture->prompter().questions.value(0),
             QStringLiteral("Are you sure you want to delete this Ingredient?"));
    QCOMPARE(storedLines(*m_fixture, m_recipe), QStringList{"Flour:0"});
}

void TestKeyboardEditors::recipeEditorMoveKeys_data()
{
    QTest::addColumn<int>("arrow");  // chooses the line to move
    QTest::addColumn<int>("key");
    QTest::newRow("Alt+W: Do&wn on the first line") << int(Qt::Key_Up) << int(Qt::Key_W);
    QTest::newRow("Alt+U: &Up on the last line") << int(Qt::Key_Down) << int(Qt::Key_U);
}

// Either move exchanges the two lines of the cake.
void TestKeyboardEditors::recipeEditorMoveKeys()
{
    QFETCH(int, arrow);
    QFETCH(int, key);
    bool moved = false;
    runEditor([&](TRecipeEditForm &editor) {
        editor.DBGrid1->setFocus();
        press(editor, arrow);
        QTest::keyClick(&editor, Qt::Key(key), Qt::AltModifier);
        const QStringList exchanged{"Egg:0", "Flour:1"};
        moved = QTest::qWaitFor([&] { return storedLines(*m_fixture, m_recipe) == exchanged; }, 2000);
        editor.BitBtn4->click();
    });
    QVERIFY2(moved, qPrintable(storedLines(*m_fixture, m_recipe).join(", ")));
}

void TestKeyboardEditors::recipeEditorCloseKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("stored");
    QTest::newRow("Alt+O: &OK") << int(Qt::Key_O) << int(Qt::AltModifier) << true;
    QTest::newRow("Alt+C: &Cancel") << int(Qt::Key_C) << int(Qt::AltModifier) << false;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
}

void TestKeyboardEditors::recipeEditorCloseKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, stored);
    const bool returned = runEditor([&](TRecipeEditForm &editor) {
        QTest::keyClicks(editor.focusWidget(), QStringLiteral(" au chocolat"));
        press(editor, key, Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(!editor.isVisible());
    });
    QCOMPARE(returned, stored);
    QCOMPARE(m_fixture->column("SELECT Name FROM Recipe"),
             QStringList{stored ? QStringLiteral("Cake au chocolat") : QStringLiteral("Cake")});
}

// Space on "Lookup Ingredient" opens the picker with the focus in its search box; Alt+S
// chooses the row found, the focus moves on to the amount, and Alt+O stores the line.
void TestKeyboardEditors::lineAndPickerByKeyboard()
{
    QWidget *lineFirst = nullptr;
    bool searchBoxFirst = false;
    QList<QWidget *> afterPick;
    TIngredientDetailForm line;
    whenShown<TIngredientDetailForm>([&](TIngredientDetailForm &shown) {
        QTRY_VERIFY(shown.focusWidget());
        lineFirst = shown.focusWidget();
        whenShown<TIngredientForm>([&](TIngredientForm &picker) {
            waitUntilActive(picker);
            searchBoxFirst = picker.focusWidget() == picker.SearchName;
            QTest::keyClicks(picker.focusWidget(), QStringLiteral("su"));
            QTRY_COMPARE(picker.tblIngredient.fieldByName(QStringLiteral("Ingredient")).asString(),
                         QStringLiteral("Sugar"));
            QTest::keyClick(&picker, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!picker.isVisible());
        });
        press(shown, Qt::Key_Space);
        waitUntilActive(shown);
        QTRY_COMPARE(shown.focusWidget(), static_cast<QWidget *>(shown.DBEdit1));
        QTest::keyClicks(shown.focusWidget(), QStringLiteral("2"));
        afterPick = tabWalk(shown, 1);
        QTest::keyClicks(shown.focusWidget(), QStringLiteral("cup"));
        QTest::keyClick(&shown, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!shown.isVisible());
    });
    QVERIFY(runCommand([&] { line.InsertLine(); }));
    QCOMPARE(lineFirst, static_cast<QWidget *>(line.BitBtn1));
    QVERIFY(searchBoxFirst);
    QCOMPARE(afterPick, QList<QWidget *>{line.cbMeasurement});
    QCOMPARE(m_fixture->column("SELECT i.Ingredient || ' ' || r.Amount || ' ' || r.Measurement FROM REC_INGR r "
                               "JOIN INGREDIE i ON i.Ingredient_ID = r.Ingredient_ID WHERE r.Amount = '2'"),
             QStringList{"Sugar 2 cup"});
}

void TestKeyboardEditors::pickerCancelKeyKeepsTheLine()
{
    QString shownName;
    bool lineOpen = false;
    TIngredientDetailForm line;
    whenShown<TIngredientDetailForm>([&](TIngredientDetailForm &shown) {
        whenShown<TIngredientForm>([&](TIngredientForm &picker) {
            waitUntilActive(picker);
            QTest::keyClicks(picker.SearchName, QStringLiteral("su"));
            QTest::keyClick(&picker, Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!picker.isVisible());
        });
        QTRY_VERIFY(shown.focusWidget());
        press(shown, Qt::Key_Space);
        lineOpen = shown.isVisible();
        shownName = shown.DBText1->text();
        shown.BitBtn5->click();
    });
    QVERIFY(!runCommand([&] { line.EditLine(); }));
    QVERIFY(lineOpen);
    QCOMPARE(shownName, QStringLiteral("Flour"));
}

void TestKeyboardEditors::setupCloseKeyGivesWayToThePage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("closes");
    QTest::newRow("General Options: View &Calendar") << 0 << false;
    QTest::newRow("Editable Values: &CookTime") << 1 << false;
    QTest::newRow("Report Options") << 2 << true;
    QTest::newRow("Nifty Forms") << 3 << true;
}

// "&Close" shares Alt+C with a check box and a list item; on their pages the page's own item
// takes the key and Enter, the default button's key, closes. Elsewhere Alt+C closes.
void TestKeyboardEditors::setupCloseKeyGivesWayToThePage()
{
    QFETCH(int, page);
    QFETCH(bool, closes);
    bool calendarBefore = false, calendarAfter = false;
    TDataSet *listAfter = nullptr;
    bool openAfterKey = true;
    const bool returned = runSetup(0, [&](TSetupForm &setup) {
        waitUntilActive(setup);
        QTRY_COMPARE(setup.focusWidget(), static_cast<QWidget *>(tabBarOf(setup)));
        for (int step = 0; step < page; ++step)
            press(setup, Qt::Key_Right);
        QCOMPARE(setup.PageControl1->currentIndex(), page);
        calendarBefore = setup.cbViewCalendar->isChecked();
        QTest::keyClick(&setup, Qt::Key_C, Qt::AltModifier);
        QTest::qWait(300);  // an access key clicks after a short delay
        openAfterKey = setup.isVisible();
        calendarAfter = setup.cbViewCalendar->isChecked();
        listAfter = setup.DBGrid->dataSet();
        if (setup.isVisible())
            press(setup, Qt::Key_Return);
    });
    QVERIFY(returned);
    QCOMPARE(openAfterKey, !closes);
    QCOMPARE(calendarAfter, page == 0 ? !calendarBefore : calendarBefore);
    if (page == 1)
        QCOMPARE(listAfter, &m_fixture->dm().tblCookTime);
}

// The list items and the Add, Edit and Delete buttons answer their access keys.
void TestKeyboardEditors::setupListsByAccessKeys()
{
    QStringList captions;
    QWidget *valueFocus = nullptr;
    m_fixture->prompter().answer({false});
    const bool returned = runSetup(1, [&](TSetupForm &setup) {
        waitUntilActive(setup);
        QTest::keyClick(&setup, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(setup.DBGrid->dataSet(), &m_fixture->dm().tblMeal);
        whenShown<TSetupEditForm>([&](TSetupEditForm &editor) {
            captions << editor.windowTitle();
            waitUntilActive(editor);
            valueFocus = editor.focusWidget() == editor.DBEdit1 ? editor.DBEdit1 : nullptr;
            QTest::keyClicks(editor.focusWidget(), QStringLiteral("Brunch"));
            QTest::keyClick(&editor, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!editor.isVisible());
        });
        QTest::keyClick(&setup, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(captions.size(), 1);
        waitUntilActive(setup);
        whenShown<TSetupEditForm>([&](TSetupEditForm &editor) {
            captions << editor.windowTitle();
            waitUntilActive(editor);
            QTest::keyClicks(editor.DBEdit1, QStringLiteral("xyz"));
            QTest::keyClick(editor.DBEdit1, Qt::Key_Escape);
        });
        QTest::keyClick(&setup, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(captions.size(), 2);
        waitUntilActive(setup);
        QTest::keyClick(&setup, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(m_fixture->prompter().questions.size(), 1);
        press(setup, Qt::Key_Return);
    });
    QVERIFY(returned);
    QCOMPARE(captions, (QStringList{"Add a Meal", "Edit a Meal"}));
    QVERIFY(valueFocus);
    QCOMPARE(m_fixture->prompter().questions, QStringList{"Are you sure you want to delete this Meal?"});
    QCOMPARE(m_fixture->column("SELECT Meal FROM LMeal WHERE Meal = 'Brunch'"), QStringList{"Brunch"});
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LMeal WHERE Meal LIKE '%xyz'"), 0);
}

void TestKeyboardEditors::setupTabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("General Options") << 0;
    QTest::newRow("Editable Values") << 1;
}

// From the page tabs through the page, left to right and top to bottom, then to Close; the
// Add, Edit and Delete buttons are no tab stops.
void TestKeyboardEditors::setupTabOrder()
{
    QFETCH(int, page);
    bool walked = false;
    runSetup(page, [&](TSetupForm &setup) {
        waitUntilActive(setup);
        QTabBar *tabs = tabBarOf(setup);
        tabs->setFocus();
        QList<QWidget *> expected;
        if (page == 0)
            expected = {setup.cbViewCalendar, setup.cbViewCoolButtons, setup.cbViewHints, setup.cbViewBtnCaptions,
                        setup.cbAutoSelectRecipe};
        else
            expected = {setup.rgItems->checkedButton(), setup.DBGrid};
        expected << setup.BitBtn4 << tabs;
        QCOMPARE(tabWalk(setup, int(expected.size())), expected);
        walked = true;
        setup.BitBtn4->click();
    });
    QVERIFY(walked);
}

// Ctrl+Tab turns the pages; the report date item answers its access key, and Enter closes
// and saves.
void TestKeyboardEditors::setupPagesAndReportDateByKeyboard()
{
    SysInfo->WriteSystemValue(QStringLiteral("Report Date"), QStringLiteral("NoDate"));
    int pageAfterKeys = -1;
    const bool returned = runSetup(0, [&](TSetupForm &setup) {
        waitUntilActive(setup);
        QTRY_VERIFY(setup.focusWidget());
        press(setup, Qt::Key_Tab, Qt::ControlModifier);
        press(setup, Qt::Key_Tab, Qt::ControlModifier);
        pageAfterKeys = setup.PageControl1->currentIndex();
        QTest::keyClick(&setup, Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(setup.rgReportDate->checkedId(), 2);
        press(setup, Qt::Key_Return);
    });
    QVERIFY(returned);
    QCOMPARE(pageAfterKeys, 2);
    QCOMPARE(SysInfo->ReadSystemValue(QStringLiteral("Report Date")), QStringLiteral("ThisWeek"));
}

// On the last page Tab leads to the path box, Alt+A applies the picture and Alt+C closes.
void TestKeyboardEditors::setupNiftyPageByKeyboard()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("green.bmp"));
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(qRgb(0, 160, 0));
    QVERIFY(picture.save(path, "BMP"));
    QSize applied;
    const bool returned = runSetup(0, [&](TSetupForm &setup) {
        waitUntilActive(setup);
        for (int page = 0; page < 3; ++page)
            press(setup, Qt::Key_Tab, Qt::ControlModifier);
        const QList<QWidget *> walked = tabWalk(setup, 2);
        QCOMPARE(walked, (QList<QWidget *>{setup.cbEnableNiftyForms, setup.edNiftyFormsFile}));
        press(setup, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(setup.focusWidget(), path);
        QTest::keyClick(&setup, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(AbsBaseForm->NiftyManager1->picture().size(), QSize(6, 4));
        applied = AbsBaseForm->NiftyManager1->picture().size();
        QTest::keyClick(&setup, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!setup.isVisible());
    });
    QVERIFY(returned);
    QCOMPARE(applied, QSize(6, 4));
    QCOMPARE(SysInfo->ReadIniValue(QStringLiteral("Nifty Forms File"), QString()), path);
}

QTEST_MAIN(TestKeyboardEditors)
#include "tst_keyboardeditors.moc"
