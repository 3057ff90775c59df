#include "data/SqliteStatement.h"

#include "data/EngineError.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3 *connection, const QString &sql, const QString &context)
    : m_connection(connection), m_context(context)
{
    if (!m_connection)
        throw EngineError(EngineError::Inactive, QStringLiteral("The database is not open."));
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(m_connection, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                                      &m_statement, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    const int position = index + 1;
    int rc;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_statement, position, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_statement, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = bytes.isNull() ? sqlite3_bind_null(m_statement, position)
                                : sqlite3_bind_blob(m_statement, position, bytes.constData(), int(bytes.size()),
                                                    SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QString: {
            // A null text is stored as NULL, an empty one as an empty text.
            const QString &text = *static_cast<const QString *>(value.constData());
            rc = text.isNull() ? sqlite3_bind_null(m_statement, position) : bindText(position, text);
            break;
        }
        default: {
            const QString text = value.toString();
            rc = text.isNull() ? sqlite3_bind_null(m_statement, position) : bindText(position, text);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

// The text is handed over as UTF-8, the database's own encoding, and stays in a buffer of
// the statement until the parameter is bound again, so SQLite needs no copy of its own.
int SqliteStatement::bindText(int position, const QString &text)
{
    if (size_t(position) > m_text.size())
        m_text.resize(size_t(position));
    QByteArray &bytes = m_text[size_t(position - 1)];
    bytes = text.toUtf8();
    return sqlite3_bind_text(m_statement, position, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_reset(m_statement);
    fail(code != SQLITE_OK ? code : rc);
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, column);
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
    }
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_statement, column)),
                          sqlite3_column_bytes(m_statement, column));
    default:
        return {};
    }
}

qint64 SqliteStatement::int64Value(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QByteArrayView SqliteStatement::textView(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
}

void SqliteStatement::exec()
{
    while (step()) {
    }
    reset();
}

qint64 SqliteStatement::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_connection);
}

int SqliteStatement::changes() const
{
    return sqlite3_changes(m_connection);
}

void SqliteStatement::fail(int resultCode)
{
    QString text = QString::fromUtf8(sqlite3_errmsg(m_connection));
    if (text.isEmpty())
        text = QString::fromUtf8(sqlite3_errstr(resultCode));
    throw EngineError::fromSqliteText(text, m_context);
}
