// Searching a view: exact key search on a key prefix, nearest match, and locate; and finding
// recipes by their ingredients.

#include "EngineFixture.h"
#include "data/RecipeFinder.h"

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void findKey_data();
    void findKey();
    void findNearest_data();
    void findNearest();
    void locate_data();
    void locate();
    void locateStaysInsideTheView();
    void findByIngredient_data();
    void findByIngredient();
    void findSeesWhatWasStoredSince_data();
    void findSeesWhatWasStoredSince();
    void ownChangesAreReadAsAFreshFinderWould_data();
    void ownChangesAreReadAsAFreshFinderWould();
    void readAheadBringsAnotherCopysRows_data();
    void readAheadBringsAnotherCopysRows();
};

namespace {

std::unique_ptr<EngineFixture> recipeBook()
{
    auto f = std::make_unique<EngineFixture>();
    f->addRecipe("15", "chili con carne", "Beef");
    f->addRecipe("150", "Apple pie", "Desserts");
    f->addRecipe("6", "Chicken soup", "Soups");
    f->addRecipe("7", "apple sauce", "Desserts");
    f->addRecipe("8", "Zabaglione", "Desserts");
    f->addRecipe("9", "Banana bread");
    for (const char *recipe : {"15", "150", "6"})
        for (int order = 2; order >= 0; --order)
            f->addLine(QString::fromLatin1(recipe), QString::number(10 + order), order, QString::number(order));
    return f;
}

// Pesto (key 20), whose one line is garlic (key 1).
void addGarlicPesto(EngineFixture &f)
{
    f.addIngredient("1", "Garlic");
    f.addRecipe("20", "Pesto");
    f.addLine("20", "1", 0);
}

// Aioli (key 21) with garlic, stored through the connection given, its line first.
bool storeAioli(const QSqlDatabase &connection)
{
    return execSql(connection,
                   "INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\") VALUES ('21', '1', 0)")
        && execSql(connection, "INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES ('21', 'Aioli')");
}

} // namespace

void TestSearch::findKey_data()
{
    QTest::addColumn<QVariantList>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<int>("order");

    QTest::newRow("prefix: first line of a recipe") << QVariantList{"15"} << true << "15" << 0;
    QTest::newRow("full key") << QVariantList{"15", 2} << true << "15" << 2;
    QTest::newRow("order given as text") << QVariantList{"150", "1"} << true << "150" << 1;
    QTest::newRow("text prefix is not a key prefix") << QVariantList{"1"} << false << "" << 0;
    QTest::newRow("missing recipe") << QVariantList{"5"} << false << "" << 0;
    QTest::newRow("missing line") << QVariantList{"6", 3} << false << "" << 0;
    QTest::newRow("key as number") << QVariantList{6} << true << "6" << 0;
}

void TestSearch::findKey()
{
    QFETCH(QVariantList, key);
    QFETCH(bool, found);
    QFETCH(QString, recipe);
    QFETCH(int, order);

    auto f = recipeBook();
    auto lines = f->openTable(QStringLiteral("Rec_ingr.DB"), QStringLiteral("Recipe_ID;Order"));
    lines->setRecNo(4);
    const QString before = lines->fieldByName("Ingredient_ID").asString() + lines->fieldByName("Recipe_ID").asString();

    QCOMPARE(lines->findKey(key), found);
    if (found) {
        QCOMPARE(lines->fieldByName("Recipe_ID").asString(), recipe);
        QCOMPARE(lines->fieldByName("Order").asInteger(), order);
    } else {
        QCOMPARE(lines->recNo(), 4);
        QCOMPARE(lines->fieldByName("Ingredient_ID").asString() + lines->fieldByName("Recipe_ID").asString(), before);
    }
}

void TestSearch::findNearest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lower-case prefix of a capitalised name") << "app" << "Apple pie";
    QTest::newRow("upper-case prefix of a lower-case name") << "CHI" << "Chicken soup";
    QTest::newRow("prefix inside one name") << "chil" << "chili con carne";
    QTest::newRow("whole name in other case") << "APPLE SAUCE" << "apple sauce";
    QTest::newRow("between two names") << "bz" << "Chicken soup";
    QTest::newRow("before every name") << "0" << "Apple pie";
    QTest::newRow("past every name") << "zz" << "Zabaglione";
    QTest::newRow("empty text") << "" << "Apple pie";
    QTest::newRow("longer than the field") << "Chicken soup" + QString(40, QLatin1Char('x')) << "chili con carne";
}

