#pragma once

#include <QString>

class TDatabase;
class TTable;

// Keys of "Recipe.DB" and "INGREDIE.DB" come from persistent counters in "Key.db", one per
// (table, key field): the decimal text of the counter value, "0" first.

// Draws the next key of the counter (table key name, field name), creating the counter at 0.
// The read and the increment are one atomic step of the database, so two copies of the
// program never receive the same key.
QString GetNextKey(TDatabase &db, const QString &tableKeyName, const QString &fieldName);

// The counter of a table is named by its file name up to the first "." ("Recipe.DB" gives "Recipe").
QString TableKeyName(TDatabase &db, const QString &tableFileName, const QString &fieldName);

// Gives the new record of the view a key unless the caller already supplied one.
void AssignNewKey(TTable &view, const QString &fieldName);
