#pragma once

#include <QString>

namespace SqlText {

// An identifier in double quotes, inner quotes doubled: safe for any table or field name.
inline QString quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace SqlText