void TestSearch::findNearest()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    auto f = recipeBook();
    auto recipes = f->openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    recipes->setRecNo(3);
    recipes->findNearest({text});
    QCOMPARE(recipes->fieldByName("Name").asString(), expected);
}

void TestSearch::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<QString>("expected");

    QTest::newRow("exact") << "Name" << "Apple pie" << false << "Apple pie";
    QTest::newRow("other case refused") << "Name" << "apple PIE" << false << "";
    QTest::newRow("other case accepted") << "Name" << "apple PIE" << true << "Apple pie";
    QTest::newRow("prefix is no match") << "Name" << "Apple" << true << "";
    QTest::newRow("first in view order") << "Category" << "desserts" << true << "Apple pie";
    QTest::newRow("non-key field") << "Category" << "Soups" << false << "Chicken soup";
    QTest::newRow("blank field") << "Category" << "" << false << "Banana bread";
}

void TestSearch::locate()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(bool, caseInsensitive);
    QFETCH(QString, expected);

    auto f = recipeBook();
    auto recipes = f->openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    recipes->last();
    QCOMPARE(recipes->locate(field, value, caseInsensitive), !expected.isEmpty());
    QCOMPARE(recipes->fieldByName("Name").asString(), expected.isEmpty() ? QStringLiteral("Zabaglione") : expected);
}

void TestSearch::locateStaysInsideTheView()
{
    auto f = recipeBook();
    auto recipes = f->table(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    recipes->setFilter(QStringLiteral("Category = 'Desserts'"));
    recipes->setFiltered(true);
    recipes->open();
    auto lines = f->table(QStringLiteral("REC_INGR.DB"), QStringLiteral("Recipe_ID;Order"));
    lines->setMasterSource(recipes.get(), QStringLiteral("Recipe_ID"));
    lines->open();

    QVERIFY(!recipes->locate("Name", "chicken soup", true));
    QVERIFY(recipes->locate("Name", "ZABAGLIONE", true));
    QCOMPARE(recipes->recNo(), 2);
    QVERIFY(!lines->locate("Amount", "2"));  // Zabaglione has no lines; other recipes have this one
    QVERIFY(recipes->locate("Name", "apple pie", true));
    QVERIFY(lines->locate("Amount", "2"));
    QCOMPARE(lines->fieldByName("Recipe_ID").asString(), QStringLiteral("150"));
}

void TestSearch::findByIngredient_data()
{
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("without");
    QTest::addColumn<QStringList>("found");
    const QStringList all{"Crayfish gratin", "Garlic chicken", "Hummus", "Pesto", "plain water", "Satay"};
    QTest::newRow("nothing typed: every recipe") << "" << " , " << all;
    QTest::newRow("a start names every ingredient it begins")
        << "CHICK" << "" << QStringList{"Garlic chicken", "Hummus", "Satay"};
    QTest::newRow("each ingredient must be there") << "chick, garlic" << "" << QStringList{"Garlic chicken", "Hummus"};
    QTest::newRow("the start of the name, not of a word in it") << "nuts" << "" << QStringList{};
    QTest::newRow("blanks around and empty parts")
        << " garlic ,, " << "" << QStringList{"Garlic chicken", "Hummus", "Pesto"};
    QTest::newRow("without takes recipes away") << "garlic" << "pine, PEA" << QStringList{"Garlic chicken", "Hummus"};
    QTest::newRow("nothing to have: all but the excluded")
        << "" << "p" << QStringList{"Crayfish gratin", "Garlic chicken", "Hummus", "plain water"};
    QTest::newRow("letter case beyond ASCII") << "écrev, CRÈME" << "" << QStringList{"Crayfish gratin"};
    QTest::newRow("a start that names no ingredient") << "garlic, saffron" << "" << QStringList{};
    QTest::newRow("had and excluded at once") << "salt" << "s" << QStringList{};
}

void TestSearch::findByIngredient()
{
    QFETCH(QString, with);
    QFETCH(QString, without);
    QFETCH(QStringList, found);
    EngineFixture f;
    const QStringList ingredients{"Chicken breast", "chickpeas", "Garlic", "Peanuts", "Pine nuts", "Crème fraîche",
                                  "ÉCREVISSES", "Salt"};
    for (int i = 0; i < ingredients.size(); ++i)
        f.addIngredient(QString::number(i + 1), ingredients[i]);
    const QList<QPair<QString, QList<int>>> recipes{{"Garlic chicken", {1, 3, 8}}, {"Hummus", {2, 3, 8}},
                                                     {"Satay", {1, 4}},          {"Pesto", {3, 5}},
                                                     {"Crayfish gratin", {7, 6}}, {"plain water", {}}};
    for (int r = 0; r < recipes.size(); ++r) {
        const QString id = QString::number(20 + r);
        f.addRecipe(id, recipes[r].first);
        for (int ingredient : recipes[r].second)
            f.addLine(id, QString::number(ingredient), ingredient);
    }

    QStringList names;
    const IngredientCriteria criteria{RecipeFinder::namesFromText(with), RecipeFinder::namesFromText(without)};
    for (const FoundRecipe &recipe : RecipeFinder(f.db).find(criteria))
        names << recipe.name;
    QCOMPARE(names, found);
}

void TestSearch::findSeesWhatWasStoredSince_data()
{
    QTest::addColumn<bool>("byAnotherCopy");
    QTest::newRow("this copy") << false;
    QTest::newRow("another copy") << true;
}

// The finder keeps what it read: a recipe stored after one search is found by the next.
void TestSearch::findSeesWhatWasStoredSince()
{
    QFETCH(bool, byAnotherCopy);
    EngineFixture f;
    addGarlicPesto(f);
    RecipeFinder finder(f.db);
    QCOMPARE(finder.find({{"garlic"}, {}}).size(), 1);

    TDatabase other;
    other.openDirectory(f.directory());
    QVERIFY(storeAioli((byAnotherCopy ? other : f.db).connection()));

    const QList<FoundRecipe> found = finder.find({{"garlic"}, {}});
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.first().name, QStringLiteral("Aioli"));
}

