#include "reports/rep3.h"

#include "data/ReportQueries.h"
#include "data/dmmain.h"

namespace {

const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);

} // namespace

TqrIngredient::TqrIngredient(TdmMain1 &dataModule) : QueryIngredient(dataModule.Database1)
{
    setPage(QPageSize::Letter, QPageLayout::Portrait, QMarginsF(12.7, 12.7, 12.7, 12.7));
    setTitle(QStringLiteral("Shopping List"));
    QueryIngredient.addLookupField(QStringLiteral("Ingredient"), 40,
                                   {QStringLiteral("Ingredient_ID"), &dataModule.tblIngredientLookup,
                                    QStringLiteral("Ingredient_ID"), QStringLiteral("Ingredient")});
    addTitleBand();
    addGroupBand();
    addLineBand();
    setMasterDataSet(&QueryIngredient);
}

void TqrIngredient::addTitleBand()
{
    ReportBand &band = addBand(BandKind::Title, QStringLiteral("TitleBand"), 22.0);
    band.addLabel(QStringLiteral("lbTitle"), QStringLiteral("Shopping List"), {4.2, 3.2},
                  ItemStyle::arial(14, true, kTeal));
    const QStringList headings{QStringLiteral("Ingredient"), QStringLiteral("Amount"), QStringLiteral("Measurement"),
                               QStringLiteral("Description")};
    const double lefts[] = {8.5, 28.8, 46.8, 74.1};
    for (int i = 0; i < headings.size(); ++i)
        band.addLabel(QStringLiteral("lb") + headings[i], headings[i], {lefts[i], 15.3}, ItemStyle::arial(10, false, kNavy));
    band.addLine(QStringLiteral("lnColumns"), {7.9, 20.8}, 87.6);
}

void TqrIngredient::addGroupBand()
{
    ReportBand &band = addBand(BandKind::GroupHeader, QStringLiteral("IngredientGroupBand"), 4.5);
    band.setKeepsWithNext(true);
    band.setGroupExpression([this] { return m_lines->fieldByName(QStringLiteral("Ingredient_ID")).value(); });
    band.addData(QStringLiteral("dbIngredient"), lineField(QStringLiteral("Ingredient")), {8.5, 0.0},
                 ItemStyle::arial(10, false, kTeal));
}

void TqrIngredient::addLineBand()
{
    ReportBand &band = addBand(BandKind::Detail, QStringLiteral("LineBand"), 5.3);
    ReportItem &amount =
        band.addData(QStringLiteral("dbAmount"), lineField(QStringLiteral("Amount")), {28.8, 0.5}, ItemStyle::arial(9));
    amount.setWidth(11.4);
    amount.setAlignment(Qt::AlignHCenter);
    band.addData(QStringLiteral("dbMeasurement"), lineField(QStringLiteral("Measurement")), {46.8, 0.5},
                 ItemStyle::arial(9));
    band.addData(QStringLiteral("dbDescription"), lineField(QStringLiteral("Description")), {74.1, 0.5},
                 ItemStyle::arial(9));
}

ReportItem::Source TqrIngredient::lineField(const QString &field)
{
    return [this, field] { return m_lines->fieldByName(field).asString(); };
}

void TqrIngredient::prepareSelection(const QStringList &recipeIds, EmptySelection whenEmpty)
{
    ReportQueries::selectShoppingLines(QueryIngredient, recipeIds, whenEmpty == EmptySelection::AllRecipes);
    QueryIngredient.open();
    restart();
}
