#include "MainWindowFixture.h"

#include "calendar/FindByIngredientForm.h"
#include "data/EngineError.h"

#include <QApplication>
#include <QListView>
#include <QTimer>

#include <functional>

namespace {

const QList<QPair<QString, QString>> kRecipes{
    {QStringLiteral("Apple Pie"), QStringLiteral("Desserts")},   {QStringLiteral("Beef Stew"), QStringLiteral("Beef")},
    {QStringLiteral("Minestrone"), QStringLiteral("Soups")},     {QStringLiteral("Tomato Soup"), QStringLiteral("Soups")},
    {QStringLiteral("Chef's Salad"), QStringLiteral("Chef's")},
};

} // namespace

class TestRecipeList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void categoryFilter_data();
    void categoryFilter();
    void newFilterMovesToTheSearchedName();
    void enterAndDoubleClickOpenTheEditor_data();
    void enterAndDoubleClickOpenTheEditor();
    void noCommandActsOnAnEmptyList_data();
    void noCommandActsOnAnEmptyList();
    void gridHasNoDeleteKeyOfItsOwn();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void listShowsWhatTheEditorStored();
    void cancelledEditorLeavesTheListAlone();
    void searchMovesTheListOnceAfterThePause();
    void findByIngredientShowsTheChosenRecipe_data();
    void findByIngredientShowsTheChosenRecipe();
    void findByIngredientFollowsAnotherCopy();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestRecipeList::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
}

void TestRecipeList::cleanup()
{
    m_fixture.reset();
}

void TestRecipeList::categoryFilter_data()
{
    QTest::addColumn<std::function<void(MainWindowFixture &)>>("choose");
    QTest::addColumn<QStringList>("listed");
    const QStringList all{"Apple Pie", "Beef Stew", "Chef's Salad", "Minestrone", "Tomato Soup"};
    auto chooseItem = [](const QString &category) {
        return std::function<void(MainWindowFixture &)>([category](MainWindowFixture &) {
            MainForm->cbCategory->setCurrentIndex(MainForm->cbCategory->findText(category));
        });
    };
    auto type = [](const QString &text) {
        return std::function<void(MainWindowFixture &)>([text](MainWindowFixture &f) { f.typeCategory(text); });
    };
    QTest::newRow("chosen from the list") << chooseItem("Soups") << QStringList{"Minestrone", "Tomato Soup"};
    QTest::newRow("typed") << type("Beef") << QStringList{"Beef Stew"};
    QTest::newRow("ALL after a category")
        << std::function<void(MainWindowFixture &)>([](MainWindowFixture &f) {
               f.typeCategory("Soups");
               MainForm->cbCategory->setCurrentIndex(0);
           })
        << all;
    QTest::newRow("all typed in lower case") << type("all") << QStringList{};
    QTest::newRow("category typed in lower case") << type("soups") << QStringList{};
    QTest::newRow("start of a category typed") << type("Sou") << QStringList{};
    QTest::newRow("text cleared after a category")
        << std::function<void(MainWindowFixture &)>([](MainWindowFixture &f) {
               f.typeCategory("Soups");
               f.typeCategory(QString());
           })
        << all;
    QTest::newRow("category with a quote") << type("Chef's") << QStringList{"Chef's Salad"};
}

