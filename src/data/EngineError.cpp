#include "data/EngineError.h"

#include <QSqlError>

EngineError::EngineError(int code, QString message)
    : m_code(code), m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

namespace {

struct SqliteMapping {
    const char *fragment;
    int code;
    const char *message;
};

// SQLite's messages are stable across versions; the driver does not always hand over the
// extended result code, so the text decides the category.
const SqliteMapping kMappings[] = {
    {"UNIQUE constraint failed", EngineError::KeyViolation, "Key violation."},
    {"PRIMARY KEY must be unique", EngineError::KeyViolation, "Key violation."},
    {"NOT NULL constraint failed", EngineError::RequiredField, "Field value required."},
    {"CHECK constraint failed", EngineError::CheckFailed, "Field value out of range."},
    {"FOREIGN KEY constraint failed", EngineError::ForeignKeyViolation, "Master record missing."},
    {"database is locked", EngineError::Locked,
     "The database is busy with another copy of the program, which held it too long. Try again in a moment."},
    {"database table is locked", EngineError::Locked,
     "The table is locked by another copy of the program. Try again in a moment."},
    {"file is not a database", EngineError::NotADatabase,
     "The database file is damaged or is not a Platewright database."},
    {"database disk image is malformed", EngineError::NotADatabase,
     "The database file is damaged or is not a Platewright database."},
    {"attempt to write a readonly database", EngineError::ReadOnly,
     "The database is read-only; changes cannot be saved."},
    {"disk I/O error", EngineError::DiskError, "The database file cannot be read or written."},
    {"database or disk is full", EngineError::DiskError, "The disk is full; the change was not saved."},
    {"unable to open database file", EngineError::DiskError, "The database file cannot be opened."},
    {"no such table", EngineError::TableNotFound,
     "The database has lost a table. Close Platewright and start it again: the start says which table "
     "is lost and what to do."},
    {"no such column", EngineError::FieldNotFound, nullptr},
    {"syntax error", EngineError::QuerySyntax, nullptr},
    {"too many SQL variables", EngineError::FilterSyntax,
     "The filter compares more values than the database accepts in one statement; choose fewer."},
};

} // namespace

EngineError EngineError::fromSql(const QSqlError &error, const QString &context)
{
    return fromSqliteText(error.databaseText().isEmpty() ? error.text() : error.databaseText(), context);
}

EngineError EngineError::fromSqliteText(const QString &text, const QString &context)
{
    for (const auto &m : kMappings) {
        if (text.contains(QLatin1String(m.fragment), Qt::CaseInsensitive)) {
            QString message = m.message ? QString::fromLatin1(m.message) : text;
            if (m.code >> 8 == CatIntegrity && !context.isEmpty())
                message += QStringLiteral("\nTable: %1").arg(context);
            return EngineError(m.code, message);
        }
    }
    return EngineError(DiskError, context.isEmpty() ? text : QStringLiteral("%1: %2").arg(context, text));
}
