#include "app/CliError.h"

CliError::CliError(Kind kind, const QString &message) : m_kind(kind), m_message(message), m_utf8(message.toUtf8()) {}
