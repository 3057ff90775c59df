#pragma once

// Databases and processes for the tests that kill copies of the program or run two at once:
// the built command-line program and the test worker, databases in directories of their own,
// and a database filled with many recipes, lines and planned days by plain SQL.

#include "DatabaseSnapshot.h"
#include "TestSupport.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace Reliability {

inline QString workerProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/reliability_worker");
}

// A new directory under the root holding a copy of the given database file.
inline QString copyDatabase(const QString &root, const QString &name, const QString &sourceFile)
{
    const QString directory = root + u'/' + name;
    QDir(directory).removeRecursively();
    QDir().mkpath(directory);
    QFile::copy(sourceFile, databaseFile(directory));
    return directory;
}

inline std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments,
                                       const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

// What the output says after "PREFIX " on each line that starts so.
inline QStringList printedValues(const QByteArray &output, const QString &prefix)
{
    QStringList values;
    for (const QString &line : QString::fromUtf8(output).split(u'\n'))
        if (line.startsWith(prefix + u' '))
            values << line.mid(prefix.size() + 1);
    return values;
}

// Waits until the process printed the line (true), or ended or took too long (false).
inline bool waitForLine(QProcess &process, const QByteArray &line, int timeoutMs = 60000)
{
    QByteArray seen;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        seen += process.readAllStandardOutput();
        if (seen.startsWith(line + '\n') || seen.contains('\n' + line + '\n'))
            return true;
        if (process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(100);
    }
    return false;
}

// A database with many recipes, each with several lines, and planned days over several
// years, written by plain SQL in one transaction. Recipe i has 6 + i % 7 lines.
inline void fillDatabase(const QString &directory, int recipes, int ingredients, int days)
{
    TDatabase db;
    db.openDirectory(directory);
    TTransaction transaction(db);
    auto run = [&db](const QString &sql, const QVariantList &values) { execSql(db.connection(), sql, values); };
    for (int i = 0; i < ingredients; ++i)
        run(QStringLiteral("INSERT INTO INGREDIE VALUES (?, ?)"), {QString::number(i), QStringLiteral("Ingredient %1").arg(i)});
    for (int i = 0; i < recipes; ++i) {
        run(QStringLiteral("INSERT INTO Recipe (Recipe_ID, Name, Category, Servings, Instructions) VALUES (?, ?, ?, ?, ?)"),
            {QString::number(i), QStringLiteral("Recipe %1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("Soups"),
             QString::number(1 + i % 8), QStringLiteral("Step one of %1.\r\nStep two.\r\n").arg(i)});
        for (int line = 0; line < 6 + i % 7; ++line)
            run(QStringLiteral("INSERT INTO REC_INGR (Recipe_ID, Ingredient_ID, \"Order\", Amount, Measurement, Description) "
                               "VALUES (?, ?, ?, ?, ?, ?)"),
                {QString::number(i), QString::number((i * 7 + line * 13) % ingredients), line, QString::number(line + 1),
                 QStringLiteral("cup"), QStringLiteral("chopped")});
    }
    const QDate first(2020, 1, 1);
    for (int d = 0; d < days; ++d) {
        const QString date = first.addDays(d).toString(Qt::ISODate);
        run(QStringLiteral("INSERT INTO DAY VALUES (?, ?, ?)"), {date, QString::number(d * 37 % recipes), 1 + d % 6});
        if (d % 5 == 0)
            run(QStringLiteral("INSERT INTO DAY VALUES (?, ?, ?)"), {date, QString::number((d * 37 + 1) % recipes), 2});
    }
    run(QStringLiteral("UPDATE Key SET Next_Value = ? WHERE Table_Name = 'Recipe'"), {recipes});
    run(QStringLiteral("UPDATE Key SET Next_Value = ? WHERE Table_Name = 'INGREDIE'"), {ingredients});
    transaction.commit();
}

// The Meal-Master archives of the test data, one after the other, `copies` times.
inline QByteArray concatenatedArchives(int copies)
{
    QByteArray one;
    for (const char *name : {"JJ_perl6-recipes-apress/apetizer.mmf", "gitpan_MealMaster/31000.mmf",
                             "gitpan_MealMaster/0222-1.TXT"}) {
        const QByteArray archive = readFile(mealMasterArchive(QLatin1String(name)));
        if (archive.isEmpty())
            return {};
        one += archive;
    }
    return one.repeated(copies);
}

// What the engine says when it opens the directory: empty when it opens.
inline QString engineOpenFailure(const QString &directory)
{
    try {
        TDatabase db;
        db.openDirectory(directory);
        return db.isOpen() ? QString() : QStringLiteral("not open");
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}

} // namespace Reliability
