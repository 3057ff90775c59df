#include "exchange/RecipeExporter.h"

#include "data/DataSetHelpers.h"
#include "data/dmmain.h"
#include "exchange/LineWriter.h"

RecipeExporter::~RecipeExporter() = default;

int RecipeExporter::exportKeys(const QString &fileName, const QStringList &recipeKeys)
{
    // Views of their own: no filter of the main window applies, and its views stay where they are.
    TTable recipes(m_tables.Database1);
    recipes.setTableName(QStringLiteral("Recipe.DB"));
    TTable lines(m_tables.Database1);
    lines.setTableName(QStringLiteral("REC_INGR.DB"));
    lines.setIndexFieldNames(QStringLiteral("Recipe_ID;Order"));
    lines.setMasterSource(&recipes, QStringLiteral("Recipe_ID"));
    recipes.open();
    lines.open();
    return exportEach(fileName, recipeKeys, recipes, lines, [&recipes](const QString &key) {
        return !key.isEmpty() && recipes.findKey({key});
    });
}

int RecipeExporter::exportRecipes(const QString &fileName, const QStringList &names)
{
    return exportEach(fileName, names, m_tables.tblRecipe, m_tables.tblRecipeIngredient,
                      [this](const QString &name) { return m_tables.FindRecipeNamed(name); });
}

int RecipeExporter::exportEach(const QString &fileName, const QStringList &items, TTable &recipes, TTable &lines,
                               const std::function<bool(const QString &)> &locate)
{
    readIngredientNames();
    m_lineFields = {lines.fieldIndex(QStringLiteral("Ingredient_ID")), lines.fieldIndex(QStringLiteral("Order")),
                    lines.fieldIndex(QStringLiteral("Amount")), lines.fieldIndex(QStringLiteral("Measurement")),
                    lines.fieldIndex(QStringLiteral("Description"))};
    // The walk over the recipes reads only the ingredient lines it writes.
    TDeferredDetailReads deferred(m_tables.Database1);
    LineWriter out(fileName);
    int written = 0;
    for (const QString &item : items) {
        if (!locate(item))
            continue;
        readRecipe(recipes, lines);
        writeRecipe(out, m_recipe);
        ++written;
        if (m_progress)
            m_progress(written);
    }
    out.close();
    m_ingredientNames.clear();
    return written;
}

void RecipeExporter::readIngredientNames()
{
    TTable &ingredients = m_tables.tblIngredientLookup;
    const int key = ingredients.fieldIndex(QStringLiteral("Ingredient_ID"));
    const int name = ingredients.fieldIndex(QStringLiteral("Ingredient"));
    const int rows = ingredients.recordCount();
    m_ingredientNames.clear();
    m_ingredientNames.reserve(rows);
    for (int row = 0; row < rows; ++row)
        m_ingredientNames.insert(ingredients.valueAt(row, key).toString(), ingredients.valueAt(row, name).toString());
}

void RecipeExporter::readRecipe(TTable &recipes, TTable &lines)
{
    ExportedRecipe &r = m_recipe;
    auto text = [&recipes](const char *field) { return recipes.fieldByName(QLatin1String(field)).asString(); };
    r.name = text("Name");
    r.meal = text("Meal");
    r.category = text("Category");
    r.prepTime = text("PrepTime");
    r.servings = text("Servings");
    r.cookTime = text("CookTime");
    r.instructions = recipes.fieldByName(QStringLiteral("Instructions")).asLines();
    r.notes = recipes.fieldByName(QStringLiteral("Notes")).asLines();
    const LineFields &f = m_lineFields;
    const int count = lines.recordCount();
    r.lines.resize(count);
    for (int row = 0; row < count; ++row) {
        ExportedLine &line = r.lines[row];
        line.ingredient = m_ingredientNames.value(lines.valueAt(row, f.ingredientId).toString());
        line.order = FieldText::toText(FieldType::Integer, lines.valueAt(row, f.order));
        line.amount = lines.valueAt(row, f.amount).toString();
        line.measurement = lines.valueAt(row, f.measurement).toString();
        line.description = lines.valueAt(row, f.description).toString();
    }
}
