#include "exchange/ValueCursor.h"

QString ValueCursor::next()
{
    const qsizetype equals = m_line.indexOf(QLatin1Char('='), m_start);
    const qsizetype semicolon = m_line.indexOf(QLatin1Char(';'), m_start);
    // Without an "=" the value starts at the beginning of what is left.
    const qsizetype from = equals < 0 ? m_start : equals + 1;
    QString value;
    if (semicolon >= 0 && semicolon > from)
        value = m_line.mid(from, semicolon - from);
    if (semicolon >= 0)
        m_start = semicolon + 1;
    return value;
}
