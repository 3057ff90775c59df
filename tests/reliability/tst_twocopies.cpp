// Two or more copies of the program on one database at once: imports and planned days that
// run side by side lose nothing and never share a key, and a copy that waits too long for
// another one gets a clear message and keeps what was stored.

#include "ReliabilityFixture.h"

#include "app/Startup.h"
#include "calendar/Main.h"
#include "data/dmmain.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>

using namespace Reliability;

namespace {

const QString kBusy = QStringLiteral("busy with another copy");

struct ImportCounts {
    int stored = -1;
    int dropped = -1;
};

// "FILE: N recipes imported, D ingredient lines dropped, ..." (no count of lines when none was dropped)
ImportCounts countsPrinted(const QByteArray &output)
{
    static const QRegularExpression pattern(QStringLiteral(": (\\d+) recipes? imported(, (\\d+) ingredient lines? dropped)?"));
    const auto match = pattern.match(QString::fromUtf8(output));
    return match.hasMatch() ? ImportCounts{match.captured(1).toInt(), match.captured(3).toInt()} : ImportCounts{};
}

// A name in other letter case is the same ingredient: which spelling a recipe's line shows
// depends on which copy stored the ingredient first.
QString comparable(const QString &recipe)
{
    return recipe.toCaseFolded();
}

QStringList sortedTexts(const DatabaseSnapshot &snapshot)
{
    QStringList texts;
    for (const QString &recipe : snapshot.recipes)
        texts << comparable(recipe);
    texts.sort();
    return texts;
}

} // namespace

class TestTwoCopies : public QObject {
    Q_OBJECT
    QTemporaryDir m_work;

    QProcessEnvironment environmentWithBusyTimeout(int milliseconds)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PLATEWRIGHT_BUSY_TIMEOUT_MS"), QString::number(milliseconds));
        return environment;
    }

    // Imports the file alone into an empty database: what each copy must store of it.
    DatabaseSnapshot importAlone(const QString &name, const QString &file, ImportCounts &counts)
    {
        const QString directory = m_work.path() + u'/' + name;
        QDir().mkpath(directory);
        auto cli = start(cliProgram(), {"--database", directory, "import", "mealmaster", file});
        cli->waitForFinished(120000);
        counts = countsPrinted(cli->readAllStandardOutput());
        return readSnapshot(directory);
    }

    // A database holding the recipes of one archive, in a directory of its own.
    QString storedRecipes(const QString &name)
    {
        const QString directory = m_work.path() + u'/' + name;
        QDir().mkpath(directory);
        auto cli = start(cliProgram(), {"--database", directory, "import", "mealmaster", mealMasterArchive("gitpan_MealMaster/0222-1.TXT")});
        cli->waitForFinished(60000);
        return directory;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(cliProgram()).isExecutable());
        QVERIFY(QFileInfo(workerProgram()).isExecutable());
    }

    void importsAndPlannedDaysSideBySideLoseNothing();
    void copyThatWaitsTooLongSaysTheDatabaseIsBusy();
    void importThatWaitsTooLongKeepsItsCommittedRecipes();
    void programShowsBusyDatabaseInItsErrorBox();
};

