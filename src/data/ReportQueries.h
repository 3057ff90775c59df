#pragma once

#include <QDate>
#include <QStringList>

class TQuery;

// The selections the reports print from, each run on a query of the caller. Keys, names and
// dates are bound to the query, never written into its text.
namespace ReportQueries {

// The keys of the recipes planned on a day from..to, each once, in key order; an invalid
// date leaves that end of the range open.
QStringList plannedRecipeIds(TQuery &query, const QDate &from, const QDate &to);
// The keys of the recipes of these names, in key order.
QStringList namedRecipeIds(TQuery &query, const QStringList &names);

// Sets the query to the ingredient lines of these recipes (a key given twice counts once),
// ordered by ingredient. No keys select no line, or every line when allWhenEmpty holds. The
// caller opens the query.
void selectShoppingLines(TQuery &query, const QStringList &recipeIds, bool allWhenEmpty);

// The pieces of these selections' text, bound after setSql:
// ":name0, :name1, ..." for a list of `count` values, for "In (...)"; bindList binds them.
QString listParameters(const QString &name, qsizetype count);
void bindList(TQuery &query, const QString &name, const QStringList &values);
// " and D."Date" >= :from and D."Date" <= :to" for the ends of the range that are valid,
// the day table being D; bindDayRange binds them.
QString dayRangeCondition(const QDate &from, const QDate &to);
void bindDayRange(TQuery &query, const QDate &from, const QDate &to);

} // namespace ReportQueries
