#include "data/CombinedShoppingList.h"

#include "data/KitchenQuantity.h"
#include "data/Query.h"
#include "data/ReportQueries.h"

#include <QHash>
#include <QMap>
#include <QSet>

namespace CombinedShoppingList {

namespace {

struct Total {
    Kitchen::Amount inBase;
    QString unitText;  // as first met, for units without a table of their own
    QStringList descriptions;
};

struct Ingredient {
    QString name;
    QStringList families;  // in the order first met
    QHash<QString, Total> totals;
    QList<CombinedShoppingRow> leftOver;
    QSet<QString> leftOverSeen;  // a pinch of salt planned on three days is listed once
};

void addLine(Ingredient &ingredient, const ShoppingLine &line)
{
    const auto amount = Kitchen::readAmount(line.amount);
    const auto unit = Kitchen::readUnit(line.measurement);
    if (!amount || !unit) {
        const CombinedShoppingRow row{ingredient.name, line.amount.trimmed(), line.measurement.trimmed(),
                                      line.description.trimmed(), line.recipe};
        const QString key = QStringList{row.amount, row.measurement, row.description, row.recipe}.join(QChar(0));
        if (!ingredient.leftOverSeen.contains(key)) {
            ingredient.leftOverSeen.insert(key);
            ingredient.leftOver << row;
        }
        return;
    }
    if (!ingredient.totals.contains(unit->family)) {
        ingredient.families << unit->family;
        ingredient.totals[unit->family].unitText = line.measurement.trimmed();
    }
    Total &total = ingredient.totals[unit->family];
    total.inBase += amount->scaled(line.factor * unit->inBase);
    const QString description = line.description.trimmed();
    if (!description.isEmpty() && !total.descriptions.contains(description, Qt::CaseInsensitive))
        total.descriptions << description;
}

QList<CombinedShoppingRow> rowsOf(const Ingredient &ingredient)
{
    QList<CombinedShoppingRow> rows;
    for (const QString &family : ingredient.families) {
        const Total &total = ingredient.totals[family];
        const Kitchen::Written written = Kitchen::writeTotal(family, total.inBase, total.unitText);
        rows << CombinedShoppingRow{ingredient.name, written.amount, written.unit,
                                    total.descriptions.join(QStringLiteral(", ")), QString()};
    }
    return rows + ingredient.leftOver;
}

QList<ShoppingLine> readLines(TQuery &query)
{
    query.open();
    QList<ShoppingLine> lines;
    for (query.first(); !query.eof(); query.next()) {
        auto text = [&query](const char *field) { return query.fieldByName(QString::fromLatin1(field)).asString(); };
        lines << ShoppingLine{text("Ingredient"), text("Amount"), text("Measurement"), text("Description"),
                              text("RecipeName"),
                              servingsFactor(query.fieldByName(QStringLiteral("DayServings")).value(),
                                             text("RecipeServings"))};
    }
    return lines;
}

const QString kLineFields = QStringLiteral(
    "Select I.Ingredient As Ingredient, RI.Amount As Amount, RI.Measurement As Measurement,\n"
    " RI.Description As Description, R.Name As RecipeName, R.Servings As RecipeServings, %1 As DayServings\n");
const QString kLineTables = QStringLiteral(
    " Join \"Rec_ingr.DB\" RI On RI.Recipe_ID = R.Recipe_ID\n"
    " Left Join \"INGREDIE.DB\" I On I.Ingredient_ID = RI.Ingredient_ID\n");

} // namespace

QList<CombinedShoppingRow> combine(const QList<ShoppingLine> &lines)
{
    QMap<QString, Ingredient> ingredients;  // by name in lower case, so sorted
    for (const ShoppingLine &line : lines) {
        const QString name = line.ingredient.trimmed();
        Ingredient &ingredient = ingredients[name.toLower()];
        if (ingredient.name.isEmpty())
            ingredient.name = name;
        addLine(ingredient, line);
    }
    QList<CombinedShoppingRow> rows;
    for (const Ingredient &ingredient : std::as_const(ingredients))
        rows << rowsOf(ingredient);
    return rows;
}

double servingsFactor(const QVariant &dayServings, const QString &recipeServings)
{
    const auto serves = Kitchen::readServings(recipeServings);
    if (dayServings.isNull() || !serves)
        return 1;
    const double eating = dayServings.toDouble();
    return eating > 0 ? eating / *serves : 1;
}

QList<ShoppingLine> linesOfRecipes(TDatabase &db, const QStringList &recipeIds)
{
    QStringList keys = recipeIds;
    keys.removeDuplicates();
    if (keys.isEmpty())
        return {};
    const QString name = QStringLiteral("recipe");
    TQuery query(db);
    query.setSql(kLineFields.arg(QStringLiteral("Null")) + QStringLiteral("From \"Recipe.DB\" R\n") + kLineTables
                 + QStringLiteral("Where R.Recipe_ID In (%1)\nOrder By R.Recipe_ID, RI.\"Order\"")
                       .arg(ReportQueries::listParameters(name, keys.size())));
    ReportQueries::bindList(query, name, keys);
    return readLines(query);
}

QList<ShoppingLine> linesOfPlannedDays(TDatabase &db, const QDate &from, const QDate &to)
{
    TQuery query(db);
    query.setSql(kLineFields.arg(QStringLiteral("D.Servings"))
                 + QStringLiteral("From \"Day.db\" D Join \"Recipe.DB\" R On R.Recipe_ID = D.Recipe_ID\n") + kLineTables
                 + QStringLiteral("Where 1 = 1") + ReportQueries::dayRangeCondition(from, to)
                 + QStringLiteral("\nOrder By D.\"Date\", RI.\"Order\""));
    ReportQueries::bindDayRange(query, from, to);
    return readLines(query);
}

} // namespace CombinedShoppingList
