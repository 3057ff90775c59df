#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDatabase;

// One ingredient line as it counts into a combined shopping list: the line as stored, its
// recipe's name, and how many times its amount counts.
struct ShoppingLine {
    QString ingredient;
    QString amount;
    QString measurement;
    QString description;
    QString recipe;
    double factor = 1;
};

// One row of the combined list. A total has no recipe; a line that cannot be added keeps
// its own texts and names its recipe.
struct CombinedShoppingRow {
    QString ingredient;
    QString amount;
    QString measurement;
    QString description;
    QString recipe;

    bool operator==(const CombinedShoppingRow &) const = default;
};

// The shopping list a cook takes to the shop: one row per ingredient and unit family with
// the total amount, then the lines of that ingredient that cannot be added, as they stand.
// Ingredients are sorted by name, letter case ignored.
namespace CombinedShoppingList {

QList<CombinedShoppingRow> combine(const QList<ShoppingLine> &lines);

// The lines of the recipes, each recipe once.
QList<ShoppingLine> linesOfRecipes(TDatabase &db, const QStringList &recipeIds);
// The lines of the days planned from..to (an invalid date leaves that end open): a recipe
// counts once per day, scaled by the day's servings against the recipe's when both are numbers.
QList<ShoppingLine> linesOfPlannedDays(TDatabase &db, const QDate &from, const QDate &to);
// How many times a recipe counts on a day: the day's servings over the recipe's, else once.
double servingsFactor(const QVariant &dayServings, const QString &recipeServings);

} // namespace CombinedShoppingList
