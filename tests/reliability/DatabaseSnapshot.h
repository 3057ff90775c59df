#pragma once

// What a database file holds, read through a plain SQLite connection of its own, so that the
// checks after a kill or a race never depend on the engine code they examine.

#include "data/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUuid>
#include <limits>

struct DatabaseSnapshot {
    QString integrity;                // what PRAGMA integrity_check says ("ok")
    QMap<qlonglong, QString> recipes; // key → the recipe's fields and its lines, as one text
    QStringList days;                 // "date|recipe key|servings", sorted
    int orphanLines = 0;              // lines whose recipe is missing
    int linesWithoutIngredient = 0;   // lines whose ingredient is missing
    int orphanDays = 0;               // planned days whose recipe is missing
    qlonglong nextRecipeKey = 0, nextIngredientKey = 0;
    qlonglong highestRecipeKey = -1, highestIngredientKey = -1;
    QString failure;                  // set when the file could not be read at all

    // The keys the counters hand out next are above every key in use.
    bool countersAhead() const
    {
        return nextRecipeKey > highestRecipeKey && nextIngredientKey > highestIngredientKey;
    }
};

namespace SnapshotDetail {

inline QList<QStringList> rows(QSqlDatabase &db, const QString &sql, QString &failure)
{
    QSqlQuery q(db);
    QList<QStringList> result;
    if (!q.exec(sql)) {
        failure = sql + QStringLiteral(": ") + q.lastError().text();
        return result;
    }
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i).toString();
        result << row;
    }
    return result;
}

inline qlonglong number(QSqlDatabase &db, const QString &sql, QString &failure)
{
    const QList<QStringList> result = rows(db, sql, failure);
    return result.isEmpty() || result.first().isEmpty() || result.first().first().isEmpty()
               ? -1
               : result.first().first().toLongLong();
}

inline void readContent(QSqlDatabase &db, DatabaseSnapshot &s)
{
    const auto check = rows(db, QStringLiteral("PRAGMA integrity_check"), s.failure);
    s.integrity = check.isEmpty() ? QString() : check.first().value(0);
    for (const QStringList &r :
         rows(db, QStringLiteral("SELECT Recipe_ID, Name, Category, Servings, Instructions, Notes FROM Recipe"), s.failure))
        s.recipes.insert(r[0].toLongLong(), r.mid(1).join(u'|'));
    for (const QStringList &r :
         rows(db, QStringLiteral("SELECT l.Recipe_ID, i.Ingredient, l.\"Order\", l.Amount, l.Measurement, l.Description "
                                 "FROM REC_INGR l JOIN INGREDIE i ON i.Ingredient_ID = l.Ingredient_ID "
                                 "ORDER BY CAST(l.Recipe_ID AS INTEGER), l.\"Order\""),
              s.failure)) {
        const qlonglong key = r[0].toLongLong();
        if (s.recipes.contains(key))
            s.recipes[key] += QStringLiteral("\n") + r.mid(1).join(u'|');
    }
    for (const QStringList &r : rows(db, QStringLiteral("SELECT Date, Recipe_ID, Servings FROM DAY"), s.failure))
        s.days << r.join(u'|');
    s.days.sort();
}

inline void readConsistency(QSqlDatabase &db, DatabaseSnapshot &s)
{
    s.orphanLines = int(number(db, QStringLiteral("SELECT count(*) FROM REC_INGR l WHERE NOT EXISTS "
                                                  "(SELECT 1 FROM Recipe r WHERE r.Recipe_ID = l.Recipe_ID)"), s.failure));
    s.linesWithoutIngredient = int(number(db, QStringLiteral("SELECT count(*) FROM REC_INGR l WHERE NOT EXISTS "
                                                             "(SELECT 1 FROM INGREDIE i WHERE i.Ingredient_ID = l.Ingredient_ID)"),
                                          s.failure));
    s.orphanDays = int(number(db, QStringLiteral("SELECT count(*) FROM DAY d WHERE NOT EXISTS "
                                                 "(SELECT 1 FROM Recipe r WHERE r.Recipe_ID = d.Recipe_ID)"), s.failure));
    s.nextRecipeKey = number(db, QStringLiteral("SELECT Next_Value FROM Key WHERE Table_Name = 'Recipe'"), s.failure);
    s.nextIngredientKey = number(db, QStringLiteral("SELECT Next_Value FROM Key WHERE Table_Name = 'INGREDIE'"), s.failure);
    s.highestRecipeKey = number(db, QStringLiteral("SELECT max(CAST(Recipe_ID AS INTEGER)) FROM Recipe"), s.failure);
    s.highestIngredientKey = number(db, QStringLiteral("SELECT max(CAST(Ingredient_ID AS INTEGER)) FROM INGREDIE"), s.failure);
}

} // namespace SnapshotDetail

// Reads the database of the directory. Opening it also rolls back what a killed copy left
// unfinished, as the next copy of the program would.
inline DatabaseSnapshot readSnapshot(const QString &directory)
{
    DatabaseSnapshot snapshot;
    const QString connection = QStringLiteral("snapshot-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QDir(directory).filePath(QString::fromLatin1(TDatabase::kDatabaseFileName)));
        if (!db.open()) {
            snapshot.failure = db.lastError().text();
        } else {
            SnapshotDetail::readContent(db, snapshot);
            SnapshotDetail::readConsistency(db, snapshot);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return snapshot;
}

// How many recipes the database holds now; -1 when it cannot be read. Reading does not wait
// for a copy that is writing.
inline int recipeCount(const QString &directory)
{
    int count = -1;
    const QString connection = QStringLiteral("count-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QDir(directory).filePath(QString::fromLatin1(TDatabase::kDatabaseFileName)));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM Recipe")) && q.next())
                count = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return count;
}

// The recipes whose stored text differs between the two snapshots, by key.
// With `below`, only keys below it are compared.
inline QList<qlonglong> differingRecipes(const DatabaseSnapshot &found, const DatabaseSnapshot &expected,
                                         qlonglong below = std::numeric_limits<qlonglong>::max())
{
    QList<qlonglong> keys;
    for (auto it = found.recipes.cbegin(); it != found.recipes.cend() && it.key() < below; ++it)
        if (expected.recipes.value(it.key(), QStringLiteral("<absent>")) != it.value())
            keys << it.key();
    return keys;
}
