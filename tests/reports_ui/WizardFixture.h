#pragma once

// The report tests' seeded database with a small collection whose names and categories hold
// quotes, two recipes sharing a name, and planned days around the turn of March; plus what
// the wizard window needs: the background manager and the settings store.

#include "../reports/ReportFixture.h"
#include "WindowFixture.h"
#include "reports/BandedReport.h"

struct Collection {
    QString stew, salad, pancakes, pancakeTwin, bread;
};

class WizardFixture : public ReportFixture {
public:
    Collection addCollection()
    {
        Collection c;
        c.stew = addRecipe(recipe("Mom's Stew", "Soups", {{"Beef", "1", "lb", "diced"}, {"Onion", "2", "whole", ""}}));
        c.salad = addRecipe(recipe("O'Brien's Salad", "Grandma's Salads", {{"Lettuce", "1", "whole", "chopped"}}));
        c.pancakes = addRecipe(recipe("Pancakes", "Breakfast", {{"Flour", "2", "cup", ""}, {"Egg", "1", "whole", ""}}));
        c.pancakeTwin = addRecipe(recipe("Pancakes", "Desserts", {{"Sugar", "1", "cup", ""}}));
        c.bread = addRecipe(recipe("Bread", "Bread", {{"Flour", "4", "cup", ""}, {"Yeast", "1", "package", ""}}));
        for (int day : {4, 5, 6})
            plan(QDate(2024, 3, day), c.stew);
        plan(QDate(2024, 3, 10), c.pancakes);
        plan(QDate(2024, 4, 20), c.stew);
        return c;
    }

    static RecipeEntry recipe(const QString &name, const QString &category, const QList<LineEntry> &lines)
    {
        RecipeEntry entry(name, lines);
        entry.category = category;
        return entry;
    }

private:
    WindowFixture m_windows{dm().Database1};
};

// What a report shows in one line per record: recipe names with their category, or the
// shopping list's ingredients.
inline QStringList printedRecords(BandedReport &report)
{
    const QStringList ingredients = printedTexts(report, QStringLiteral("dbIngredient"));
    const QStringList names = printedTexts(report, QStringLiteral("dbName"));
    if (names.isEmpty())
        return ingredients;
    const QStringList categories = printedTexts(report, QStringLiteral("dbCategory"));
    QStringList records;
    for (int i = 0; i < names.size(); ++i)
        records << names[i] + QStringLiteral(" / ") + categories.value(i);
    return records;
}
