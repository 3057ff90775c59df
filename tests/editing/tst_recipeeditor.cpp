#include "EditorSteps.h"

#include "data/SysInfo.h"
#include "editing/Setup.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundGrid.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundMemo.h"
#include "ui/DataSetTableModel.h"

#include <QLineEdit>

#include <QAbstractItemModel>

using Action = std::function<void(TRecipeEditForm &)>;
Q_DECLARE_METATYPE(Action)

class TestRecipeEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newRecipeWithLinesIsStoredOnOK();
    void cancellingNewRecipeStoresNothing_data();
    void cancellingNewRecipeStoresNothing();
    void cancellingEditKeepsConfirmedLines();
    void recipeListShowsTheEditAfterOK();
    void doubleClickEditsTheLine();
    void editAndDeleteWithoutLinesDoNothing();
    void deleteAsksAndKeepsLineOnNo_data();
    void deleteAsksAndKeepsLineOnNo();
    void typedTimesJoinTheirLists_data();
    void typedTimesJoinTheirLists();
    void mealChoicesAreFixed();
    void enterNeverCloses();
    void hintsFollowTheSetting_data();
    void hintsFollowTheSetting();
    void setupRefillsTimeListsOnlyAfterClose_data();
    void setupRefillsTimeListsOnlyAfterClose();
    void setupKeepsTheFieldsInPlace();

private:
    bool runInsert(const Action &action);
    bool runEdit(const Action &action);

    std::unique_ptr<EditorFixture> m_fixture;
};

void TestRecipeEditor::init()
{
    m_fixture = std::make_unique<EditorFixture>();
}

void TestRecipeEditor::cleanup()
{
    m_fixture.reset();
}

bool TestRecipeEditor::runInsert(const Action &action)
{
    TRecipeEditForm editor;
    whenShown<TRecipeEditForm>(action);
    return runCommand([&] { editor.InsertRecipe(); });
}

bool TestRecipeEditor::runEdit(const Action &action)
{
    TRecipeEditForm editor;
    whenShown<TRecipeEditForm>(action);
    return runCommand([&] { editor.EditRecipe(); });
}

void TestRecipeEditor::newRecipeWithLinesIsStoredOnOK()
{
    m_fixture->addIngredient(QStringLiteral("Flour"));
    m_fixture->addIngredient(QStringLiteral("Milk"));
    const bool stored = runInsert([](TRecipeEditForm &editor) {
        QCOMPARE(editor.windowTitle(), QStringLiteral("Inserting a New Recipe"));
        QTest::keyClicks(editor.DBEdit1, QStringLiteral("Pancakes"));
        editor.dbcbMeal->setFocus();
        QTest::keyClick(editor.dbcbMeal, Qt::Key_Down);  // the first meal: Breakfast
        addLineThrough(editor, QStringLiteral("Milk"), QStringLiteral("2"));
        addLineThrough(editor, QStringLiteral("Flour"), QStringLiteral("250"));
        QCOMPARE(editor.DBGrid1->model()->rowCount(), 2);
        QCOMPARE(shownFirst(editor.DBGrid1, 1), QStringLiteral("Flour"));
        QCOMPARE(editor.DBGrid1->model()->headerData(editor.DBGrid1->horizontalHeader()->logicalIndex(3), Qt::Horizontal),
                 QStringLiteral("Description"));
        editor.BitBtn4->click();
    });
    QVERIFY(stored);
    TTable &recipes = m_fixture->dm().tblRecipe;
    QCOMPARE(recipes.state(), DataSetState::Browse);
    QCOMPARE(recipes.fieldByName("Name").asString(), QStringLiteral("Pancakes"));
    QCOMPARE(recipes.fieldByName("Meal").asString(), QStringLiteral("Breakfast"));
    const QString id = recipes.fieldByName("Recipe_ID").asString();
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM Recipe"), 1);
    QCOMPARE(storedLines(*m_fixture, id), (QStringList{"Milk:0", "Flour:1"}));
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR WHERE Amount = '250'"), 1);
}

