#pragma once

#include "reports/ItemStyle.h"

#include <QMarginsF>
#include <QPointF>
#include <array>

// Where the recipe layouts put things, in millimetres from each band's top left corner; the
// full and the small recipe differ only in these values.
struct RecipeGeometry {
    QMarginsF margins;  // left, top, right, bottom

    // Detail band: the recipe.
    double detailHeight = 0;
    bool newPagePerRecipe = false;
    ItemStyle nameStyle;
    QPointF namePosition;
    QPointF headingLinePosition;
    double headingLineLength = 0;
    ItemStyle headingStyle;
    double headingTop = 0;
    ItemStyle valueStyle;
    double valueTop = 0;
    double prepTimeValueTop = 0;
    // Category, Meal, Servings, Cook Time, Prep Time, Assigned.
    std::array<double, 6> columns{};
    ItemStyle instructionsLabelStyle;
    QPointF instructionsLabelPosition;
    ItemStyle instructionsStyle;
    QPointF instructionsPosition;
    double instructionsWidth = 0;

    // Child band: the headings of the ingredient lines.
    double childHeight = 0;
    ItemStyle ingredientsLabelStyle;
    QPointF ingredientsLabelPosition;
    QPointF columnLinePosition;
    double columnLineLength = 0;
    ItemStyle columnLabelStyle;
    double columnLabelTop = 0;
    // Amount, Measurement, Description, Ingredient.
    std::array<double, 4> lineColumns{};

    // Sub-detail band: one ingredient line.
    double lineHeight = 0;
    ItemStyle lineStyle;
    double lineTop = 0;
};
