#pragma once

#include "reports/RecipeLayout.h"

// The full recipe: one recipe per page with its instructions and its ingredient lines.
class TqrRecipe : public RecipeLayout {
public:
    explicit TqrRecipe(TdmMain1 &dataModule);

    static const RecipeGeometry &geometry();
};
