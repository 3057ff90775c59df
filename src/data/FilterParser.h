#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

// Translates a filter expression into an SQL condition with bound values. The grammar is
// the one the windows produce:
//
//   expression := term { "or" term }
//   term       := factor { "and" factor }
//   factor     := "not" factor | "(" expression ")" | field operator literal
//   operator   := "=" | "<>" | "<" | "<=" | ">" | ">="
//   literal    := 'text' (a quote inside is written twice) | number
//
// Field names may be qualified ("Recipe.Name") and are checked against the dataset; no text
// of the expression ever reaches the SQL except through a bound value or a checked name.
struct SqlCondition {
    QString sql;          // empty for an empty expression: every row passes
    QVariantList values;  // one per "?" in sql, in order
};

namespace FilterParser {

struct ResolvedField {
    QString sql;          // the column's SQL text; empty for an unknown field
    bool isDate = false;  // literals are dates in the user's short format (or ISO)
    bool isNumber = false;
};

// Maps a field name of the expression to its column.
using FieldResolver = std::function<ResolvedField(const QString &fieldName)>;

// Throws EngineError (category syntax) when the expression cannot be parsed.
SqlCondition translate(const QString &expression, const FieldResolver &resolveField);

// The value as a text literal of an expression: in single quotes, inner quotes doubled.
QString quotedText(QString value);

} // namespace FilterParser
