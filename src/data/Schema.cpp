#include "data/Schema.h"

#include "data/EngineError.h"
#include "data/SqlText.h"

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

QString createTableSql(const TableDef &t)
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
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlText::quoted(t.name), columns.join(QStringLiteral(", ")));
}

QString createIndexSql(const TableDef &t, const IndexDef &index)
{
    QStringList fields;
    for (const auto &f : index.fields)
        fields << SqlText::quoted(f) + (index.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(SqlText::quoted(t.name + QLatin1Char('_') + index.name), SqlText::quoted(t.name),
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

void insertRows(QSqlDatabase &db, const char *table, const QList<QVariantList> &rows)
{
    const TableDef *t = Schema::findTable(QString::fromLatin1(table));
    for (const auto &row : rows) {
        QStringList names, marks;
        for (int i = 0; i < row.size(); ++i) {
            names << SqlText::quoted(t->fields[i].name);
            marks << QStringLiteral("?");
        }
        exec(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(SqlText::quoted(t->name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
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

void seed(QSqlDatabase &db)
{
    insertRows(db, "LMeal", single({"Breakfast", "Desert", "Dinner", "Lunch", "Salad", "Snack"}));
    insertRows(db, "LCategory", single({"Beef", "Bread", "Cakes", "Chicken", "Cookies", "Desserts", "Fish",
                                        "Pasta", "Pork", "Salads", "Soups", "Vegetables"}));
    insertRows(db, "LPrepTime", single({"5 min", "10 min", "15 min", "20 min", "30 min", "45 min", "1 hour"}));
    insertRows(db, "LCooktime", single({"10 min", "15 min", "20 min", "30 min", "45 min", "1 hour",
                                        "1 1/2 hours", "2 hours", "3 hours"}));
    insertRows(db, "LAmtMeas", single({"clove", "cup", "dash", "g", "kg", "l", "lb", "ml", "oz", "package",
                                       "pinch", "slice", "tbsp", "tsp", "whole"}));
    insertRows(db, "LAmtDesc", single({"beaten", "chopped", "crushed", "diced", "drained", "fresh", "grated",
                                       "melted", "minced", "peeled", "sliced", "softened"}));
    QList<QVariantList> reports;
    for (const char *kind : {"Recipe (by Category)", "Small Recipe (by Category)", "Recipe (by Name)",
                             "Small Recipe (by Name)", "Shopping List (by Name)", "Recipe (by Date Assigned)",
                             "Small Recipe (by Date Assigned)", "Shopping List (by Date Assigned)"})
        reports.append({QString::fromLatin1(kind), QVariant(), QVariant(), 0});
    insertRows(db, "Report", reports);
    insertRows(db, "Key", {{"Recipe", "Recipe_ID", 0}, {"INGREDIE", "Ingredient_ID", 0}});
    // A new user starts with the calendar, the button captions and the hints on.
    insertRows(db, "SYSTEM", {{"View Calendar", "True"}, {"View Button Captions", "True"}, {"View Hints", "True"},
                              {"View Cool Buttons", "True"}, {"Auto Select", "False"}, {"Report Date", "NoDate"},
                              {"Start On Today", "False"}});
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
    for (const auto &t : tables()) {
        exec(db, createTableSql(t));
        for (const auto &index : t.indexes)
            exec(db, createIndexSql(t, index));
    }
    seed(db);
}

} // namespace Schema
