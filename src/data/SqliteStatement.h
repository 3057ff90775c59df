#pragma once

#include <QString>
#include <QByteArray>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A statement prepared directly on the connection's SQLite handle. The statements a view
// runs for every record it stores or every time its master moves go through here: binding a
// value and stepping cost a fraction of what the generic SQL layer spends on them.
// Values are bound and read the way the Qt driver does (text as text, integers as 64-bit
// integers, anything else as its text), so rows written either way are the same.
class SqliteStatement {
public:
    // Throws EngineError when the text does not compile; context names the table in messages.
    SqliteStatement(sqlite3 *connection, const QString &sql, const QString &context = {});
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Binds a value to a 0-based parameter.
    void bind(int index, const QVariant &value);
    // Runs the statement up to its next row: true when there is one, false when it is done.
    // Failures raise an EngineError; the statement is then reset for its next use.
    bool step();
    // Reads a column of the current row.
    QVariant value(int column) const;
    qint64 int64Value(int column) const;
    // A text column as SQLite holds it, in UTF-8, without a copy; valid until the next step.
    QByteArrayView textView(int column) const;
    int columnCount() const;
    // Makes the statement ready for the next run; bound values are kept until rebound.
    void reset();
    // Runs a statement that returns no rows.
    void exec();

    qint64 lastInsertRowid() const;
    int changes() const;

private:
    [[noreturn]] void fail(int resultCode);
    int bindText(int position, const QString &text);

    sqlite3 *m_connection;
    sqlite3_stmt *m_statement = nullptr;
    QString m_context;
    std::vector<QByteArray> m_text;  // the bound texts, by parameter
};

// Resets the statement when the scope ends, however it ends, so that no half-read statement
// keeps the database open for reading.
class StatementRun {
public:
    explicit StatementRun(SqliteStatement &statement) : m_statement(statement) {}
    ~StatementRun() { m_statement.reset(); }
    StatementRun(const StatementRun &) = delete;
    StatementRun &operator=(const StatementRun &) = delete;

private:
    SqliteStatement &m_statement;
};
