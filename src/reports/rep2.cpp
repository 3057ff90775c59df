#include "reports/rep2.h"

#include "reports/RecipeGeometry.h"

namespace {

const QColor kNavy(0, 0, 128);

RecipeGeometry smallGeometry()
{
    RecipeGeometry g;
    g.margins = QMarginsF(2.54, 1.27, 2.54, 12.7);
    g.detailHeight = 27.8;
    g.newPagePerRecipe = false;
    g.nameStyle = ItemStyle::arial(10, true);
    g.namePosition = {0.5, 5.3};
    g.headingLinePosition = {0.5, 14.0};
    g.headingLineLength = 92.6;
    g.headingStyle = ItemStyle::arial(8, false, kNavy);
    g.headingTop = 9.5;
    g.valueStyle = ItemStyle::arial(8);
    g.valueTop = 14.3;
    g.prepTimeValueTop = 14.3;
    g.columns = {0.5, 17.5, 27.0, 42.3, 60.3, 77.3};
    g.instructionsLabelStyle = ItemStyle::arial(8, false, kNavy);
    g.instructionsLabelPosition = {1.1, 19.1};
    g.instructionsStyle = ItemStyle::arial(6);
    g.instructionsPosition = {0.5, 22.8};
    g.instructionsWidth = 92.6;

    g.childHeight = 7.4;
    g.ingredientsLabelStyle = ItemStyle::arial(8, false, kNavy);
    g.ingredientsLabelPosition = {0.5, 0.0};
    g.columnLinePosition = {0.5, 7.1};
    g.columnLineLength = 73.3;
    g.columnLabelStyle = ItemStyle::arial(7, false, kNavy);
    g.columnLabelTop = 3.7;
    g.lineColumns = {4.2, 19.6, 42.9, 61.9};

    g.lineHeight = 3.2;
    g.lineStyle = ItemStyle::arial(6);
    g.lineTop = 0.0;
    return g;
}

} // namespace

const RecipeGeometry &TqrRecipeSmall::geometry()
{
    static const RecipeGeometry geometry = smallGeometry();
    return geometry;
}

TqrRecipeSmall::TqrRecipeSmall(TdmMain1 &dataModule) : RecipeLayout(dataModule, geometry())
{
    setTitle(QStringLiteral("Recipes"));
}
