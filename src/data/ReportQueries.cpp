#include "data/ReportQueries.h"

#include "data/Query.h"

namespace {

QStringList readRecipeIds(TQuery &query)
{
    query.open();
    QStringList ids;
    for (query.first(); !query.eof(); query.next())
        ids << query.fieldByName(QStringLiteral("Recipe_ID")).asString();
    return ids;
}

QString shoppingLinesSql(int keyCount, bool allWhenEmpty)
{
    QStringList lines{QStringLiteral("SELECT RI.Amount, RI.Measurement, RI.Description, RI.Ingredient_ID"),
                      QStringLiteral("FROM \"Rec_ingr.DB\" RI")};
    if (keyCount > 0) {
        QStringList parameters;
        for (int i = 0; i < keyCount; ++i)
            parameters << QStringLiteral(":recipe%1").arg(i);
        lines << QStringLiteral("WHERE RI.Recipe_ID IN (%1)").arg(parameters.join(QStringLiteral(", ")));
    } else if (!allWhenEmpty) {
        lines << QStringLiteral("WHERE 1 = 0");
    }
    // Within one ingredient the lines keep their recipes' order, so a list prints the same twice.
    lines << QStringLiteral(" ORDER BY RI.Ingredient_ID, RI.Recipe_ID");
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QStringList ReportQueries::plannedRecipeIds(TQuery &query, const QDate &from, const QDate &to)
{
    QStringList lines{QStringLiteral("Select Distinct D.Recipe_ID As Recipe_ID"),
                      QStringLiteral("From \"Day.db\" D, \"Recipe.DB\" R Where D.Recipe_ID = R.Recipe_ID")};
    if (from.isValid())
        lines << QStringLiteral(" and D.\"Date\" >= :from");
    if (to.isValid())
        lines << QStringLiteral(" and D.\"Date\" <= :to");
    lines << QStringLiteral("Order By D.Recipe_ID");
    query.setSql(lines.join(QLatin1Char('\n')));
    if (from.isValid())
        query.bindValue(QStringLiteral(":from"), from);
    if (to.isValid())
        query.bindValue(QStringLiteral(":to"), to);
    return readRecipeIds(query);
}

QStringList ReportQueries::namedRecipeIds(TQuery &query, const QStringList &names)
{
    if (names.isEmpty())
        return {};
    QStringList parameters;
    for (int i = 0; i < names.size(); ++i)
        parameters << QStringLiteral(":name%1").arg(i);
    query.setSql(QStringLiteral("Select Recipe_ID From \"Recipe.DB\"\nWhere Name In (%1)\nOrder By Recipe_ID")
                     .arg(parameters.join(QLatin1String(", "))));
    for (int i = 0; i < names.size(); ++i)
        query.bindValue(parameters[i], names[i]);
    return readRecipeIds(query);
}

void ReportQueries::selectShoppingLines(TQuery &query, const QStringList &recipeIds, bool allWhenEmpty)
{
    QStringList keys = recipeIds;
    keys.removeDuplicates();
    query.setSql(shoppingLinesSql(int(keys.size()), allWhenEmpty));
    for (int i = 0; i < keys.size(); ++i)
        query.bindValue(QStringLiteral(":recipe%1").arg(i), keys[i]);
}
