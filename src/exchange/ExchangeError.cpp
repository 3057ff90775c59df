#include "exchange/ExchangeError.h"

ExchangeError::ExchangeError(const QString &message, int lineNumber)
    : m_message(lineNumber > 0 ? QStringLiteral("Line %1: %2").arg(lineNumber).arg(message) : message),
      m_lineNumber(lineNumber),
      m_utf8(m_message.toUtf8())
{
}
