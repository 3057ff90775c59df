#pragma once

#include <QString>

// Removes leading and trailing blanks, except from a text that is exactly one blank.
QString TrimSpaces(const QString &text);

// One ingredient line of a Meal-Master recipe, cut by its fixed columns: the quantity in
// columns 1-7, the unit code in 9-10, and from column 12 the ingredient text, which splits
// into the ingredient's name and the line's description.
struct MealMasterIngredient {
    QString amount;
    QString measurement;
    QString name;
    QString description;

    static MealMasterIngredient fromLine(const QString &line);
};
