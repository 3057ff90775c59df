#include "data/Schema.h"
#include "data/SchemaCheck.h"

#include "data/EngineError.h"
#include "data/Settings.h"
#include "data/SqlText.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

FieldDef text(const char *name, int size) { return {QString::fromLatin1(name), FieldType::Text, size}; }
FieldDef memo(const char *name) { return {QString::fromLatin1(name), FieldType::Memo, 0}; }
FieldDef integer(const char *name) { return {QString::fromLatin1(name), FieldType::Integer, 0}; }
FieldDef date(const char *name) { return {QString::fromLatin1(name), FieldType::Date, 0}; }
FieldDef logical(const char *name) { return {QString::fromLatin1(name), FieldType::Logical, 0}; }

TableDef lookupList(const char *table, const char *field, int width)
{
    return {QString::fromLatin1(table), {text(field, width)}, {QString::fromLatin1(field)}, {}};
}

TableDef dayTable(const char *name, bool withRecipeIndex)
{
    TableDef t{QString::fromLatin1(name),
               {date("Date"), text("Recipe_ID", 13), integer("Servings")},
               {"Date", "Recipe_ID"},
               {}};
    if (withRecipeIndex)
        t.indexes.append({"byRecipeID", {"Recipe_ID"}, false});
    return t;
}

QList<TableDef> buildTables()
{
    return {
        {"Recipe",
         {text("Recipe_ID", 13), text("Name", 40), memo("Instructions"), memo("Notes"), text("Meal", 10),
          text("Category", 20), text("PrepTime", 20), text("Servings", 10), text("CookTime", 20)},
         {"Recipe_ID"},
         {{"byName", {"Name"}, true}, {"byCategory", {"Category"}, false}}},
        {"REC_INGR",
         {text("Recipe_ID", 13), text("Ingredient_ID", 13), integer("Order"), text("Amount", 10),
          text("Measurement", 10), text("Description", 20)},
         {"Recipe_ID", "Ingredient_ID"},
         {{"byOrder", {"Recipe_ID", "Order"}, false}, {"byIngredient", {"Ingredient_ID"}, false}}},
        {"INGREDIE",
         {text("Ingredient_ID", 13), text("Ingredient", 40)},
         {"Ingredient_ID"},
         {{"byIngredient", {"Ingredient"}, true}}},
        dayTable("DAY", true),
        dayTable("TempDAY", false),
        {"Report",
         {text("Description", 35), text("Report_File", 75), memo("Filter_Criteria"), logical("DLL")},
         {"Description"},
         {}},
        lookupList("LMeal", "Meal", 10),
        lookupList("LCategory", "Category", 20),
        lookupList("LPrepTime", "PrepTime", 20),
        lookupList("LCooktime", "CookTime", 20),
        lookupList("LAmtMeas", "Measurement", 20),
        lookupList("LAmtDesc", "Description", 20),
        {"Key", {text("Table_Name", 31), text("Field_Name", 31), integer("Next_Value")}, {"Table_Name", "Field_Name"}, {}},
        {"SYSTEM", {text("Topic", 40), text("Data", 1023)}, {"Topic"}, {}},
    };
}

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Logical:
        return QStringLiteral("INTEGER");
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Date:
        break;
    }
    return QStringLiteral("TEXT");
}