void TestRecipeEditor::cancellingNewRecipeStoresNothing_data()
{
    QTest::addColumn<Action>("close");
    QTest::newRow("Cancel") << Action([](TRecipeEditForm &editor) { editor.BitBtn5->click(); });
    QTest::newRow("Esc") << Action([](TRecipeEditForm &editor) { QTest::keyClick(&editor, Qt::Key_Escape); });
    QTest::newRow("close box") << Action([](TRecipeEditForm &editor) { editor.close(); });
}

void TestRecipeEditor::cancellingNewRecipeStoresNothing()
{
    QFETCH(Action, close);
    m_fixture->addIngredient(QStringLiteral("Salt"));
    const QString kept = m_fixture->addRecipe(QStringLiteral("Soup"));
    const bool stored = runInsert([&](TRecipeEditForm &editor) {
        QTest::keyClicks(editor.DBEdit1, QStringLiteral("Abandoned"));
        addLineThrough(editor, QStringLiteral("Salt"), QStringLiteral("1"));
        QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 1);  // the line was stored at once
        close(editor);
    });
    QVERIFY(!stored);
    QCOMPARE(m_fixture->column("SELECT Name FROM Recipe"), QStringList{"Soup"});
    // The original left the confirmed lines of the abandoned recipe behind, owned by nothing.
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 0);
    TTable &recipes = m_fixture->dm().tblRecipe;
    QCOMPARE(recipes.state(), DataSetState::Browse);
    QCOMPARE(recipes.fieldByName("Recipe_ID").asString(), kept);
}

void TestRecipeEditor::cancellingEditKeepsConfirmedLines()
{
    const QString salt = m_fixture->addIngredient(QStringLiteral("Salt"));
    m_fixture->addIngredient(QStringLiteral("Pepper"));
    const QString id = m_fixture->addRecipe(QStringLiteral("Soup"), {salt});
    const bool stored = runEdit([](TRecipeEditForm &editor) {
        QCOMPARE(editor.windowTitle(), QStringLiteral("Editing Recipe"));
        QCOMPARE(editor.DBEdit1->text(), QStringLiteral("Soup"));
        QTest::keyClicks(editor.DBEdit1, QStringLiteral(" changed"));
        addLineThrough(editor, QStringLiteral("Pepper"), QStringLiteral("1"));
        editor.BitBtn5->click();
    });
    QVERIFY(!stored);
    QCOMPARE(m_fixture->column("SELECT Name FROM Recipe"), QStringList{"Soup"});
    QCOMPARE(m_fixture->dm().tblRecipe.fieldByName("Name").asString(), QStringLiteral("Soup"));
    QCOMPARE(storedLines(*m_fixture, id), (QStringList{"Salt:0", "Pepper:1"}));
}

void TestRecipeEditor::recipeListShowsTheEditAfterOK()
{
    m_fixture->addRecipe(QStringLiteral("Stew"));
    m_fixture->addRecipe(QStringLiteral("Apple pie"));
    DataSetTableModel recipeList(m_fixture->dm().tblRecipe);  // the main window's list reads it so
    runEdit([](TRecipeEditForm &editor) {
        editor.DBEdit1->selectAll();
        QTest::keyClicks(editor.DBEdit1, QStringLiteral("Zucchini bake"));
        editor.BitBtn4->click();
    });
    QCOMPARE(recipeList.rowCount(), 2);
    QCOMPARE(recipeList.index(0, 0).data().toString(), QStringLiteral("Stew"));
    QCOMPARE(recipeList.index(1, 0).data().toString(), QStringLiteral("Zucchini bake"));
    QCOMPARE(m_fixture->dm().tblRecipe.recNo(), 1);
}

void TestRecipeEditor::doubleClickEditsTheLine()
{
    const QString id = m_fixture->addRecipe(QStringLiteral("Soup"), {m_fixture->addIngredient(QStringLiteral("Salt")),
                                                                    m_fixture->addIngredient(QStringLiteral("Pepper"))});
    runEdit([](TRecipeEditForm &editor) {
        whenShown<TIngredientDetailForm>([](TIngredientDetailForm &line) {
            QCOMPARE(line.DBText1->text(), QStringLiteral("Pepper"));
            QTest::keyClicks(line.DBEdit1, QStringLiteral("3"));
            line.BitBtn4->click();
        });
        const QRect cell = editor.DBGrid1->visualRect(editor.DBGrid1->model()->index(1, 0));
        QTest::mouseClick(editor.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(editor.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        editor.BitBtn4->click();
    });
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT Amount FROM REC_INGR WHERE Recipe_ID = '%1' ORDER BY \"Order\"")
                                   .arg(id)),
             (QStringList{"", "3"}));
}

