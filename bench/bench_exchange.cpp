// Rates of the exchange formats: importing the largest sample Meal-Master archive repeated
// 20 times into an empty database (with the peak resident memory), importing a generated
// Meal-Master file of 100,000 recipes, and exporting those 100,000 recipes to the native and
// the Meal-Master formats; and the time one recipe of 10,000 ingredient lines takes to import
// in either format, which grows with the recipe's length only in proportion. Each case runs
// in a child process of its own, so that its peak memory is its own; run
// "bench_exchange <case>" to run one case in this process.

#include "BenchFiles.h"
#include "BenchStats.h"
#include "data/dmmain.h"
#include "exchange/ExchangeError.h"
#include "exchange/MealMasterExporter.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kArchiveCopies = 20;
constexpr int kGeneratedRecipes = 100'000;
constexpr int kIngredientVocabulary = 2'000;
constexpr double kImportTarget = 10'000;  // recipes per second
constexpr double kExportTarget = 20'000;
constexpr double kMemoryTargetMb = 120;
constexpr int kLongRecipeLines = 10'000;
constexpr double kLongRecipeTargetSeconds = 1.0;

const char *verdict(bool pass) { return pass ? "PASS" : "MISS"; }

void report(const char *what, double value, const char *unit, const char *comparison, double target, bool pass)
{
    std::printf("%-52s %9.0f %-9s (target %s %.0f) %s\n", what, value, unit, comparison, target, verdict(pass));
    std::fflush(stdout);
}

// Wall-clock and processor time of one operation: on a busy machine the processor time
// shows what the code costs, the wall clock what the user waits.
class Stopwatch {
public:
    Stopwatch()
    {
        m_wall.start();
        m_cpu = BenchStats::processorSeconds();
    }
    double wallSeconds() const { return m_wall.nsecsElapsed() / 1e9; }
    double processorSeconds() const { return BenchStats::processorSeconds() - m_cpu; }

private:
    QElapsedTimer m_wall;
    double m_cpu;
};

// Prints the rate by the wall clock against the target, and the rate by processor time.
bool reportRate(const QByteArray &what, int count, const Stopwatch &watch, double target)
{
    const double rate = count / watch.wallSeconds();
    report(what.constData(), rate, "recipes/s", ">=", target, rate >= target);
    std::printf("%-52s %9.0f recipes/s\n", "  by processor time", count / watch.processorSeconds());
    return rate >= target;
}

double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// A database directory of its own, reached the way the program reaches it.
class BenchEnvironment {
public:
    BenchEnvironment()
    {
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toLocal8Bit());
    }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

QString writeArchiveCopies(const BenchEnvironment &env)
{
    return writeRepeatedArchive(env.file(QStringLiteral("archive.mmf")), kArchiveCopies);
}

QByteArray ingredientLine(int ingredient, QRandomGenerator &random)
{
    static const char *units[] = {"c ", "tb", "ts", "lb", "oz", "  ", "ea", "pn"};
    static const char *amounts[] = {"      1", "    1/2", "  1 1/2", "      2", "    3/4", "       "};
    QByteArray line = amounts[random.bounded(6)];
    line += ' ';
    line += units[random.bounded(8)];
    line += " Ingredient " + QByteArray::number(ingredient);
    if (random.bounded(3) == 0)
        line += "; chopped fine";
    return line + "\r\n";
}

QByteArray generatedRecipe(int number, QRandomGenerator &random)
{
    QByteArray text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n";
    text += "      Title: Generated dish " + QByteArray::number(number).rightJustified(6, '0') + "\r\n";
    text += " Categories: Category " + QByteArray::number(random.bounded(40)) + ", Main dish\r\n";
    text += "      Yield: " + QByteArray::number(1 + random.bounded(12)) + " Servings\r\n \r\n";
    const int first = int(random.bounded(kIngredientVocabulary));
    for (int i = 0; i < 8; ++i)
        text += ingredientLine((first + i * 37) % kIngredientVocabulary, random);
    text += " \r\n";
    for (int i = 0; i < 6; ++i)
        text += "  Stir the mixture well and let it rest for a while before going on, step "
                + QByteArray::number(i + 1) + ".\r\n";
    return text + " \r\nMMMMM\r\n \r\n";
}

QString writeGeneratedFile(const BenchEnvironment &env)
{
    QFile out(env.file(QStringLiteral("generated.mmf")));
    out.open(QIODevice::WriteOnly);
    QRandomGenerator random(20240611);
    for (int i = 0; i < kGeneratedRecipes; ++i)
        out.write(generatedRecipe(i, random));
    return out.fileName();
}

bool importAndReport(TdmMain1 &dm, const QString &fileName, const QByteArray &what)
{
    MealMasterImporter importer(dm);
    const Stopwatch watch;
    const int stored = importer.importFile(fileName).recipesStored;
    return reportRate(what + " (" + QByteArray::number(stored) + " recipes)", stored, watch, kImportTarget);
}

