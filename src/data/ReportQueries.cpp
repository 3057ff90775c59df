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
    if (keyCount > 0)
        lines << QStringLiteral("WHERE RI.Recipe_ID IN (%1)")
                     .arg(ReportQueries::listParameters(QStringLiteral("recipe"), keyCount));
    else if (!allWhenEmpty) {
        lines << QStringLiteral("WHERE 1 = 0");
    }
    // Within one ingredient the lines keep their recipes' order, so a list prints the same twice.
    lines << QStringLiteral(" ORDER BY RI.Ingredient_ID, RI.Recipe_ID");
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString ReportQueries::listParameters(const QString &name, qsizetype count)
{
    QStringList parameters;
    for (qsizetype i = 0; i < count; ++i)
        parameters << QStringLiteral(":%1%2").arg(name).arg(i);
    return parameters.join(QStringLiteral(", "));
}

void ReportQueries::bindList(TQuery &query, const QString &name, const QStringList &values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(QStringLiteral(":%1%2").arg(name).arg(i), values[i]);
}

QString ReportQueries::dayRangeCondition(const QDate &from, const QDate &to)
{
    QString condition;
    if (from.isValid())
        condition += QStringLiteral(" and D.\"Date\" >= :from");
    if (to.isValid())
        condition += QStringLiteral(" and D.\"Date\" <= :to");
    return condition;
}

void ReportQueries::bindDayRange(TQuery &query, const QDate &from, const QDate &to)
{
    if (from.isValid())
        query.bindValue(QStringLiteral(":from"), from);
    if (to.isValid())
        query.bindValue(QStringLiteral(":to"), to);
}

QStringList ReportQueries::plannedRecipeIds(TQuery &query, const QDate &from, const QDate &to)
{
    query.setSql(QStringLiteral("Select Distinct D.Recipe_ID As Recipe_ID\n"
                                "From \"Day.db\" D, \"Recipe.DB\" R Where D.Recipe_ID = R.Recipe_ID%1\n"
                                "Order By D.Recipe_ID")
                     .arg(dayRangeCondition(from, to)));
    bindDayRange(query, from, to);
    return readRecipeIds(query);
}

QStringList ReportQueries::namedRecipeIds(TQuery &query, const QStringList &names)
{
    if (names.isEmpty())
        return {};
    const QString name = QStringLiteral("name");
    query.setSql(QStringLiteral("Select Recipe_ID From \"Recipe.DB\"\nWhere Name In (%1)\nOrder By Recipe_ID")
                     .arg(listParameters(name, names.size())));
    bindList(query, name, names);
    return readRecipeIds(query);
}

void ReportQueries::selectShoppingLines(TQuery &query, const QStringList &recipeIds, bool allWhenEmpty)
{
    QStringList keys = recipeIds;
    keys.removeDuplicates();
    query.setSql(shoppingLinesSql(int(keys.size()), allWhenEmpty));
    bindList(query, QStringLiteral("recipe"), keys);
}
