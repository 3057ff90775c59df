#include "reports/CombinedShoppingLayout.h"

#include "data/dmmain.h"

namespace {

const QColor kNavy(0, 0, 128);
const double kRecipeLeft = 122.0;

QList<FieldDef> rowFields()
{
    QList<FieldDef> fields;
    for (const char *name : {"Ingredient_ID", "Ingredient", "Amount", "Measurement", "Description", "Recipe"})
        fields.append({QString::fromLatin1(name), FieldType::Text, 0});
    return fields;
}

} // namespace

CombinedShoppingLayout::CombinedShoppingLayout(TdmMain1 &dataModule)
    : TqrIngredient(dataModule), m_rows(dataModule.Database1, rowFields())
{
    m_lines = &m_rows;
    setMasterDataSet(&m_rows);
    ReportBand &title = *band(QStringLiteral("TitleBand"));
    title.addLabel(QStringLiteral("lbRecipe"), QStringLiteral("Recipe"), {kRecipeLeft, 15.3},
                   ItemStyle::arial(10, false, kNavy));
    title.item(QStringLiteral("lnColumns"))->setWidth(kRecipeLeft + 60.0 - 7.9);
    ReportBand &line = *band(QStringLiteral("LineBand"));
    // Totals such as "2 1/4-3 1/2" need more room than single amounts.
    line.item(QStringLiteral("dbAmount"))->setWidth(17.0);
    line.item(QStringLiteral("dbDescription"))->setFitWidth(kRecipeLeft - 74.1 - 2.0);
    ReportItem &recipe = line.addData(QStringLiteral("dbRecipe"), [this] { return m_rows.fieldByName(QStringLiteral("Recipe")).asString(); },
                                      {kRecipeLeft, 0.5}, ItemStyle::arial(9));
    recipe.setFitWidth(190.5 - kRecipeLeft - 8.0);
}

void CombinedShoppingLayout::prepareRows(const QList<CombinedShoppingRow> &rows)
{
    std::vector<QVector<QVariant>> values;
    values.reserve(size_t(rows.size()));
    for (const CombinedShoppingRow &row : rows)
        values.push_back({row.ingredient.toLower(), row.ingredient, row.amount, row.measurement, row.description,
                          row.recipe});
    m_rows.setRows(std::move(values));
    restart();
}