void TestSearch::ownChangesAreReadAsAFreshFinderWould_data()
{
    QTest::addColumn<QStringList>("changes");
    const QString recipe = QStringLiteral("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES ");
    const QString line = QStringLiteral("INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\") VALUES ");
    QTest::newRow("recipe renamed") << QStringList{"UPDATE \"Recipe\" SET \"Name\" = 'Zesty pesto' WHERE \"Recipe_ID\" = '20'"};
    QTest::newRow("name made equal to another's")
        << QStringList{"UPDATE \"Recipe\" SET \"Name\" = 'PESTO' WHERE \"Recipe_ID\" = '22'"};
    QTest::newRow("recipe deleted with its lines")
        << QStringList{"DELETE FROM \"REC_INGR\" WHERE \"Recipe_ID\" = '21'", "DELETE FROM \"Recipe\" WHERE \"Recipe_ID\" = '21'"};
    QTest::newRow("recipe deleted, lines left") << QStringList{"DELETE FROM \"Recipe\" WHERE \"Recipe_ID\" = '21'"};
    QTest::newRow("recipe's key changed") << QStringList{"UPDATE \"Recipe\" SET \"Recipe_ID\" = '30' WHERE \"Recipe_ID\" = '23'"};
    QTest::newRow("lines stored before their recipe") << QStringList{line + "('25', '1', 0), ('25', '3', 1)", recipe + "('25', 'Gremolata')"};
    QTest::newRow("line added") << QStringList{line + "('22', '1', 2)"};
    QTest::newRow("line moved to another ingredient")
        << QStringList{"UPDATE \"REC_INGR\" SET \"Ingredient_ID\" = '3' WHERE \"Recipe_ID\" = '20' AND \"Ingredient_ID\" = '2'"};
    QTest::newRow("line moved to another recipe")
        << QStringList{"UPDATE \"REC_INGR\" SET \"Recipe_ID\" = '22' WHERE \"Recipe_ID\" = '21'"};
    QTest::newRow("ingredient renamed") << QStringList{"UPDATE \"INGREDIE\" SET \"Ingredient\" = 'Wild garlic' WHERE \"Ingredient_ID\" = '1'"};
    QTest::newRow("ingredient deleted") << QStringList{"DELETE FROM \"INGREDIE\" WHERE \"Ingredient_ID\" = '2'"};
    QTest::newRow("ingredient stored after a line named it")
        << QStringList{"INSERT INTO \"INGREDIE\" VALUES ('9', 'Garlic chives')"};
    QTest::newRow("change rolled back")
        << QStringList{"BEGIN", "DELETE FROM \"Recipe\" WHERE \"Recipe_ID\" = '20'", "ROLLBACK"};
    QTest::newRow("too many recipes to read one by one")
        << QStringList{"WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) " + recipe.section(" VALUES", 0, 0)
                       + " SELECT i, 'Dip ' || i FROM n",
                       "WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) " + line.section(" VALUES", 0, 0)
                       + " SELECT i, '3', 0 FROM n"};
}

