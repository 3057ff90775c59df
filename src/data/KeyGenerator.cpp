#include "data/KeyGenerator.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Table.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

qlonglong drawKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    // One statement reads and advances the counter; inside BEGIN IMMEDIATE no other copy of
    // the program can read the same value in between.
    QSqlQuery &q = db.prepared(QStringLiteral(
        "INSERT INTO \"Key\" (\"Table_Name\", \"Field_Name\", \"Next_Value\") VALUES (?, ?, 1) "
        "ON CONFLICT (\"Table_Name\", \"Field_Name\") DO UPDATE SET \"Next_Value\" = coalesce(\"Next_Value\", 0) + 1 "
        "RETURNING \"Next_Value\" - 1"));
    q.bindValue(0, tableKeyName);
    q.bindValue(1, fieldName);
    if (!q.exec() || !q.next()) {
        const QSqlError error = q.lastError();
        q.finish();
        throw EngineError::fromSql(error, QStringLiteral("Key.db"));
    }
    const qlonglong key = q.value(0).toLongLong();
    q.finish();
    return key;
}

} // namespace

QString GetNextKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName)
{
    // Inside a transaction the write lock is already held and the one statement is atomic;
    // otherwise take the lock for the draw alone.
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