// Both statements take "IF NOT EXISTS" when a lost table is made again, so that two copies
// starting at once on one damaged database do not trip over each other.
QString createTableSql(const TableDef &t, bool ifNotExists = false)
{
    QStringList columns;
    for (const auto &f : t.fields) {
        QString column = SqlText::quoted(f.name) + QLatin1Char(' ') + sqlType(f.type);
        if (t.primaryKey.contains(f.name))
            column += QStringLiteral(" NOT NULL");
        columns << column;
    }
    QStringList key;
    for (const auto &k : t.primaryKey)
        key << SqlText::quoted(k);
    columns << QStringLiteral("PRIMARY KEY (%1)").arg(key.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE %1%2 (%3)")
        .arg(ifNotExists ? QStringLiteral("IF NOT EXISTS ") : QString(), SqlText::quoted(t.name),
             columns.join(QStringLiteral(", ")));
}

QString createIndexSql(const TableDef &t, const IndexDef &index, bool ifNotExists = false)
{
    QStringList fields;
    for (const auto &f : index.fields)
        fields << SqlText::quoted(f) + (index.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
    return QStringLiteral("CREATE INDEX %1%2 ON %3 (%4)")
        .arg(ifNotExists ? QStringLiteral("IF NOT EXISTS ") : QString(),
             SqlText::quoted(t.name + QLatin1Char('_') + index.name), SqlText::quoted(t.name),
             fields.join(QStringLiteral(", ")));
}

void exec(QSqlDatabase &db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw EngineError::fromSql(q.lastError(), sql);
    for (const auto &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw EngineError::fromSql(q.lastError(), sql);
}

void insertRows(QSqlDatabase &db, const TableDef &t, const QList<QVariantList> &rows, bool orIgnore = false)
{
    for (const auto &row : rows) {
        QStringList names, marks;
        for (int i = 0; i < row.size(); ++i) {
            names << SqlText::quoted(t.fields[i].name);
            marks << QStringLiteral("?");
        }
        exec(db, QStringLiteral("INSERT %1INTO %2 (%3) VALUES (%4)")
                     .arg(orIgnore ? QStringLiteral("OR IGNORE ") : QString(), SqlText::quoted(t.name),
                          names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
             row);
    }
}

QList<QVariantList> single(std::initializer_list<const char *> values)
{
    QList<QVariantList> rows;
    for (const char *v : values)
        rows.append({QString::fromLatin1(v)});
    return rows;
}

// The rows a new database starts with, by table.
QHash<QString, QList<QVariantList>> starterRows()
{
    QHash<QString, QList<QVariantList>> rows;
    rows.insert(QStringLiteral("LMeal"), single({"Breakfast", "Desert", "Dinner", "Lunch", "Salad", "Snack"}));
    rows.insert(QStringLiteral("LCategory"), single({"Beef", "Bread", "Cakes", "Chicken", "Cookies", "Desserts", "Fish",
                                                     "Pasta", "Pork", "Salads", "Soups", "Vegetables"}));
    rows.insert(QStringLiteral("LPrepTime"), single({"5 min", "10 min", "15 min", "20 min", "30 min", "45 min", "1 hour"}));
    rows.insert(QStringLiteral("LCooktime"), single({"10 min", "15 min", "20 min", "30 min", "45 min", "1 hour",
                                                     "1 1/2 hours", "2 hours", "3 hours"}));
    rows.insert(QStringLiteral("LAmtMeas"), single({"clove", "cup", "dash", "g", "kg", "l", "lb", "ml", "oz", "package",
                                                    "pinch", "slice", "tbsp", "tsp", "whole"}));
    rows.insert(QStringLiteral("LAmtDesc"), single({"beaten", "chopped", "crushed", "diced", "drained", "fresh", "grated",
                                                    "melted", "minced", "peeled", "sliced", "softened"}));
    QList<QVariantList> reports;
    for (const char *kind : {"Recipe (by Category)", "Small Recipe (by Category)", "Recipe (by Name)",
                             "Small Recipe (by Name)", "Shopping List (by Name)", "Recipe (by Date Assigned)",
                             "Small Recipe (by Date Assigned)", "Shopping List (by Date Assigned)"})
        reports.append({QString::fromLatin1(kind), QVariant(), QVariant(), 0});
    rows.insert(QStringLiteral("Report"), reports);
    rows.insert(QStringLiteral("Key"), {{"Recipe", "Recipe_ID", 0}, {"INGREDIE", "Ingredient_ID", 0}});
    QList<QVariantList> settings;
    for (const auto &[key, value] : Settings::starterRows())
        settings.append({key, value});
    rows.insert(QStringLiteral("SYSTEM"), settings);
    return rows;
}

void createTable(QSqlDatabase &db, const TableDef &t, bool ifNotExists)
{
    exec(db, createTableSql(t, ifNotExists));
    for (const auto &index : t.indexes)
        exec(db, createIndexSql(t, index, ifNotExists));
    insertRows(db, t, starterRows().value(t.name), ifNotExists);
}

// What each table holds, for the messages about a damaged database. The four tables of the
// user's own records cannot be made again; the others hold lists, preferences, counters or
// scratch rows and are made again with their starter rows. Those whose loss the user would
// notice are named in the notice.
struct TableRole {
    const char *name;
    const char *holds;
    bool userRecords;
};

const TableRole kRoles[] = {
    {"Recipe", "the recipes", true},
    {"REC_INGR", "the ingredient lines of the recipes", true},
    {"INGREDIE", "the ingredient names", true},
    {"DAY", "the planned meals", true},
    {"TempDAY", nullptr, false},
    {"Report", nullptr, false},
    {"LMeal", "the list of meals", false},
    {"LCategory", "the list of categories", false},
    {"LPrepTime", "the list of preparation times", false},
    {"LCooktime", "the list of cooking times", false},
    {"LAmtMeas", "the list of measurements", false},
    {"LAmtDesc", "the list of descriptions", false},
    {"Key", nullptr, false},
    {"SYSTEM", "the preferences", false},
};

const TableRole &roleOf(const TableDef &t)
{
    for (const auto &role : kRoles)
        if (t.name == QLatin1String(role.name))
            return role;
    Q_UNREACHABLE();
}

QString named(const TableDef &t)
{
    const TableRole &role = roleOf(t);
    return role.holds ? QStringLiteral("\"%1\" (%2)").arg(t.name, QString::fromLatin1(role.holds))
                      : QStringLiteral("\"%1\"").arg(t.name);
}

QString namedList(const QList<const TableDef *> &tables)
{
    QStringList names;
    for (const TableDef *t : tables)
        names << named(*t);
    if (names.size() == 1)
        return QStringLiteral("table ") + names.first();
    const QString last = names.takeLast();
    return QStringLiteral("tables ") + names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QStringList storedColumns(QSqlDatabase &db, const QString &table)
{
    QSqlQuery q(db);
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(SqlText::quoted(table))))
        while (q.next())
            columns << q.value(1).toString();
    return columns;
}

} // namespace

const FieldDef *TableDef::field(const QString &fieldName) const
{
    for (const auto &f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

std::optional<IndexDef> TableDef::indexStartingWith(const QStringList &fieldNames) const
{
    auto startsWith = [&](const QStringList &indexFields) {
        if (indexFields.size() < fieldNames.size())
            return false;
        for (int i = 0; i < fieldNames.size(); ++i)
            if (indexFields[i].compare(fieldNames[i], Qt::CaseInsensitive) != 0)
                return false;
        return true;
    };
    if (startsWith(primaryKey))
        return primaryIndex();
    for (const auto &index : indexes)
        if (startsWith(index.fields))
            return index;
    return std::nullopt;
}

namespace Schema {

const QList<TableDef> &tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

QString baseName(const QString &fileName)
{
    const int dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

const TableDef *findTable(const QString &fileName)
{
    const QString base = baseName(fileName);
    for (const auto &t : tables())
        if (t.name.compare(base, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

void create(QSqlDatabase &db)
{
    for (const auto &t : tables())
        createTable(db, t, false);
}

QList<const TableDef *> missingTables(QSqlDatabase &db)
{
    QList<const TableDef *> missing;
    for (const auto &t : tables())
        if (storedColumns(db, t.name).isEmpty())
            missing << &t;
    return missing;
}

void checkTables(QSqlDatabase &db, const QList<const TableDef *> &missing, bool readOnly)
{
    const QString file = db.databaseName();
    QList<const TableDef *> lostRecords;
    for (const TableDef *t : missing)
        if (roleOf(*t).userRecords)
            lostRecords << t;
    if (!lostRecords.isEmpty())
        throw EngineError(EngineError::TableNotFound,
                          QStringLiteral("The database \"%1\" has lost its %2, so Platewright cannot work with it. "
                                         "Put back a copy of the file from a backup, or move the file away to start "
                                         "with a new, empty database.")
                              .arg(file, namedList(lostRecords)));
    if (!missing.isEmpty() && readOnly)
        throw EngineError(EngineError::TableNotFound,
                          QStringLiteral("The database \"%1\" has lost its %2, and it is read-only, so the table "
                                         "cannot be made again. Open it once with write permission for its file and "
                                         "directory.")
                              .arg(file, namedList(missing)));
    for (const auto &t : tables()) {
        if (missing.contains(&t))
            continue;
        const QStringList columns = storedColumns(db, t.name);
        for (const auto &f : t.fields)
            if (!columns.contains(f.name, Qt::CaseInsensitive))
                throw EngineError(EngineError::FieldNotFound,
                                  QStringLiteral("The table \"%1\" of the database \"%2\" has lost its field \"%3\", "
                                                 "so Platewright cannot work with it. Put back a copy of the file "
                                                 "from a backup.")
                                      .arg(t.name, file, f.name));
    }
}

QString remakeTables(QSqlDatabase &db, const QList<const TableDef *> &missing)
{
    QList<const TableDef *> noticed;
    for (const TableDef *t : missing) {
        createTable(db, *t, true);
        if (roleOf(*t).holds)
            noticed << t;
    }
    if (noticed.isEmpty())
        return {};
    return QStringLiteral("The database \"%1\" had lost its %2. %3 been made again with the starter values of a new "
                          "database; look them over in Setup.")
        .arg(db.databaseName(), namedList(noticed),
             noticed.size() == 1 ? QStringLiteral("It has") : QStringLiteral("They have"));
}

} // namespace Schema