// Two workers import the same archive three times each and plan days for recipes they stored,
// while the command-line program imports another archive into the same database.
void TestTwoCopies::importsAndPlannedDaysSideBySideLoseNothing()
{
    SKIP_WITHOUT_TESTDATA();
    const QString small = mealMasterArchive("gitpan_MealMaster/31000.mmf");
    const QString large = mealMasterArchive("JJ_perl6-recipes-apress/apetizer.mmf");
    ImportCounts smallCounts, largeCounts;
    const DatabaseSnapshot smallAlone = importAlone(QStringLiteral("small"), small, smallCounts);
    const DatabaseSnapshot largeAlone = importAlone(QStringLiteral("large"), large, largeCounts);
    QVERIFY(smallCounts.stored > 100 && largeCounts.stored > 800);
    const QStringList smallInOrder = smallAlone.recipes.values();  // key order is import order

    const QString directory = m_work.path() + QStringLiteral("/shared");
    QDir().mkpath(directory);
    const int rounds = 3;
    const int plannedPerRound = 30;
    QList<std::shared_ptr<QProcess>> workers;
    for (const char *firstDay : {"2030-01-01", "2040-01-01"}) {
        workers << start(workerProgram(), {"mixed", directory, small, QString::number(rounds), firstDay,
                                           QString::number(plannedPerRound)});
        QVERIFY(waitForLine(*workers.last(), "ready"));
    }
    auto cli = start(cliProgram(), {"--database", directory, "import", "mealmaster", large});
    for (auto &worker : workers)
        QVERIFY(worker->waitForFinished(240000));
    QVERIFY(cli->waitForFinished(240000));

    QCOMPARE(cli->exitCode(), 0);
    const ImportCounts cliCounts = countsPrinted(cli->readAllStandardOutput());
    QCOMPARE(cliCounts.stored, largeCounts.stored);
    QCOMPARE(cliCounts.dropped, largeCounts.dropped);
    const DatabaseSnapshot s = readSnapshot(directory);
    QCOMPARE(s.integrity, QStringLiteral("ok"));
    QStringList expected = sortedTexts(largeAlone);
    QSet<QString> keysHandedOut;
    QStringList plannedDays;
    for (auto &worker : workers) {
        QCOMPARE(worker->exitCode(), 0);
        const QByteArray output = worker->readAllStandardOutput();
        const QStringList imports = printedValues(output, QStringLiteral("imported"));
        QCOMPARE(imports.size(), rounds);
        for (const QString &import : imports) {
            const QStringList parts = import.split(u' ');
            QCOMPARE(parts.value(0).toInt(), smallCounts.stored);
            QCOMPARE(parts.value(1).toInt(), smallCounts.dropped);
            const QStringList keys = parts.value(2).split(u',');
            QCOMPARE(keys.size(), smallInOrder.size());
            for (int i = 0; i < keys.size(); ++i) {
                QVERIFY2(!keysHandedOut.contains(keys[i]), qPrintable(QStringLiteral("key %1 handed out twice").arg(keys[i])));
                keysHandedOut.insert(keys[i]);
                QCOMPARE(comparable(s.recipes.value(keys[i].toLongLong())), comparable(smallInOrder[i]));
            }
            for (const QString &recipe : smallInOrder)
                expected << comparable(recipe);
        }
        for (const QString &day : printedValues(output, QStringLiteral("day")))
            plannedDays << day.section(u' ', 0, 0) + u'|' + day.section(u' ', 1, 1);
    }
    expected.sort();
    const QStringList found = sortedTexts(s);
    QStringList missing, extra;
    std::set_difference(expected.cbegin(), expected.cend(), found.cbegin(), found.cend(), std::back_inserter(missing));
    std::set_difference(found.cbegin(), found.cend(), expected.cbegin(), expected.cend(), std::back_inserter(extra));
    QVERIFY2(missing.isEmpty() && extra.isEmpty(),
             qPrintable(QStringLiteral("%1 recipes missing or changed, %2 unexpected; first missing:\n%3\nfirst unexpected:\n%4")
                            .arg(missing.size())
                            .arg(extra.size())
                            .arg(missing.value(0), extra.value(0))));
    QStringList storedDays;
    for (const QString &day : s.days)
        storedDays << day.section(u'|', 0, 1);
    plannedDays.sort();
    QCOMPARE(storedDays, plannedDays);
    QCOMPARE(plannedDays.size(), 2 * rounds * plannedPerRound);
    QCOMPARE(s.orphanLines, 0);
    QCOMPARE(s.linesWithoutIngredient, 0);
    QVERIFY(s.countersAhead());
}

// The command-line program gives up after its wait with the engine's message, not SQLite's.
void TestTwoCopies::copyThatWaitsTooLongSaysTheDatabaseIsBusy()
{
    SKIP_WITHOUT_TESTDATA();
    const QString directory = storedRecipes(QStringLiteral("busy"));
    const DatabaseSnapshot before = readSnapshot(directory);
    QVERIFY(before.recipes.size() > 100);
    auto holder = start(workerProgram(), {"hold", directory, "1500"});
    QVERIFY(waitForLine(*holder, "holding"));

    auto cli = start(cliProgram(), {"--database", directory, "import", "mealmaster", mealMasterArchive("gitpan_MealMaster/31000.mmf")},
                     environmentWithBusyTimeout(200));
    QVERIFY(cli->waitForFinished(60000));
    const QString error = QString::fromUtf8(cli->readAllStandardError());
    QCOMPARE(cli->exitCode(), 1);
    QVERIFY2(error.contains(kBusy), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("database is locked")), qPrintable(error));
    QVERIFY(holder->waitForFinished(60000));
    QCOMPARE(holder->exitCode(), 0);
    const DatabaseSnapshot after = readSnapshot(directory);
    QCOMPARE(after.recipes, before.recipes);
    QCOMPARE(after.integrity, QStringLiteral("ok"));
}