void TestRecipeEditor::editAndDeleteWithoutLinesDoNothing()
{
    m_fixture->addRecipe(QStringLiteral("Toast"));
    bool lineEditorShown = false;
    const bool stored = runEdit([&](TRecipeEditForm &editor) {
        QPointer<QTimer> watch = whenShown<TIngredientDetailForm>([&](TIngredientDetailForm &) { lineEditorShown = true; });
        editor.btnEdit->click();
        editor.btnDelete->click();
        QTest::qWait(30);
        delete watch;
        editor.BitBtn4->click();
    });
    QVERIFY(stored);
    QVERIFY(!lineEditorShown);
    QVERIFY(m_fixture->prompter().questions.isEmpty());
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

void TestRecipeEditor::deleteAsksAndKeepsLineOnNo_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("No") << false << QStringList{"Salt:0", "Pepper:1"};
    QTest::newRow("Yes") << true << QStringList{"Pepper:1"};
}

void TestRecipeEditor::deleteAsksAndKeepsLineOnNo()
{
    QFETCH(bool, answer);
    QFETCH(QStringList, remaining);
    const QString id = m_fixture->addRecipe(QStringLiteral("Soup"), {m_fixture->addIngredient(QStringLiteral("Salt")),
                                                                    m_fixture->addIngredient(QStringLiteral("Pepper"))});
    m_fixture->prompter().answer({answer});
    runEdit([](TRecipeEditForm &editor) {
        editor.DBGrid1->setCurrentIndex(editor.DBGrid1->model()->index(0, 0));
        editor.btnDelete->click();
        QVERIFY(editor.isVisible());
        editor.BitBtn4->click();
    });
    QCOMPARE(m_fixture->prompter().questions, QStringList{"Are you sure you want to delete this Ingredient?"});
    QCOMPARE(storedLines(*m_fixture, id), remaining);
}

void TestRecipeEditor::typedTimesJoinTheirLists_data()
{
    QTest::addColumn<QString>("cookTime");
    QTest::addColumn<int>("added");
    QTest::newRow("new time") << "4 hours" << 1;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("listed time") << "30 min" << 0;
}

void TestRecipeEditor::typedTimesJoinTheirLists()
{
    QFETCH(QString, cookTime);
    QFETCH(int, added);
    const int cookTimes = m_fixture->count("SELECT COUNT(*) FROM LCooktime");
    const int prepTimes = m_fixture->count("SELECT COUNT(*) FROM LPrepTime");
    runInsert([&](TRecipeEditForm &editor) {
        QCOMPARE(editor.cbCookTime->count(), cookTimes);
        QTest::keyClicks(editor.DBEdit1, QStringLiteral("Roast"));
        QTest::keyClicks(editor.cbCookTime->lineEdit(), cookTime);
        editor.BitBtn4->click();
    });
    QCOMPARE(m_fixture->column("SELECT CookTime FROM Recipe").value(0), cookTime);
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LCooktime"), cookTimes + added);
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LPrepTime"), prepTimes);
    if (added)
        QCOMPARE(m_fixture->count(QStringLiteral("SELECT COUNT(*) FROM LCooktime WHERE CookTime = '%1'").arg(cookTime)), 1);
}

void TestRecipeEditor::mealChoicesAreFixed()
{
    TTable &meals = m_fixture->dm().tblMeal;
    meals.insert();
    meals.fieldByName("Meal").setAsString("Brunch");
    meals.post();
    runInsert([](TRecipeEditForm &editor) {
        QStringList shown;
        for (int i = 0; i < editor.dbcbMeal->count(); ++i)
            shown << editor.dbcbMeal->itemText(i);
        QCOMPARE(shown, (QStringList{"Breakfast", "Desert", "Dinner", "Lunch", "Salad", "Snack"}));
        QVERIFY(!editor.dbcbMeal->isEditable());
        editor.BitBtn5->click();
    });
}

