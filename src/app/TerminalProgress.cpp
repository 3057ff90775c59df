#include "app/TerminalProgress.h"

#include <QTextStream>

void TerminalProgress::showRecipesRead(int count)
{
    if (!m_enabled || (m_shown && m_sinceShown.elapsed() < kIntervalMs))
        return;
    const QString text = QStringLiteral("%1 recipes read...").arg(count);
    m_out << '\r' << text << Qt::flush;
    m_width = qMax(m_width, int(text.size()));
    m_shown = true;
    m_sinceShown.start();
}

void TerminalProgress::finish()
{
    if (!m_shown)
        return;
    m_out << '\r' << QString(m_width, QLatin1Char(' ')) << '\r' << Qt::flush;
    m_shown = false;
}