// Another copy takes the database between two batches of a long import and keeps it: the
// import stops with the busy message, and every recipe it committed before is there, whole.
// The file begins with the content of the reference import, which gives its first keys.
void TestTwoCopies::importThatWaitsTooLongKeepsItsCommittedRecipes()
{
    SKIP_WITHOUT_TESTDATA();
    const QString beginning = m_work.path() + QStringLiteral("/beginning.mmf");
    const QString source = m_work.path() + QStringLiteral("/long.mmf");
    QVERIFY(writeFile(beginning, concatenatedArchives(2)));
    QVERIFY(writeFile(source, concatenatedArchives(40)));
    const QString directory = storedRecipes(QStringLiteral("interrupted"));
    const DatabaseSnapshot before = readSnapshot(directory);
    const QString referenceDirectory = copyDatabase(m_work.path(), QStringLiteral("uninterrupted"), databaseFile(directory));
    auto first = start(cliProgram(), {"--database", referenceDirectory, "import", "mealmaster", beginning});
    QVERIFY(first->waitForFinished(300000));
    const DatabaseSnapshot reference = readSnapshot(referenceDirectory);

    auto cli = start(cliProgram(), {"--database", directory, "import", "mealmaster", source}, environmentWithBusyTimeout(200));
    // The other copy comes once the import has committed its first batch.
    QDeadlineTimer deadline(120000);
    while (recipeCount(directory) <= int(before.recipes.size()) && cli->state() == QProcess::Running && !deadline.hasExpired())
        QTest::qWait(50);
    auto holder = start(workerProgram(), {"hold", directory, "2000"});
    QVERIFY(waitForLine(*holder, "holding"));
    QVERIFY(cli->waitForFinished(300000));
    const QString error = QString::fromUtf8(cli->readAllStandardError());
    QCOMPARE(cli->exitCode(), 1);
    QVERIFY2(error.contains(kBusy), qPrintable(error));
    QVERIFY(holder->waitForFinished(60000));

    const DatabaseSnapshot after = readSnapshot(directory);
    QCOMPARE(after.integrity, QStringLiteral("ok"));
    QVERIFY2(after.recipes.size() > before.recipes.size(), "no batch was committed before the other copy came");
    QCOMPARE(differingRecipes(after, reference, reference.recipes.lastKey() + 1), QList<qlonglong>{});
    const qlonglong last = after.recipes.lastKey();
    for (qlonglong key = 0; key <= last; ++key)
        QVERIFY2(after.recipes.contains(key) || !reference.recipes.contains(key), qPrintable(QString::number(key)));
    QCOMPARE(after.orphanLines, 0);
    QCOMPARE(after.linesWithoutIngredient, 0);
}

// The program's own commands show the same message through the command guard's error box.
void TestTwoCopies::programShowsBusyDatabaseInItsErrorBox()
{
    SKIP_WITHOUT_TESTDATA();
    TempEnvironment env;
    const QString directory = storedRecipes(QStringLiteral("program"));
    env.setRecipeAlias(directory);
    const DatabaseSnapshot before = readSnapshot(directory);
    const QByteArray previousTimeout = qgetenv("PLATEWRIGHT_BUSY_TIMEOUT_MS");
    qputenv("PLATEWRIGHT_BUSY_TIMEOUT_MS", "200");
    ScriptedPrompter prompter;
    {
        Startup startup;
        QVERIFY(startup.createObjects());
        startup.showMainWindow();
        QVERIFY(prompter.errors.isEmpty());
        auto holder = start(workerProgram(), {"hold", directory, "1500"});
        QVERIFY(waitForLine(*holder, "holding"));
        MainForm->Assign1->trigger();
        QCOMPARE(prompter.errors.size(), 1);
        QVERIFY2(prompter.errors.first().contains(kBusy), qPrintable(prompter.errors.first()));
        QVERIFY(holder->waitForFinished(60000));
    }
    qputenv("PLATEWRIGHT_BUSY_TIMEOUT_MS", previousTimeout);
    const DatabaseSnapshot after = readSnapshot(directory);
    QCOMPARE(after.recipes, before.recipes);
    QVERIFY(after.days.isEmpty());
}

QTEST_MAIN(TestTwoCopies)
#include "tst_twocopies.moc"
