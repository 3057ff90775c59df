#include "data/KeyGenerator.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/SqlText.h"
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

// The table the counter numbers, when it is one of ours and has the key field.
const TableDef *keyedTable(const QString &tableKeyName, const QString &fieldName)
{
    const TableDef *table = Schema::findTable(tableKeyName);
    return table && table->field(fieldName) ? table : nullptr;
}

bool keyInUse(TDatabase &db, const TableDef &table, const QString &fieldName, qlonglong key)
{
    SqliteStatement &find = db.statement(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?")
                                             .arg(SqlText::quoted(table.name), SqlText::quoted(fieldName)),
                                         table.name);
    StatementRun run(find);
    find.bind(0, QString::number(key));
    return find.step();
}

// A counter whose row was lost, or that came back with an older copy of the file, stands
// behind the keys in use. The next key is then the one after the highest stored key, and the
// counter is set past it, so that no stored record is ever overwritten or refused.
qlonglong keyAfterStoredKeys(TDatabase &db, const TableDef &table, const QString &tableKeyName, const QString &fieldName)
{
    const QString field = SqlText::quoted(fieldName);
    SqliteStatement &highest = db.statement(
        QStringLiteral("SELECT coalesce(max(CAST(%1 AS INTEGER)), -1) FROM %2").arg(field, SqlText::quoted(table.name)),
        table.name);
    qlonglong key = 0;
    {
        StatementRun run(highest);
        highest.step();
        key = highest.int64Value(0) + 1;
    }
    while (keyInUse(db, table, fieldName, key))
        ++key;
    SqliteStatement &mend = db.statement(
        QStringLiteral("UPDATE \"Key\" SET \"Next_Value\" = ? WHERE \"Table_Name\" = ? AND \"Field_Name\" = ?"),
        QStringLiteral("Key.db"));
    StatementRun run(mend);
    mend.bind(0, key + 1);
    mend.bind(1, tableKeyName);
    mend.bind(2, fieldName);
    mend.step();
    return key;
}

// Draws the counter's next key, never one that its table already holds.
qlonglong drawFreeKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    const qlonglong key = drawKey(db, tableKeyName, fieldName);
    const TableDef *table = keyedTable(tableKeyName, fieldName);
    if (!table || !keyInUse(db, *table, fieldName, key))
        return key;
    return keyAfterStoredKeys(db, *table, tableKeyName, fieldName);
}

} // namespace

// A key that the counted table already holds is never handed out: a counter found behind the
// stored keys resumes after the highest of them.
QString GetNextKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    // Inside a transaction the write lock is already held; otherwise take it for the draw alone.
    if (db.inTransaction())
        return QString::number(drawFreeKey(db, tableKeyName, fieldName));
    TTransaction transaction(db);
    const qlonglong key = drawFreeKey(db, tableKeyName, fieldName);
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
