#pragma once

// A fresh seeded database with helpers that enter recipes, ingredient lines and planned days
// through the data module, as the editors do, for the report tests.

#include "DataModuleFixture.h"
#include "reports/BandedReport.h"
#include "reports/ReportPage.h"
#include "reports/rep1.h"
#include "reports/rep2.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>

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

class ReportFixture : public DataModuleFixture {
public:
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
};

// The full recipe, or the small one.
inline std::unique_ptr<RecipeLayout> recipeLayout(TdmMain1 &dm, bool small)
{
    if (small)
        return std::make_unique<TqrRecipeSmall>(dm);
    return std::make_unique<TqrRecipe>(dm);
}

// The texts of an item over every page of the report, top to bottom.
inline QStringList printedTexts(BandedReport &report, const QString &item)
{
    QStringList texts;
    for (int page = 0; page < report.pageCount(); ++page)
        texts << report.page(page).textsOf(item);
    return texts;
}

// The words of the texts, wherever their lines break.
inline QStringList words(const QStringList &texts)
{
    return texts.join(QLatin1Char(' ')).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The pages of a PDF file.
inline int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(pdf).count(page));
}

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
