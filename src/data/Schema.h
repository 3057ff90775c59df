#pragma once

#include <QList>
#include <optional>
#include <QString>
#include <QStringList>

class QSqlDatabase;

enum class FieldType { Text, Memo, Integer, Date, Logical };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // declared width of a text field; 0 means unbounded
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool caseInsensitive = false;
};

// One table of the database directory. `name` is the table's file name without its
// extension, which is also its name inside the SQLite file.
struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList primaryKey;
    QList<IndexDef> indexes;

    const FieldDef *field(const QString &fieldName) const;
    // The index whose fields begin with the given list, the primary key first; null when none.
    std::optional<IndexDef> indexStartingWith(const QStringList &fieldNames) const;
    IndexDef primaryIndex() const { return {QString(), primaryKey, false}; }
};

namespace Schema {

// The password under which a newly created database protects its tables.
inline constexpr const char *kTablePassword = "tavemol";

const QList<TableDef> &tables();

// Finds a table by file name, ignoring letter case and extension ("RECIPE.DB", "Recipe").
const TableDef *findTable(const QString &fileName);

// The table name part of a file name: everything before the first ".".
QString baseName(const QString &fileName);

// Creates every table and index and writes the initial rows of a new database.
void create(QSqlDatabase &db);

} // namespace Schema