void TestRecipeList::categoryFilter()
{
    QFETCH(std::function<void(MainWindowFixture &)>, choose);
    QFETCH(QStringList, listed);
    m_fixture->addRecipes(kRecipes);
    m_fixture->exec("INSERT INTO \"LCategory\" VALUES ('Chef''s')");
    dmMain1->tblCategory.refresh();
    MainForm->Setup1->trigger();

    MainForm->cbCategory->setFocus();
    choose(*m_fixture);
    // Leave the box as a user does; the text stays as typed.
    const QString text = MainForm->cbCategory->currentText();
    QTest::keyClick(MainForm->cbCategory, Qt::Key_Tab);
    QVERIFY(!MainForm->cbCategory->hasFocus());
    QCOMPARE(MainForm->cbCategory->currentText(), text);

    QCOMPARE(m_fixture->listedNames(), listed);
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

// The search box's text is searched again within the new list, not left at the list's top.
void TestRecipeList::newFilterMovesToTheSearchedName()
{
    m_fixture->addRecipes(kRecipes);
    MainForm->SearchName->setText(QStringLiteral("t"));
    MainForm->SearchName->Clear();  // no pending search of its own may do the work
    MainForm->SearchName->setText(QStringLiteral("t"));
    QVERIFY(MainForm->SearchName->isSearchPending());

    m_fixture->typeCategory("Soups");

    QCOMPARE(m_fixture->currentName(), QStringLiteral("Tomato Soup"));
    QCOMPARE(MainForm->DBGrid1->currentIndex().row(), 1);
}

void TestRecipeList::enterAndDoubleClickOpenTheEditor_data()
{
    QTest::addColumn<std::function<void()>>("action");
    QTest::newRow("Enter in the grid") << std::function<void()>([] {
        MainForm->DBGrid1->setFocus();
        QTest::keyClick(MainForm->DBGrid1, Qt::Key_Return);
    });
    QTest::newRow("Enter in the category box") << std::function<void()>([] {
        MainForm->cbCategory->setFocus();
        QTest::keyClick(MainForm->cbCategory, Qt::Key_Return);
    });
    QTest::newRow("double click on a row") << std::function<void()>([] {
        QAbstractItemView *grid = MainForm->DBGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(3, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    });
}

void TestRecipeList::enterAndDoubleClickOpenTheEditor()
{
    QFETCH(std::function<void()>, action);
    m_fixture->addRecipes(kRecipes);
    QVERIFY(m_fixture->selectRecipe("Minestrone"));  // the fourth row
    QStringList edited;
    MainForm->editRecipeWindow = [&](QWidget &) { edited << m_fixture->currentName(); };

    action();

    QCOMPARE(edited, QStringList{"Minestrone"});
    QCOMPARE(MainForm->cbCategory->count(), 1 + dmMain1->tblCategory.recordCount());  // Enter added nothing
}

void TestRecipeList::noCommandActsOnAnEmptyList_data()
{
    QTest::addColumn<bool>("tableHoldsRecipes");
    QTest::newRow("empty table") << false;
    QTest::newRow("filter shows none") << true;
}

void TestRecipeList::noCommandActsOnAnEmptyList()
{
    QFETCH(bool, tableHoldsRecipes);
    if (tableHoldsRecipes) {
        m_fixture->addRecipes(kRecipes);
        m_fixture->typeCategory("Breakfast");
    }
    int editorRuns = 0;
    MainForm->editRecipeWindow = [&](QWidget &) { ++editorRuns; };
    const QDate day(2024, 5, 10);
    MainForm->Calendar1->setDate(day);

    for (QAction *command : {MainForm->Edit1, MainForm->Delete1, MainForm->Assign1})
        command->trigger();
    for (QToolButton *button : {MainForm->btnEdit, MainForm->btnDelete, MainForm->btnAssign})
        button->click();

    QCOMPARE(editorRuns, 0);
    QVERIFY(m_fixture->prompter().questions.isEmpty());
    QVERIFY(m_fixture->prompter().errors.isEmpty());
    QCOMPARE(m_fixture->column("SELECT count(*) FROM \"Recipe\"").value(0).toInt(), tableHoldsRecipes ? 5 : 0);
    QVERIFY(m_fixture->plannedOn(day).isEmpty());
}

void TestRecipeList::gridHasNoDeleteKeyOfItsOwn()
{
    m_fixture->addRecipes(kRecipes);
    MainForm->DBGrid1->setFocus();

    QTest::keyClick(MainForm->DBGrid1, Qt::Key_Delete);
    QTest::keyClick(MainForm->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(m_fixture->listedNames().size(), 5);
    QVERIFY(m_fixture->prompter().questions.isEmpty());
}

void TestRecipeList::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestRecipeList::deleteAsksFirst()
{
    QFETCH(bool, yes);
    m_fixture->addRecipes(kRecipes);
    QVERIFY(m_fixture->selectRecipe("Beef Stew"));
    m_fixture->prompter().answer({yes});

    MainForm->btnDelete->click();

    QCOMPARE(m_fixture->prompter().questions, QStringList{"Are you sure you want to delete this Recipe?"});
    QCOMPARE(m_fixture->listedNames().contains("Beef Stew"), !yes);
}

// The editor may store through views of its own; the list is read again when it returns.
void TestRecipeList::listShowsWhatTheEditorStored()
{
    m_fixture->addRecipes(kRecipes);
    MainForm->insertRecipeWindow = [&](QWidget &owner) {
        QCOMPARE(&owner, static_cast<QWidget *>(MainForm));
        m_fixture->exec("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES ('2001', 'Banana Bread')");
    };
    MainForm->editRecipeWindow = [&](QWidget &) {
        m_fixture->exec("UPDATE \"Recipe\" SET \"Name\" = 'Beef Goulash' WHERE \"Name\" = 'Beef Stew'");
    };

    QTest::keyClick(MainForm->DBGrid1, Qt::Key_A, Qt::AltModifier);
    QVERIFY(m_fixture->listedNames().contains("Banana Bread"));
    QVERIFY(m_fixture->selectRecipe("Beef Stew"));
    MainForm->Edit1->trigger();

    QCOMPARE(m_fixture->listedNames(),
             QStringList({"Apple Pie", "Banana Bread", "Beef Goulash", "Chef's Salad", "Minestrone", "Tomato Soup"}));
    QCOMPARE(m_fixture->currentName(), QStringLiteral("Beef Goulash"));
    QCOMPARE(MainForm->DBGrid1->currentIndex().row(), 2);
}

void TestRecipeList::cancelledEditorLeavesTheListAlone()
{
    m_fixture->addRecipes(kRecipes);
    QVERIFY(m_fixture->selectRecipe("Minestrone"));
    MainForm->editRecipeWindow = [](QWidget &) { throw SilentAbort(); };

    MainForm->btnEdit->click();

    QCOMPARE(m_fixture->currentName(), QStringLiteral("Minestrone"));
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

// Typing moves the list only once the typing pauses, with one search for the whole burst.
void TestRecipeList::searchMovesTheListOnceAfterThePause()
{
    m_fixture->addRecipes(kRecipes);
    QVERIFY(m_fixture->selectRecipe("Apple Pie"));
    int moves = 0;
    m_fixture->recipes().afterScroll = [&](TDataSet &) { ++moves; };
    MainForm->SearchName->setFocus();

    QTest::keyClicks(MainForm->SearchName, "min");
    QCOMPARE(m_fixture->currentName(), QStringLiteral("Apple Pie"));
    QVERIFY(MainForm->SearchName->isSearchPending());

    QTRY_COMPARE(m_fixture->currentName(), QStringLiteral("Minestrone"));
    QTest::qWait(400);
    QCOMPARE(moves, 1);
    QCOMPARE(MainForm->DBGrid1->currentIndex().row(), 3);
    QCOMPARE(MainForm->SearchName->text(), QStringLiteral("min"));
    m_fixture->recipes().afterScroll = nullptr;
}

namespace {

// Apple Pie, Beef Stew, Minestrone, Tomato Soup... with their ingredients.
void addRecipesWithLines(MainWindowFixture &f)
{
    const QStringList ids = f.addRecipes(kRecipes);
    const QList<QPair<int, QString>> lines{{0, "Flour"}, {0, "Apples"}, {1, "Beef"}, {2, "Tomatoes"},
                                           {2, "Beans"}, {3, "Tomatoes"}, {3, "Basil"}};
    for (const auto &[recipe, ingredient] : lines) {
        f.exec("INSERT OR IGNORE INTO \"INGREDIE\" VALUES (?, ?)", {ingredient, ingredient});
        f.exec("INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\") VALUES (?, ?, 0)",
               {ids[recipe], ingredient});
    }
}

} // namespace

void TestRecipeList::findByIngredientShowsTheChosenRecipe_data()
{
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("listedWhileTyping");
    QTest::addColumn<QString>("without");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("category");
    QTest::newRow("in the category shown") << "tomato" << "2 recipes found" << "bean" << "Tomato Soup" << "Soups";
    QTest::newRow("hidden by the category") << "FLOUR" << "1 recipe found" << "" << "Apple Pie" << "ALL";
}

// Ctrl+F, typing into both fields and Enter at once, before the list has caught up.
void TestRecipeList::findByIngredientShowsTheChosenRecipe()
{
    QFETCH(QString, with);
    QFETCH(QString, listedWhileTyping);
    QFETCH(QString, without);
    QFETCH(QString, chosen);
    QFETCH(QString, category);
    addRecipesWithLines(*m_fixture);
    m_fixture->typeCategory("Soups");
    QVERIFY(m_fixture->selectRecipe("Minestrone"));
    bool ran = false;
    QTimer::singleShot(0, MainForm, [&] {
        auto *finder = qobject_cast<FindByIngredientForm *>(QApplication::activeModalWidget());
        QVERIFY(finder);
        ran = true;
        QTest::keyClicks(finder->edWith, with);
        QTRY_COMPARE(finder->lbCount->text(), listedWhileTyping);
        QTest::keyClicks(finder->edWithout, without);
        QTest::keyClick(finder->edWithout, Qt::Key_Return);
        if (finder->isVisible())
            finder->reject();
    });
    QTest::keyClick(MainForm->DBGrid1, Qt::Key_F, Qt::ControlModifier);

    QVERIFY(ran);
    QCOMPARE(m_fixture->currentName(), chosen);
    QCOMPARE(MainForm->cbCategory->currentText(), category);
    QCOMPARE(m_fixture->listedNames().contains("Apple Pie"), category == "ALL");
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

// The list follows what another copy stores while it is open, and keeps the recipe chosen.
void TestRecipeList::findByIngredientFollowsAnotherCopy()
{
    addRecipesWithLines(*m_fixture);
    TDatabase other;
    other.openDirectory(dmMain1->Database1.directory());
    bool ran = false;
    QTimer::singleShot(0, MainForm, [&] {
        auto *finder = qobject_cast<FindByIngredientForm *>(QApplication::activeModalWidget());
        QVERIFY(finder);
        ran = true;
        QTest::keyClicks(finder->edWith, "tomato");
        QTRY_COMPARE(finder->lbCount->text(), QStringLiteral("2 recipes found"));
        QTest::keyClick(finder->lvRecipes, Qt::Key_Down);  // Tomato Soup
        execSql(other.connection(), "INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES ('2001', 'Gazpacho')");
        execSql(other.connection(),
                "INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\") VALUES ('2001', 'Tomatoes', 0)");
        QTRY_COMPARE_WITH_TIMEOUT(finder->lbCount->text(), QStringLiteral("3 recipes found"), 5000);
        QCOMPARE(finder->lvRecipes->currentIndex().data().toString(), QStringLiteral("Tomato Soup"));
        finder->reject();
    });
    QTest::keyClick(MainForm->DBGrid1, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(ran);
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

QTEST_MAIN(TestRecipeList)
#include "tst_recipelist.moc"
