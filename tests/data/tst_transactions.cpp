// Compound writes: all or nothing, with the open views showing the database as it is after
// a rollback.

#include "EngineFixture.h"

#include <stdexcept>

class TestTransactions : public QObject {
    Q_OBJECT
private slots:
    void failedOperationRollsBackEverything();
    void viewsAreReReadAfterRollback();
    void innerRollbackKeepsOuterWork();
};

namespace {

void addRecipeThrough(TTable &view, const QString &id, const QString &name)
{
    view.insert();
    view.fieldByName("Recipe_ID").setAsString(id);
    view.fieldByName("Name").setAsString(name);
    view.post();
}

void addLineThrough(TTable &lines, const QString &ingredientId, int order)
{
    lines.insert();
    lines.fieldByName("Ingredient_ID").setAsString(ingredientId);
    lines.fieldByName("Order").setAsInteger(order);
    lines.post();
}

} // namespace

void TestTransactions::failedOperationRollsBackEverything()
{
    EngineFixture f;
    f.addRecipe("1", "Soup");
    auto recipes = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    auto lines = f.table(QStringLiteral("REC_INGR.DB"), QStringLiteral("Recipe_ID;Order"));
    lines->setMasterSource(recipes.get(), QStringLiteral("Recipe_ID"));
    lines->open();

    // An import stores a recipe with its lines; the second line repeats an ingredient.
    int category = 0;
    try {
        TTransaction transaction(f.db);
        addRecipeThrough(*recipes, "2", "Goulash");
        addLineThrough(*lines, "7", 0);
        addLineThrough(*lines, "7", 1);
        transaction.commit();
    } catch (const EngineError &e) {
        category = e.category();
    }
    QCOMPARE(category, int(EngineError::CatIntegrity));
    QVERIFY(!f.db.inTransaction());
    QCOMPARE(f.count("Recipe"), 1);
    QCOMPARE(f.count("REC_INGR"), 0);
    QCOMPARE(column(*recipes, "Name"), QStringList{"Soup"});
    QCOMPARE(recipes->state(), DataSetState::Browse);
    QCOMPARE(lines->state(), DataSetState::Browse);
    QCOMPARE(lines->recordCount(), 0);

    // The database is usable again at once.
    addRecipeThrough(*recipes, "2", "Goulash");
    addLineThrough(*lines, "7", 0);
    QCOMPARE(f.count("REC_INGR"), 1);
}

void TestTransactions::viewsAreReReadAfterRollback()
{
    EngineFixture f;
    for (int i = 1; i <= 5; ++i)
        f.addRecipe(QString::number(i), QStringLiteral("Recipe %1").arg(i));
    auto recipes = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    auto byKey = f.openTable(QStringLiteral("RECIPE.DB"), QStringLiteral("Recipe_ID"));
    recipes->setRecNo(3);
    try {
        TTransaction transaction(f.db);
        recipes->first();
        recipes->remove();
        recipes->remove();
        addRecipeThrough(*recipes, "6", "Another");
        byKey->last();
        byKey->edit();
        byKey->fieldByName("Name").setAsString("Renamed");
        byKey->post();
        throw std::runtime_error("import aborted");
    } catch (const std::runtime_error &) {
    }
    QCOMPARE(column(*recipes, "Name"),
             (QStringList{"Recipe 1", "Recipe 2", "Recipe 3", "Recipe 4", "Recipe 5"}));
    QCOMPARE(column(*byKey, "Name"), (QStringList{"Recipe 1", "Recipe 2", "Recipe 3", "Recipe 4", "Recipe 5"}));
    QVERIFY(!recipes->locate("Name", "Another"));
    QVERIFY(recipes->findKey({"recipe 5"}));
    recipes->edit();
    QCOMPARE(recipes->fieldByName("Name").asString(), QStringLiteral("Recipe 5"));
    recipes->cancel();
}

void TestTransactions::innerRollbackKeepsOuterWork()
{
    EngineFixture f;
    auto recipes = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    {
        TTransaction outer(f.db);
        addRecipeThrough(*recipes, "1", "Soup");
        {
            TTransaction inner(f.db);
            addRecipeThrough(*recipes, "2", "Stew");
        }
        QVERIFY(f.db.inTransaction());
        QCOMPARE(column(*recipes, "Name"), QStringList{"Soup"});
        addRecipeThrough(*recipes, "3", "Salad");
        outer.commit();
    }
    QCOMPARE(column(*recipes, "Name"), (QStringList{"Salad", "Soup"}));
    QCOMPARE(f.count("Recipe"), 2);
}

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
