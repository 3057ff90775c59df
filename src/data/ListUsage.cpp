#include "data/ListUsage.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/SqliteStatement.h"

namespace {

int countRecipes(TDatabase &db, const TableDef &table, const QString &field, const QString &value)
{
    SqliteStatement &count = db.statement(QStringLiteral("SELECT count(DISTINCT \"Recipe_ID\") FROM %1 WHERE %2 = ?")
                                              .arg(SqlText::quoted(table.name), SqlText::quoted(field)),
                                          table.name);
    StatementRun run(count);
    // A value longer than the field was cut when a recipe stored it.
    const FieldDef *def = table.field(field);
    count.bind(0, def && def->size > 0 ? value.left(def->size) : value);
    count.step();
    return int(count.int64Value(0));
}

} // namespace

int RecipesUsingIngredient(TDatabase &db, const QString &ingredientId)
{
    return countRecipes(db, *Schema::findTable(QStringLiteral("REC_INGR")), QStringLiteral("Ingredient_ID"), ingredientId);
}

int RecipesUsingListValue(TDatabase &db, const QString &listField, const QString &value)
{
    const TableDef *recipes = Schema::findTable(QStringLiteral("Recipe"));
    const TableDef *table = recipes->field(listField) ? recipes : Schema::findTable(QStringLiteral("REC_INGR"));
    return countRecipes(db, *table, listField, value);
}

QString RecipesUseText(int recipes)
{
    return recipes == 1 ? QStringLiteral("1 recipe uses") : QStringLiteral("%1 recipes use").arg(recipes);
}
