#include "reports/rep1.h"

#include "reports/RecipeGeometry.h"

namespace {

const QColor kNavy(0, 0, 128);

RecipeGeometry fullGeometry()
{
    RecipeGeometry g;
    g.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);
    g.detailHeight = 41.0;
    g.newPagePerRecipe = true;
    g.nameStyle = ItemStyle::arial(16, true);
    g.namePosition = {3.2, 2.1};
    g.headingLinePosition = {2.6, 17.2};
    g.headingLineLength = 186.5;
    g.headingStyle = ItemStyle::arial(10, true, kNavy);
    g.headingTop = 12.2;
    g.valueStyle = ItemStyle::arial(10);
    g.valueTop = 18.0;
    g.prepTimeValueTop = 18.5;
    g.columns = {2.6, 24.9, 38.6, 59.3, 86.3, 116.4};
    g.instructionsLabelStyle = ItemStyle::arial(10, true, kNavy);
    g.instructionsLabelPosition = {2.6, 27.5};
    g.instructionsStyle = ItemStyle::arial(10);
    g.instructionsPosition = {2.6, 33.3};
    g.instructionsWidth = 142.6;

    g.childHeight = 11.6;
    g.ingredientsLabelStyle = ItemStyle::arial(10, true, kNavy);
    g.ingredientsLabelPosition = {12.2, 0.5};
    g.columnLinePosition = {12.7, 10.3};
    g.columnLineLength = 111.1;
    g.columnLabelStyle = ItemStyle::arial(10, true, kNavy);
    g.columnLabelTop = 5.3;
    g.lineColumns = {15.9, 34.4, 58.7, 85.2};

    g.lineHeight = 6.9;
    g.lineStyle = ItemStyle::arial(10);
    g.lineTop = 1.1;
    return g;
}

} // namespace

const RecipeGeometry &TqrRecipe::geometry()
{
    static const RecipeGeometry geometry = fullGeometry();
    return geometry;
}

TqrRecipe::TqrRecipe(TdmMain1 &dataModule) : RecipeLayout(dataModule, geometry())
{
    setTitle(QStringLiteral("Recipes"));
}
