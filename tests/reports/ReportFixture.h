#pragma once

// A fresh seeded database with helpers that enter recipes, ingredient lines and planned days
// through the data module, as the editors do, for the report tests.

#include "TestSupport.h"
#include "data/dmmain.h"
#include "reports/ReportPage.h"

#include <QDate>
#include <QHash>
#include <memory>

struct LineEntry {
    QString ingredient;
    QString amount;
    QString measurement;
    QString description;
};

struct RecipeEntry {
    RecipeEntry(const QString &recipeName, const QList<LineEntry> &recipeLines = {})
        : name(recipeName), lines(recipeLines)
    {
    }

    QString name;
    QList<LineEntry> lines;
    QString instructions;
    QString category = QStringLiteral("Soups");
    QString meal = QStringLiteral("Dinner");
    QString servings = QStringLiteral("4");
    QString cookTime = QStringLiteral("30 min");
    QString prepTime = QStringLiteral("15 min");
};

class ReportFixture {
public:
    ReportFixture() : m_dataModule(std::make_unique<TdmMain1>()) {}

    TdmMain1 &dm() { return *m_dataModule; }

    QString addIngredient(const QString &name)
    {
        if (m_ingredients.contains(name))
            return m_ingredients.value(name);
        TTable &ingredients = dm().tblIngredientLookup;
        ingredients.insert();
        ingredients.fieldByName(QStringLiteral("Ingredient")).setAsString(name);
        ingredients.post();
        const QString id = ingredients.fieldByName(QStringLiteral("Ingredient_ID")).asString();
        m_ingredients.insert(name, id);
        return id;
    }

    QString addRecipe(const RecipeEntry &recipe)
    {
        TTable &recipes = dm().tblRecipe;
        recipes.insert();
        recipes.fieldByName(QStringLiteral("Name")).setAsString(recipe.name);
        recipes.fieldByName(QStringLiteral("Instructions")).setAsString(recipe.instructions);
        recipes.fieldByName(QStringLiteral("Category")).setAsString(recipe.category);
        recipes.fieldByName(QStringLiteral("Meal")).setAsString(recipe.meal);
        recipes.fieldByName(QStringLiteral("Servings")).setAsString(recipe.servings);
        recipes.fieldByName(QStringLiteral("CookTime")).setAsString(recipe.cookTime);
        recipes.fieldByName(QStringLiteral("PrepTime")).setAsString(recipe.prepTime);
        recipes.post();
        const QString id = recipes.fieldByName(QStringLiteral("Recipe_ID")).asString();
        for (const LineEntry &line : recipe.lines)
            addLine(id, line);
        return id;
    }

    void addLine(const QString &recipeId, const LineEntry &line)
    {
        const QString ingredientId = addIngredient(line.ingredient);
        dm().tblRecipe.locate(QStringLiteral("Recipe_ID"), recipeId);
        TTable &lines = dm().tblRecipeIngredient;
        lines.insert();
        lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(ingredientId);
        lines.fieldByName(QStringLiteral("Amount")).setAsString(line.amount);
        lines.fieldByName(QStringLiteral("Measurement")).setAsString(line.measurement);
        lines.fieldByName(QStringLiteral("Description")).setAsString(line.description);
        lines.post();
    }

    void plan(const QDate &date, const QString &recipeId, std::optional<int> servings = {})
    {
        TTable &days = dm().tblDay;
        days.insert();
        days.fieldByName(QStringLiteral("Date")).setAsDate(date);
        days.fieldByName(QStringLiteral("Recipe_ID")).setAsString(recipeId);
        if (servings)
            days.fieldByName(QStringLiteral("Servings")).setAsInteger(*servings);
        days.post();
    }

private:
    TempEnvironment m_environment;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TdmMain1> m_dataModule;
    QHash<QString, QString> m_ingredients;
};

// The bands on a page, top to bottom, by kind ("Detail", "Child", ...); a band continued
// from the previous page is marked with a "+".
inline QStringList bandSequence(const ReportPage &page)
{
    static const QHash<BandKind, QString> names{{BandKind::Title, QStringLiteral("Title")},
                                                {BandKind::GroupHeader, QStringLiteral("Group")},
                                                {BandKind::Detail, QStringLiteral("Detail")},
                                                {BandKind::Child, QStringLiteral("Child")},
                                                {BandKind::SubDetail, QStringLiteral("Sub")}};
    QStringList sequence;
    for (const PlacedBand &band : page.bands)
        sequence << names.value(band.kind) + (band.isContinuation ? QStringLiteral("+") : QString());
    return sequence;
}
