#pragma once

#include <QString>

class TDatabase;

// How many recipes use an ingredient or a value of a lookup list, counted on the rows as they
// are stored now, so that what another copy of the program added counts too.

// Recipes with a line naming the ingredient.
int RecipesUsingIngredient(TDatabase &db, const QString &ingredientId);
// Recipes whose field of that name holds the value: "Meal", "Category", "PrepTime" and
// "CookTime" of the recipe itself, "Measurement" and "Description" of its lines.
int RecipesUsingListValue(TDatabase &db, const QString &listField, const QString &value);

// "1 recipe uses", "3 recipes use".
QString RecipesUseText(int recipes);
