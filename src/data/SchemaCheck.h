#pragma once

#include <QList>
#include <QString>

class QSqlDatabase;
struct TableDef;

// The check of an existing database for lost tables, and their repair.
namespace Schema {

// The tables an existing database lacks.
QList<const TableDef *> missingTables(QSqlDatabase &db);
// Throws an engine error that says what is lost and what to do when the program cannot work
// with the database: a table of the user's records is missing (recipes, their lines, the
// ingredients, the planned days), a table is missing from a read-only file, or a table
// lacks a field.
void checkTables(QSqlDatabase &db, const QList<const TableDef *> &missing, bool readOnly);
// Makes the missing tables again, with the starter rows of a new database; returns what the
// user is to be told (nothing when only counters, report kinds or scratch rows were lost).
QString remakeTables(QSqlDatabase &db, const QList<const TableDef *> &missing);

} // namespace Schema