// A kept finder reads just what this copy changed; it must answer as one that reads everything.
void TestSearch::ownChangesAreReadAsAFreshFinderWould()
{
    QFETCH(QStringList, changes);
    EngineFixture f;
    for (const auto &[id, name] : {std::pair{"1", "Garlic"}, {"2", "Basil"}, {"3", "Lemon"}})
        f.addIngredient(id, name);
    const QList<std::tuple<QString, QString, QStringList>> recipes{
        {"20", "Pesto", {"1", "2"}}, {"21", "Aioli", {"1"}}, {"22", "lemonade", {"3", "9"}},
        {"23", "pesto", {"2"}},      {"24", "Éclair", {"3"}}};
    for (const auto &[id, name, ingredients] : recipes) {
        f.addRecipe(id, name);
        for (int order = 0; order < ingredients.size(); ++order)
            f.addLine(id, ingredients[order], order);
    }
    const QList<IngredientCriteria> searches{{{}, {}}, {{"garlic"}, {}}, {{"b"}, {}}, {{"l"}, {"garlic"}}, {{"wild"}, {}}};
    RecipeFinder kept(f.db);
    kept.find({});

    for (const QString &change : changes)
        f.exec(change);
    auto listed = [](const QList<FoundRecipe> &found) {
        QStringList rows;
        for (const FoundRecipe &recipe : found)
            rows << recipe.id + QLatin1Char(' ') + recipe.name;
        return rows;
    };
    for (const IngredientCriteria &search : searches)
        QCOMPARE(listed(kept.find(search)), listed(RecipeFinder(f.db).find(search)));
}

void TestSearch::readAheadBringsAnotherCopysRows_data()
{
    QTest::addColumn<bool>("searchedFirst");
    QTest::newRow("after a search") << true;
    QTest::newRow("before any search, when nothing is noted") << false;
}

// Another copy's rows are read on a thread of their own; what this copy changes meanwhile,
// and after, is read on top of them.
void TestSearch::readAheadBringsAnotherCopysRows()
{
    QFETCH(bool, searchedFirst);
    EngineFixture f;
    addGarlicPesto(f);
    RecipeFinder finder(f.db);
    if (searchedFirst) {
        QCOMPARE(finder.find({{"garlic"}, {}}).size(), 1);
        QVERIFY(!finder.readAhead());
    }

    TDatabase other;
    other.openDirectory(f.directory());
    QVERIFY(storeAioli(other.connection()));
    QVERIFY(!finder.readAhead());
    f.exec("UPDATE \"Recipe\" SET \"Name\" = 'Pesto genovese' WHERE \"Recipe_ID\" = '20'");
    QTRY_VERIFY(finder.readAhead());
    f.exec("UPDATE \"Recipe\" SET \"Name\" = 'Allioli' WHERE \"Recipe_ID\" = '21'");

    QStringList names;
    for (const FoundRecipe &recipe : finder.find({{"garlic"}, {}}))
        names << recipe.name;
    QCOMPARE(names, (QStringList{"Allioli", "Pesto genovese"}));
    QVERIFY(!finder.readAhead());
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
