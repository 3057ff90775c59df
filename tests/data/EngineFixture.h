#pragma once

// A database in a temporary directory, built from the real schema, with helpers that write
// rows by plain SQL so that a test's setup never depends on the engine path it examines.
// The first fixture of a test program creates and seeds a database the way a first run
// does; later fixtures start from a copy of it, which spares the disk syncs of creating one.

#include "TestSupport.h"
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/Table.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

class EngineFixture {
public:
    EngineFixture()
    {
        QDir().mkpath(directory());
        m_env.setRecipeAlias(directory());
        const QString fileName = QLatin1Char('/') + QLatin1String(TDatabase::kDatabaseFileName);
        const QString &seeded = seededDatabase();
        if (!seeded.isEmpty())
            QFile::copy(seeded, directory() + fileName);
        db.open();
        db.addPassword(QString::fromLatin1(Schema::kTablePassword));
        if (seeded.isEmpty()) {
            seededDatabase() = seededCopies().filePath(QStringLiteral("seeded.db"));
            QFile::copy(directory() + fileName, seededDatabase());
        }
        exec(QStringLiteral("PRAGMA synchronous = OFF"));  // durability is no concern of a test
    }

    QString directory() const { return m_env.path() + QStringLiteral("/Recipe"); }

    void exec(const QString &sql, const QVariantList &values = {}) { execSql(db.connection(), sql, values); }
    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return sqlValue(db.connection(), sql, values); }

    int count(const QString &table) { return sqlCount(db.connection(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)); }

    void addRecipe(const QString &id, const QString &name, const QString &category = {})
    {
        exec(QStringLiteral("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\", \"Category\") VALUES (?, ?, ?)"),
             {id, name, category.isEmpty() ? QVariant() : QVariant(category)});
    }

    void addLine(const QString &recipeId, const QString &ingredientId, int order, const QString &amount = {})
    {
        exec(QStringLiteral("INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\", \"Amount\") "
                            "VALUES (?, ?, ?, ?)"),
             {recipeId, ingredientId, order, amount.isEmpty() ? QVariant() : QVariant(amount)});
    }

    void addIngredient(const QString &id, const QString &name)
    {
        exec(QStringLiteral("INSERT INTO \"INGREDIE\" VALUES (?, ?)"), {id, name});
    }

    void addDay(const QDate &date, const QString &recipeId)
    {
        exec(QStringLiteral("INSERT INTO \"DAY\" (\"Date\", \"Recipe_ID\") VALUES (?, ?)"),
             {date.toString(Qt::ISODate), recipeId});
    }

    std::unique_ptr<TTable> table(const QString &fileName, const QString &indexFieldNames = {})
    {
        auto view = std::make_unique<TTable>(db);
        view->setTableName(fileName);
        if (!indexFieldNames.isEmpty())
            view->setIndexFieldNames(indexFieldNames);
        return view;
    }

    std::unique_ptr<TTable> openTable(const QString &fileName, const QString &indexFieldNames = {})
    {
        auto view = table(fileName, indexFieldNames);
        view->open();
        return view;
    }

private:
    static QString &seededDatabase()
    {
        static QString path;
        return path;
    }
    static QDir seededCopies()
    {
        static QTemporaryDir directory;
        return QDir(directory.path());
    }

    TempEnvironment m_env;

public:
    TDatabase db;
};

// The values of one field over the whole view, in view order; the view ends on its last row.
inline QStringList column(TDataSet &view, const QString &fieldName)
{
    QStringList values;
    for (view.first(); !view.eof(); view.next())
        values << view.fieldByName(fieldName).asString();
    return values;
}
