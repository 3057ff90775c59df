// An import from the import/export dialog, with the main window open, against the command-line
// program importing the same file: the largest sample Meal-Master archive repeated 20 times
// (16,620 recipes), each into a fresh database. The two run in turns, each in a process of its
// own, several times; the medians are compared. Run "bench_dialogimport dialog FILE" to import
// once through the dialog in this process (for a profiler).

#include "BenchFiles.h"
#include "BenchHome.h"
#include "BenchStats.h"
#include "app/Startup.h"
#include "calendar/Main.h"
#include "data/dmmain.h"
#include "exchange_ui/impexptb.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QWindow>
#include <cstdio>
#include <vector>

namespace {

constexpr int kArchiveCopies = 20;
constexpr int kRounds = 5;
constexpr double kTargetRatio = 1.25;

void waitUntilExposed(QWidget &window)
{
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

int importThroughDialog(int &argc, char **argv, const QString &fileName)
{
    QApplication application(argc, argv);
    BenchHome home;
    Startup startup;
    if (!startup.createObjects())
        return 2;
    startup.showMainWindow();
    waitUntilExposed(*MainForm);
    TImportExportTableForm dialog(MainForm);
    dialog.edImportFile->setText(fileName);
    dialog.setFormatIndex(1);
    dialog.show();
    waitUntilExposed(dialog);
    QElapsedTimer watch;
    watch.start();
    dialog.btnImport->click();
    const double seconds = watch.nsecsElapsed() / 1e9;
    TTable &recipes = dmMain1->tblRecipeLookup;
    recipes.refresh();
    std::printf("%.3f %d\n", seconds, recipes.recordCount());
    return 0;
}

// Seconds of one run in a child process, or -1 when it failed.
double timeChild(const QString &program, const QStringList &arguments, bool printsSeconds)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer watch;
    watch.start();
    child.start(program, arguments);
    child.waitForFinished(-1);
    const double wall = watch.nsecsElapsed() / 1e9;
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::printf("%s failed: %s\n", qPrintable(program), child.readAllStandardError().constData());
        return -1;
    }
    if (!printsSeconds)
        return wall;
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    std::printf("  dialog stored %s recipes\n", figures.value(1).constData());
    return figures.value(0).toDouble();
}

int compare()
{
    BenchHome files;
    const QString fileName = writeRepeatedArchive(files.file(QStringLiteral("archive.mmf")), kArchiveCopies);
    std::vector<double> dialog, cli;
    for (int round = 1; round <= kRounds; ++round) {
        const double inDialog = timeChild(QCoreApplication::applicationFilePath(), {QStringLiteral("dialog"), fileName}, true);
        const QString database = files.file(QStringLiteral("cli-%1").arg(round));
        QDir().mkpath(database);
        const double onCommandLine = timeChild(QStringLiteral(BENCH_CLI_PROGRAM),
                                               {QStringLiteral("--database"), database, QStringLiteral("import"),
                                                QStringLiteral("mealmaster"), fileName},
                                               false);
        if (inDialog < 0 || onCommandLine < 0)
            return 2;
        std::printf("  round %d: dialog %.2f s, command line %.2f s, ratio %.2f\n", round, inDialog, onCommandLine,
                    inDialog / onCommandLine);
        std::fflush(stdout);
        dialog.push_back(inDialog);
        cli.push_back(onCommandLine);
    }
    const double ratio = BenchStats::median(dialog) / BenchStats::median(cli);
    std::printf("%-52s %9.2f (target <= %.2f) %s\n", "import x20 archive: dialog / command line (medians)", ratio,
                kTargetRatio, ratio <= kTargetRatio ? "PASS" : "MISS");
    return ratio <= kTargetRatio ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "dialog") == 0)
        return importThroughDialog(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication application(argc, argv);
    return compare();
}
