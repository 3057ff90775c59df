#pragma once

#include "reports/RecipeLayout.h"

// The small recipe: the same content in small type, recipes following one another.
class TqrRecipeSmall : public RecipeLayout {
public:
    explicit TqrRecipeSmall(TdmMain1 &dataModule);

    static const RecipeGeometry &geometry();
};
