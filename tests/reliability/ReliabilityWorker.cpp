// The process the crash and two-copies tests start, kill and run side by side: it opens the
// data module on a database directory and runs one of its rules in a loop, printing a line
// after each completed step so that the test knows what was done before a kill.
//
//   reliability_worker shove DIR FIRST_DATE          ShoveDays from FIRST_DATE, a day later each time, until killed
//   reliability_worker delete DIR                    DeleteRecipe on the first recipe until none is left
//   reliability_worker mixed DIR FILE ROUNDS DATE N  import FILE and plan days for its first N recipes, ROUNDS times
//   reliability_worker hold DIR MILLISECONDS         hold the write lock that long

#include "data/Prompter.h"
#include "data/dmmain.h"
#include "exchange/MealMasterImporter.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>
#include <QThread>
#include <cstdio>
#include <exception>

namespace {

// Every delete question is answered Yes, and notices go to standard error.
class YesPrompter final : public Prompter {
public:
    bool confirm(const QString &) override { return true; }
    void inform(const QString &message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    void error(const QString &message) override { std::fprintf(stderr, "error: %s\n", qPrintable(message)); }
};

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

int shoveDays(TdmMain1 &dm, const QDate &start)
{
    say(QStringLiteral("ready"));
    // Each shove starts where the meal of the start date went, so every one moves them all.
    for (int done = 1;; ++done) {
        dm.ShoveDays(start.addDays(done - 1));
        say(QStringLiteral("shoved %1").arg(done));
    }
}

int deleteRecipes(TdmMain1 &dm)
{
    say(QStringLiteral("ready"));
    for (dm.tblRecipe.first(); !dm.tblRecipe.isEmpty(); dm.tblRecipe.first()) {
        const QString key = dm.tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString();
        dm.DeleteRecipe();
        say(QStringLiteral("deleted %1").arg(key));
    }
    say(QStringLiteral("done"));
    return 0;
}

// Each round imports the file, then plans one day for each of the first recipes it stored,
// on days of its own from the given date on, one post each as the main window does. Prints
// the key of every stored recipe in import order.
int importAndPlan(TdmMain1 &dm, const QString &fileName, int rounds, QDate day, int plannedPerRound)
{
    QStringList stored;
    dm.tblRecipe.afterPost = [&](TDataSet &recipes) {
        stored << recipes.fieldByName(QStringLiteral("Recipe_ID")).asString();
    };
    say(QStringLiteral("ready"));
    for (int round = 0; round < rounds; ++round) {
        stored.clear();
        MealMasterImporter importer(dm);
        const ImportSummary summary = importer.importFile(fileName);
        say(QStringLiteral("imported %1 %2 %3").arg(summary.recipesStored).arg(summary.linesDropped).arg(stored.join(u',')));
        for (const QString &key : stored.mid(0, plannedPerRound)) {
            TTable &days = dm.tblDay;
            days.insert();
            days.fieldByName(QStringLiteral("Date")).setAsDate(day);
            days.fieldByName(QStringLiteral("Recipe_ID")).setAsString(key);
            days.fieldByName(QStringLiteral("Servings")).setAsInteger(round + 1);
            days.post();
            say(QStringLiteral("day %1 %2").arg(day.toString(Qt::ISODate), key));
            day = day.addDays(1);
        }
    }
    say(QStringLiteral("done"));
    return 0;
}

int holdLock(TdmMain1 &dm, int milliseconds)
{
    TTransaction transaction(dm.Database1);
    say(QStringLiteral("holding"));
    QThread::msleep(ulong(milliseconds));
    transaction.commit();
    say(QStringLiteral("released"));
    return 0;
}

int run(const QStringList &arguments)
{
    const QString mode = arguments.value(0);
    TdmMain1 dm(nullptr, arguments.value(1));
    if (mode == QLatin1String("shove"))
        return shoveDays(dm, QDate::fromString(arguments.value(2), Qt::ISODate));
    if (mode == QLatin1String("delete"))
        return deleteRecipes(dm);
    if (mode == QLatin1String("mixed"))
        return importAndPlan(dm, arguments.value(2), arguments.value(3).toInt(),
                             QDate::fromString(arguments.value(4), Qt::ISODate), arguments.value(5).toInt());
    if (mode == QLatin1String("hold"))
        return holdLock(dm, arguments.value(2).toInt());
    std::fprintf(stderr, "unknown mode %s\n", qPrintable(mode));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    YesPrompter prompter;
    Prompter::install(&prompter);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    try {
        return run(arguments);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