void TestRecipeEditor::enterNeverCloses()
{
    runInsert([](TRecipeEditForm &editor) {
        for (QWidget *field : {static_cast<QWidget *>(editor.DBEdit1), static_cast<QWidget *>(editor.cbCookTime),
                               static_cast<QWidget *>(editor.BitBtn4)}) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(editor.isVisible());
        }
        QTest::keyClicks(editor.DBMemo1, QStringLiteral("Mix"));
        QTest::keyClick(editor.DBMemo1, Qt::Key_Return);
        QTest::keyClicks(editor.DBMemo1, QStringLiteral("Bake"));
        QVERIFY(editor.isVisible());
        editor.BitBtn4->click();
    });
    QCOMPARE(m_fixture->dm().tblRecipe.fieldByName("Instructions").asLines(), (QStringList{"Mix", "Bake"}));
}

void TestRecipeEditor::hintsFollowTheSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("shown");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("lower case") << "true" << true;
    QTest::newRow("False") << "False" << false;
}

void TestRecipeEditor::hintsFollowTheSetting()
{
    QFETCH(QString, setting);
    QFETCH(bool, shown);
    SysInfo->WriteSystemValue(QStringLiteral("View Hints"), setting);
    runInsert([&](TRecipeEditForm &editor) {
        QCOMPARE(editor.DBEdit1->toolTip(), shown ? QStringLiteral("This is the Name of the Recipe") : QString());
        QCOMPARE(editor.btnMoveUp->toolTip().isEmpty(), !shown);
        editor.BitBtn5->click();
    });
}

void TestRecipeEditor::setupRefillsTimeListsOnlyAfterClose_data()
{
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("Close") << true;
    QTest::newRow("close box") << false;
}

void TestRecipeEditor::setupRefillsTimeListsOnlyAfterClose()
{
    QFETCH(bool, closeButton);
    m_fixture->addRecipe(QStringLiteral("Stew"));
    runEdit([&](TRecipeEditForm &editor) {
        const int before = editor.cbPrepTime->count();
        whenShown<TSetupForm>([&](TSetupForm &setup) {
            QCOMPARE(setup.PageControl1->currentIndex(), 1);
            TTable &times = m_fixture->dm().tblPrepTime;
            times.insert();
            times.fieldByName("PrepTime").setAsString("3 days");
            times.post();
            closeButton ? setup.BitBtn4->click() : void(setup.close());
        });
        editor.btnSetup->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.cbPrepTime->count(), closeButton ? before + 1 : before);
        editor.BitBtn5->click();
    });
}

// Longer list values from the setup window leave the fields where they were.
void TestRecipeEditor::setupKeepsTheFieldsInPlace()
{
    m_fixture->addRecipe(QStringLiteral("Stew"));
    runEdit([&](TRecipeEditForm &editor) {
        const QList<QWidget *> fields{editor.dbcbMeal, editor.DBLookupComboBox1, editor.DBEdit3, editor.cbPrepTime,
                                      editor.cbCookTime};
        auto geometries = [&fields] {
            QList<QRect> result;
            for (const QWidget *field : fields)
                result << field->geometry();
            return result;
        };
        const QList<QRect> before = geometries();
        whenShown<TSetupForm>([&](TSetupForm &setup) {
            for (auto [list, field] : {std::pair{&m_fixture->dm().tblPrepTime, "PrepTime"},
                                       std::pair{&m_fixture->dm().tblCookTime, "CookTime"}}) {
                list->insert();
                list->fieldByName(field).setAsString("Overnight, then 3 hr");
                list->post();
            }
            setup.BitBtn4->click();
        });
        editor.btnSetup->click();
        // A combo box measures its list again whenever its style is refreshed, as the desktop
        // may do at any moment; the fields must not depend on when that happens.
        for (QWidget *field : fields) {
            QEvent styleChange(QEvent::StyleChange);
            QCoreApplication::sendEvent(field, &styleChange);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(geometries(), before);
        editor.BitBtn5->click();
    });
}

QTEST_MAIN(TestRecipeEditor)
#include "tst_recipeeditor.moc"