int runArchive()
{
    BenchEnvironment env;
    const QString fileName = writeArchiveCopies(env);
    TdmMain1 dm;
    const bool fast = importAndReport(dm, fileName, "import archive x" + QByteArray::number(kArchiveCopies));
    const double memory = peakResidentMb();
    const bool small = memory > 0 && memory < kMemoryTargetMb;
    report("  peak resident memory (VmHWM)", memory, "MB", "<", kMemoryTargetMb, small);
    return fast && small ? 0 : 1;
}

// Every recipe by its key, as the dialog and "export --all" write them.
bool exportAndReport(TdmMain1 &dm, RecipeExporter &exporter, const QString &fileName, const char *format)
{
    TTable &recipes = dm.tblRecipeLookup;
    recipes.refresh();
    const int key = recipes.fieldIndex(QStringLiteral("Recipe_ID"));
    QStringList keys;
    for (int row = 0; row < recipes.recordCount(); ++row)
        keys << recipes.valueAt(row, key).toString();
    const Stopwatch watch;
    const int written = exporter.exportKeys(fileName, keys);
    return reportRate(QByteArray("export ") + format + " (" + QByteArray::number(written) + " recipes)", written, watch,
                      kExportTarget);
}

int runGenerated()
{
    BenchEnvironment env;
    const QString fileName = writeGeneratedFile(env);
    TdmMain1 dm;
    const bool imported = importAndReport(dm, fileName, "import generated file");
    NativeExporter native(dm);
    const bool exported = exportAndReport(dm, native, env.file(QStringLiteral("export.txt")), "native");
    MealMasterExporter mealMaster(dm);
    const bool exportedMealMaster = exportAndReport(dm, mealMaster, env.file(QStringLiteral("export.mmf")), "Meal-Master");
    std::printf("%-52s %9.0f MB\n", "  peak resident memory (VmHWM)", peakResidentMb());
    return imported && exported && exportedMealMaster ? 0 : 1;
}

// One recipe of kLongRecipeLines ingredient lines, each of its own ingredient.
QString writeLongRecipe(const BenchEnvironment &env, bool mealMaster)
{
    QByteArray text;
    if (mealMaster) {
        text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n      Title: Long dish\r\n"
               " Categories: Main dish\r\n      Yield: 4 Servings\r\n \r\n";
        for (int i = 0; i < kLongRecipeLines; ++i)
            text += "      1 c  Long ingredient " + QByteArray::number(i) + "; chopped\r\n";
        text += " \r\n  Stir.\r\nMMMMM\r\n";
    } else {
        text = "Platewright\r\nName=Long dish;Meal=Dinner;Category=Main dish;PrepTime=;Servings=4;CookTime=;\r\n"
               "Instructions\r\nStir.\r\n\r\nNotes\r\n\r\nIngredients List\r\n";
        for (int i = 0; i < kLongRecipeLines; ++i)
            text += "Ingredient=Long ingredient " + QByteArray::number(i) + ";Order=" + QByteArray::number(i)
                    + ";Amount=1;Measurement=c;Description=chopped;\r\n";
    }
    QFile out(env.file(mealMaster ? QStringLiteral("long.mmf") : QStringLiteral("long.txt")));
    out.open(QIODevice::WriteOnly);
    out.write(text);
    return out.fileName();
}

int runLongRecipe()
{
    BenchEnvironment env;
    TdmMain1 dm;
    bool fast = true;
    for (bool mealMaster : {true, false}) {
        const QString fileName = writeLongRecipe(env, mealMaster);
        const Stopwatch watch;
        const int stored = mealMaster ? MealMasterImporter(dm).importFile(fileName).recipesStored
                                      : NativeImporter(dm).importFile(fileName).recipesStored;
        const double seconds = watch.wallSeconds();
        const QByteArray what = QByteArray("import one recipe of 10,000 lines, ") + (mealMaster ? "Meal-Master" : "native");
        report(what.constData(), seconds * 1000, "ms", "<", kLongRecipeTargetSeconds * 1000,
               stored == 1 && seconds < kLongRecipeTargetSeconds);
        std::printf("%-52s %9.0f ms\n", "  by processor time", watch.processorSeconds() * 1000);
        fast = fast && stored == 1 && seconds < kLongRecipeTargetSeconds;
    }
    return fast ? 0 : 1;
}

int runCase(const QString &name)
{
    try {
        if (name == QLatin1String("archive"))
            return runArchive();
        if (name == QLatin1String("generated"))
            return runGenerated();
        if (name == QLatin1String("long"))
            return runLongRecipe();
    } catch (const std::exception &e) {
        std::printf("%s failed: %s\n", qPrintable(name), e.what());
        return 2;
    }
    std::printf("unknown case %s (archive, generated, long)\n", qPrintable(name));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        return runCase(QString::fromLocal8Bit(argv[1]));
    int result = 0;
    for (const char *name : {"archive", "generated", "long"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(name)});
        child.waitForFinished(-1);
        result = std::max(result, child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 2);
    }
    return result;
}
