// Detail views that follow their master, fill the link field of new rows, and show lookup
// fields taken from another view.

#include "EngineFixture.h"
#include "data/KeyGenerator.h"

class TestMasterDetail : public QObject {
    Q_OBJECT
private slots:
    void detailFollowsMaster();
    void insertFillsLinkField();
    void insertWhileMasterInsertsWithFreshKey();
    void emptyMasterShowsNoLines();
    void lookupField_data();
    void lookupField();
};

namespace {

struct RecipeWithLines {
    EngineFixture f;
    std::unique_ptr<TTable> recipes;
    std::unique_ptr<TTable> lines;
    std::unique_ptr<TTable> ingredients;

    RecipeWithLines()
    {
        f.addRecipe("15", "Goulash");
        f.addRecipe("6", "Apple pie");
        f.addRecipe("150", "Minestrone");
        f.addIngredient("1", "Flour");
        f.addIngredient("2", "Paprika");
        f.addIngredient("3", "Beef");
        f.addLine("6", "1", 0, "2");
        f.addLine("15", "3", 1, "500");
        f.addLine("15", "2", 0, "1");
        f.addLine("150", "1", 0, "1");
        recipes = f.table(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
        lines = f.table(QStringLiteral("REC_INGR.DB"), QStringLiteral("Recipe_ID;Order"));
        ingredients = f.table(QStringLiteral("INGREDIE.DB"), QStringLiteral("Ingredient_ID"));
        lines->setMasterSource(recipes.get(), QStringLiteral("Recipe_ID"));
        lines->addLookupField(QStringLiteral("Ingredient"), 20,
                              {QStringLiteral("Ingredient_ID"), ingredients.get(), QStringLiteral("Ingredient_ID"),
                               QStringLiteral("Ingredient")});
        recipes->open();
        lines->open();
        ingredients->open();
    }
};

} // namespace

void TestMasterDetail::detailFollowsMaster()
{
    RecipeWithLines data;
    QCOMPARE(data.recipes->fieldByName("Name").asString(), QStringLiteral("Apple pie"));
    QCOMPARE(column(*data.lines, "Ingredient"), QStringList{"Flour"});

    data.recipes->next();
    QCOMPARE(data.recipes->fieldByName("Name").asString(), QStringLiteral("Goulash"));
    // "15" must not pick up the lines of "150", and the lines come in their Order.
    QCOMPARE(column(*data.lines, "Ingredient"), (QStringList{"Paprika", "Beef"}));
    QCOMPARE(column(*data.lines, "Amount"), (QStringList{"1", "500"}));

    QVERIFY(data.recipes->locate("Name", "Minestrone"));
    QCOMPARE(data.lines->recordCount(), 1);
    data.recipes->first();
    QCOMPARE(data.lines->recordCount(), 1);
    QCOMPARE(data.lines->fieldByName("Recipe_ID").asString(), QStringLiteral("6"));
}

void TestMasterDetail::insertFillsLinkField()
{
    RecipeWithLines data;
    data.recipes->next();
    data.lines->insert();
    QCOMPARE(data.lines->fieldByName("Recipe_ID").asString(), QStringLiteral("15"));
    QVERIFY(!data.lines->isModified());
    data.lines->fieldByName("Ingredient_ID").setAsString("1");
    data.lines->fieldByName("Order").setAsInteger(2);
    data.lines->post();

    QCOMPARE(data.lines->recordCount(), 3);
    QCOMPARE(data.lines->fieldByName("Ingredient").asString(), QStringLiteral("Flour"));
    QCOMPARE(data.f.scalar("SELECT count(*) FROM REC_INGR WHERE Recipe_ID = '15'").toInt(), 3);
    data.recipes->first();
    QCOMPARE(data.lines->recordCount(), 1);
}

void TestMasterDetail::insertWhileMasterInsertsWithFreshKey()
{
    RecipeWithLines data;
    data.recipes->onNewRecord = [&](TDataSet &) { AssignNewKey(*data.recipes, QStringLiteral("Recipe_ID")); };
    data.recipes->insert();
    const QString key = data.recipes->fieldByName("Recipe_ID").asString();
    QVERIFY(!key.isEmpty());
    QCOMPARE(data.lines->recordCount(), 0);

    // The editor adds lines before the recipe itself is stored.
    data.lines->insert();
    QCOMPARE(data.lines->fieldByName("Recipe_ID").asString(), key);
    data.lines->fieldByName("Ingredient_ID").setAsString("2");
    data.lines->post();
    QCOMPARE(data.lines->recordCount(), 1);
    QCOMPARE(data.recipes->state(), DataSetState::Insert);

    data.recipes->fieldByName("Name").setAsString("Paprika chicken");
    data.recipes->post();
    QCOMPARE(data.recipes->fieldByName("Recipe_ID").asString(), key);
    QCOMPARE(data.lines->recordCount(), 1);
    QCOMPARE(data.lines->fieldByName("Ingredient").asString(), QStringLiteral("Paprika"));
    QCOMPARE(data.f.scalar("SELECT count(*) FROM REC_INGR WHERE Recipe_ID = ?", {key}).toInt(), 1);
}

void TestMasterDetail::emptyMasterShowsNoLines()
{
    EngineFixture f;
    f.addLine("", "1", 0);
    auto recipes = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    auto lines = f.table(QStringLiteral("REC_INGR.DB"), QStringLiteral("Recipe_ID;Order"));
    lines->setMasterSource(recipes.get(), QStringLiteral("Recipe_ID"));
    lines->open();
    QVERIFY(recipes->isEmpty());
    QCOMPARE(lines->recordCount(), 0);
}

void TestMasterDetail::lookupField_data()
{
    QTest::addColumn<QVariant>("ingredientId");
    QTest::addColumn<QString>("expected");

    QTest::newRow("existing ingredient") << QVariant("2") << "Paprika";
    QTest::newRow("missing ingredient") << QVariant("99") << "";
    QTest::newRow("no ingredient") << QVariant() << "";
    QTest::newRow("key as number") << QVariant(3) << "Beef";
}

void TestMasterDetail::lookupField()
{
    QFETCH(QVariant, ingredientId);
    QFETCH(QString, expected);

    RecipeWithLines data;
    data.lines->insert();
    data.lines->fieldByName("Ingredient_ID").setValue(ingredientId);
    QCOMPARE(data.lines->fieldByName("Ingredient").asString(), expected);
    QCOMPARE(data.lines->fieldByName("Ingredient").isNull(), expected.isEmpty());
    if (ingredientId.isNull()) {
        data.lines->cancel();  // a line needs its ingredient key to be stored
        QCOMPARE(data.lines->fieldByName("Ingredient").asString(), QStringLiteral("Flour"));
        return;
    }
    data.lines->fieldByName("Order").setAsInteger(7);
    data.lines->post();

    // Grids read rows without moving the view; the lookup must be computed there too.
    const int lookup = data.lines->fieldIndex("Ingredient");
    QStringList shown;
    for (int row = 0; row < data.lines->recordCount(); ++row)
        shown << data.lines->valueAt(row, lookup).toString();
    QCOMPARE(shown, (QStringList{"Flour", expected}));
}

QTEST_GUILESS_MAIN(TestMasterDetail)
#include "tst_masterdetail.moc"
