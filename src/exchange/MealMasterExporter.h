#pragma once

#include "exchange/RecipeExporter.h"

// Writes recipes in the Meal-Master layout, appending to a file that exists: the banner, the
// title, the category and the yield, the ingredient lines in their fixed columns (a long
// description goes on onto "-" lines), the directions, the notes after them, and the end line.
// What it writes, the Meal-Master importer reads back as it was: name, category, servings,
// ingredient lines and directions (the notes then follow the directions).
class MealMasterExporter : public RecipeExporter {
public:
    explicit MealMasterExporter(TdmMain1 &tables) : RecipeExporter(tables) {}

    // The unit code of a measurement: itself when it fits the two columns, else the code of a
    // unit known by name ("cups" gives "c"), else empty.
    static QString unitCode(const QString &measurement);

protected:
    void writeRecipe(LineWriter &out, const ExportedRecipe &recipe) override;

private:
    static void writeIngredient(LineWriter &out, const ExportedLine &line, bool first);
};
