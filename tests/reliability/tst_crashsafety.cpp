// Kills copies of the program at random moments while they write, and checks after each
// kill that the database is whole: an import of the real archives by the command-line
// program, and the data module's ShoveDays and DeleteRecipe run in a loop by the test worker.
//
// CTest runs a few rounds of each; for a long run set ROUNDS (and SEED to repeat one, and
// IMPORT_COPIES for a longer import than the archives four times over, with more batches):
//   ROUNDS=200 IMPORT_COPIES=12 QT_QPA_PLATFORM=offscreen tests/tst_crashsafety
// Each case ends with a line of figures: rounds, kills that left a journal (a write was under
// way) and how far the work had got.

#include "ReliabilityFixture.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

using namespace Reliability;

namespace {

constexpr int kRecipes = 1500;
constexpr int kIngredients = 300;
constexpr int kDays = 2000;
const QDate kShoveStart(2021, 6, 1);

struct Figures {
    int rounds = 0;
    int journalLeft = 0;
    QList<int> progress;

    QString text(const QString &what) const
    {
        QList<int> sorted = progress;
        std::sort(sorted.begin(), sorted.end());
        return QStringLiteral("%1 rounds, %2 kills left a journal; %3 at the kill: min %4, median %5, max %6")
            .arg(rounds)
            .arg(journalLeft)
            .arg(what)
            .arg(sorted.value(0))
            .arg(sorted.value(sorted.size() / 2))
            .arg(sorted.value(sorted.size() - 1));
    }
};

// The planned days after `shoves` completed shoves: every day on or after the start moved on.
QStringList shiftedDays(const QStringList &days, int shoves)
{
    QStringList result;
    for (const QString &day : days) {
        QStringList parts = day.split(u'|');
        const QDate date = QDate::fromString(parts[0], Qt::ISODate);
        if (date >= kShoveStart)
            parts[0] = date.addDays(shoves).toString(Qt::ISODate);
        result << parts.join(u'|');
    }
    result.sort();
    return result;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
    QTemporaryDir m_work;
    int m_rounds = 2;
    QRandomGenerator m_random;
    QString m_filledDatabase;
    DatabaseSnapshot m_filled;

    // Starts the work, kills it at a random moment within the window (measured from `ready`
    // for the worker) and says whether the kill left a journal behind.
    bool killAtRandom(QProcess &process, int windowMs, const QString &directory)
    {
        const int delay = int(m_random.bounded(windowMs + 1));
        if (!process.waitForFinished(delay))
            process.kill();
        process.waitForFinished(30000);
        return QFileInfo(databaseFile(directory) + QStringLiteral("-journal")).size() > 0;
    }

    // The checks every kill must pass, whatever it interrupted.
    void verifyWhole(const QString &directory, const DatabaseSnapshot &s)
    {
        const QString failure = engineOpenFailure(directory);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(s.failure.isEmpty(), qPrintable(s.failure));
        QCOMPARE(s.integrity, QStringLiteral("ok"));
        QCOMPARE(s.orphanLines, 0);
        QCOMPARE(s.linesWithoutIngredient, 0);
        QCOMPARE(s.orphanDays, 0);
        QVERIFY2(s.countersAhead(), "a key counter is behind the keys in use");
    }

private slots:
    void initTestCase()
    {
        bool ok = false;
        const int rounds = qEnvironmentVariableIntValue("ROUNDS", &ok);
        if (ok && rounds > 0)
            m_rounds = rounds;
        const quint32 seed = qEnvironmentVariableIsSet("SEED") ? quint32(qEnvironmentVariableIntValue("SEED"))
                                                                : QRandomGenerator::global()->generate();
        m_random.seed(seed);
        qInfo("rounds per case: %d, SEED=%u", m_rounds, seed);
        QVERIFY(QFileInfo(cliProgram()).isExecutable());
        QVERIFY(QFileInfo(workerProgram()).isExecutable());

        const QString directory = m_work.path() + QStringLiteral("/filled");
        QDir().mkpath(directory);
        fillDatabase(directory, kRecipes, kIngredients, kDays);
        m_filledDatabase = databaseFile(directory);
        m_filled = readSnapshot(directory);
        QCOMPARE(m_filled.recipes.size(), kRecipes);
    }

    void killedImportLeavesWholeRecipes();
    void killedShoveMovesAllDaysOrNone();
    void killedDeleteRemovesWholeRecipes();
};

// The import commits its recipes in batches: after a kill, the recipes of the committed
// batches are there, each exactly as an import that was not interrupted stores it, and no
// part of a later one. The recipes stored before the import are all still there.
void TestCrashSafety::killedImportLeavesWholeRecipes()
{
    SKIP_WITHOUT_TESTDATA();
    const QString source = m_work.path() + QStringLiteral("/archives.mmf");
    bool ok = false;
    const int copies = qEnvironmentVariableIntValue("IMPORT_COPIES", &ok);
    QVERIFY(writeFile(source, concatenatedArchives(ok && copies > 0 ? copies : 4)));
    const QString before = m_work.path() + QStringLiteral("/before");
    QDir().mkpath(before);
    auto first = start(cliProgram(), {"--database", before, "import", "mealmaster", mealMasterArchive("gitpan_MealMaster/0222-1.TXT")});
    QVERIFY(first->waitForFinished(60000) && first->exitCode() == 0);
    const DatabaseSnapshot stored = readSnapshot(before);

    const QString referenceDirectory = copyDatabase(m_work.path(), QStringLiteral("reference"), databaseFile(before));
    QElapsedTimer clock;
    clock.start();
    auto whole = start(cliProgram(), {"--database", referenceDirectory, "import", "mealmaster", source});
    QVERIFY(whole->waitForFinished(300000) && whole->exitCode() == 0);
    int duration = int(clock.elapsed());
    const DatabaseSnapshot reference = readSnapshot(referenceDirectory);
    const int imported = int(reference.recipes.size() - stored.recipes.size());
    QVERIFY(imported > 4000);
    int noBatch = 0, someBatches = 0, finished = 0;

    Figures figures;
    for (int round = 0; round < m_rounds; ++round) {
        const QString directory = copyDatabase(m_work.path(), QStringLiteral("import"), databaseFile(before));
        clock.restart();
        auto import = start(cliProgram(), {"--database", directory, "import", "mealmaster", source});
        figures.journalLeft += killAtRandom(*import, duration + duration / 10, directory);
        // An import that ended before its kill shows how long one takes now.
        if (import->exitStatus() == QProcess::NormalExit)
            duration = int(clock.elapsed());
        const DatabaseSnapshot s = readSnapshot(directory);
        verifyWhole(directory, s);
        QCOMPARE(differingRecipes(s, reference), QList<qlonglong>{});
        for (auto key : stored.recipes.keys())
            QVERIFY2(s.recipes.contains(key), "a recipe stored before the import is gone");
        // Batches are committed in order: no recipe is missing before the last one stored.
        const qlonglong last = s.recipes.lastKey();
        for (auto key : reference.recipes.keys())
            QVERIFY2(key > last || s.recipes.contains(key), qPrintable(QStringLiteral("recipe %1 missing").arg(key)));
        QVERIFY(s.days.isEmpty());
        ++figures.rounds;
        const int done = int(s.recipes.size() - stored.recipes.size());
        figures.progress << done;
        ++(done == 0 ? noBatch : done == imported ? finished : someBatches);
    }
    qInfo().noquote() << "import of" << imported << "recipes:" << figures.text(QStringLiteral("recipes stored"))
                      << QStringLiteral("; killed before the first batch %1, after some batches %2, after the end %3")
                             .arg(noBatch)
                             .arg(someBatches)
                             .arg(finished);
}

// ShoveDays moves every planned day on or after its start in one transaction: after a kill
// the days have moved by the number of completed shoves, all of them, and nothing else changed.
void TestCrashSafety::killedShoveMovesAllDaysOrNone()
{
    Figures figures;
    int afterCommit = 0;
    for (int round = 0; round < m_rounds; ++round) {
        const QString directory = copyDatabase(m_work.path(), QStringLiteral("shove"), m_filledDatabase);
        auto worker = start(workerProgram(), {"shove", directory, kShoveStart.toString(Qt::ISODate)});
        QVERIFY(waitForLine(*worker, "ready"));
        figures.journalLeft += killAtRandom(*worker, 3000, directory);
        const int printed = int(printedValues(worker->readAllStandardOutput(), QStringLiteral("shoved")).size());
        const DatabaseSnapshot s = readSnapshot(directory);
        verifyWhole(directory, s);
        QCOMPARE(s.recipes, m_filled.recipes);
        // The kill may fall between a commit and the line that reports it.
        int shoves = printed;
        if (s.days != shiftedDays(m_filled.days, shoves)) {
            ++shoves;
            ++afterCommit;
        }
        QVERIFY2(s.days == shiftedDays(m_filled.days, shoves),
                 qPrintable(QStringLiteral("the days match neither %1 nor %2 shoves").arg(printed).arg(printed + 1)));
        ++figures.rounds;
        figures.progress << shoves;
    }
    qInfo().noquote() << "ShoveDays over" << m_filled.days.size() << "planned days:"
                      << figures.text(QStringLiteral("shoves done")) << QStringLiteral("; %1 kills fell between a commit and its report").arg(afterCommit);
}

// DeleteRecipe removes a recipe with its lines and planned days in one transaction: after a
// kill every recipe is either whole, with all its lines and days, or gone with all of them.
void TestCrashSafety::killedDeleteRemovesWholeRecipes()
{
    Figures figures;
    for (int round = 0; round < m_rounds; ++round) {
        const QString directory = copyDatabase(m_work.path(), QStringLiteral("delete"), m_filledDatabase);
        auto worker = start(workerProgram(), {"delete", directory});
        QVERIFY(waitForLine(*worker, "ready"));
        figures.journalLeft += killAtRandom(*worker, 3000, directory);
        const QStringList reported = printedValues(worker->readAllStandardOutput(), QStringLiteral("deleted"));
        const DatabaseSnapshot s = readSnapshot(directory);
        verifyWhole(directory, s);
        QCOMPARE(differingRecipes(s, m_filled), QList<qlonglong>{});
        QStringList deleted;
        for (auto key : m_filled.recipes.keys())
            if (!s.recipes.contains(key))
                deleted << QString::number(key);
        for (const QString &key : reported)
            QVERIFY2(deleted.contains(key), qPrintable(QStringLiteral("recipe %1 came back").arg(key)));
        QVERIFY2(deleted.size() - reported.size() <= 1, "more recipes are gone than were being deleted");
        QStringList keptDays;
        for (const QString &day : m_filled.days)
            if (!deleted.contains(day.section(u'|', 1, 1)))
                keptDays << day;
        QCOMPARE(s.days, keptDays);
        ++figures.rounds;
        figures.progress << int(deleted.size());
    }
    qInfo().noquote() << "DeleteRecipe over" << kRecipes << "recipes:" << figures.text(QStringLiteral("recipes deleted"));
}

int main(int argc, char **argv)
{
    // Hundreds of rounds outlast Qt Test's watchdog of five minutes per test function.
    if (qEnvironmentVariableIsSet("ROUNDS") && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QCoreApplication application(argc, argv);
    TestCrashSafety test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashsafety.moc"
