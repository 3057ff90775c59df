#include "data/KeyGenerator.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/SqliteStatement.h"
#include "data/Table.h"

namespace {

// Runs one statement on the counter of the table and field; true when it returned a row,
// which is then left for the caller to read until the statement is reset.
bool runOnCounter(SqliteStatement &statement, const QString &tableKeyName, const QString &fieldName)
{
    statement.bind(0, tableKeyName);
    statement.bind(1, fieldName);
    return statement.step();
}

qlonglong drawKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    // Under the write lock of BEGIN IMMEDIATE no other copy of the program can read the
    // counter between the two statements. The counters exist from the start; one that is
    // missing is made, starting at 0.
    const QString context = QStringLiteral("Key.db");
    SqliteStatement &advance = db.statement(
        QStringLiteral("UPDATE \"Key\" SET \"Next_Value\" = coalesce(\"Next_Value\", 0) + 1 "
                       "WHERE \"Table_Name\" = ? AND \"Field_Name\" = ?"),
        context);
    {
        StatementRun run(advance);
        runOnCounter(advance, tableKeyName, fieldName);
    }
    if (advance.changes() == 0) {
        SqliteStatement &create = db.statement(
            QStringLiteral("INSERT INTO \"Key\" (\"Table_Name\", \"Field_Name\", \"Next_Value\") VALUES (?, ?, 1)"), context);
        StatementRun run(create);
        runOnCounter(create, tableKeyName, fieldName);
        return 0;
    }
    SqliteStatement &read = db.statement(
        QStringLiteral("SELECT \"Next_Value\" - 1 FROM \"Key\" WHERE \"Table_Name\" = ? AND \"Field_Name\" = ?"),
        context);
    StatementRun run(read);
    if (!runOnCounter(read, tableKeyName, fieldName))
        throw EngineError(EngineError::DiskError, QStringLiteral("No key was drawn from \"Key.db\"."));
    return read.int64Value(0);
}

} // namespace

QString GetNextKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    // Inside a transaction the write lock is already held; otherwise take it for the draw alone.
    if (db.inTransaction())
        return QString::number(drawKey(db, tableKeyName, fieldName));
    TTransaction transaction(db);
    const qlonglong key = drawKey(db, tableKeyName, fieldName);
    transaction.commit();
    return QString::number(key);
}

QString TableKeyName(TDatabase &db, const QString &tableFileName, const QString &fieldName)
{
    const int dot = tableFileName.indexOf(QLatin1Char('.'));
    return GetNextKey(db, dot < 0 ? tableFileName : tableFileName.left(dot), fieldName);
}

void AssignNewKey(TTable &view, const QString &fieldName)
{
    TField field = view.fieldByName(fieldName);
    if (!field.isNull())
        return;
    field.setAsString(TableKeyName(view.database(), view.tableName(), fieldName));
}
