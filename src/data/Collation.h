#pragma once

#include <QString>
#include <QVariant>

// The orders SQLite sorts by, repeated in memory so that a view can place a posted row
// without asking the database: BINARY compares code points, NOCASE also folds ASCII letters.
namespace Collation {

int compareText(const QString &a, const QString &b, bool caseInsensitive);
// NULL before numbers before text, as SQLite orders mixed values.
int compareValues(const QVariant &a, const QVariant &b, bool caseInsensitive);

} // namespace Collation
