#include "reports/ReportRequestError.h"

ReportRequestError::ReportRequestError(Severity severity, const QString &message)
    : m_severity(severity), m_message(message), m_utf8(message.toUtf8())
{
}
