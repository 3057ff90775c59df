// Times the three report layouts on a database of 1,000 recipes: the whole report written to
// PDF, and the first page as a preview needs it (laid out and painted at screen resolution).
// Each figure is the median of three runs; a target of 0 means the figure is for information.

#include "TestSupport.h"
#include "data/dmmain.h"
#include "reports/rep1.h"
#include "reports/rep2.h"
#include "reports/rep3.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRecipes = 1000;
constexpr int kLinesPerRecipe = 8;
constexpr int kIngredients = 120;
constexpr int kRuns = 3;

void exec(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        qFatal("cannot insert benchmark data");
}

QString instructions(int recipe)
{
    QStringList steps;
    for (int step = 1; step <= 6; ++step)
        steps << QStringLiteral("%1. Combine the ingredients for recipe %2 in a large bowl, stir until smooth "
                                "and let the mixture rest for %3 minutes before the next step.")
                     .arg(step)
                     .arg(recipe)
                     .arg(step * 5);
    return steps.join(QLatin1Char('\n'));
}

// Writes the recipes by plain SQL in one transaction: the benchmark times the reports, not the
// editors' way of entering data.
QStringList fillDatabase(TdmMain1 &dm)
{
    QSqlDatabase &db = dm.Database1.connection();
    db.transaction();
    QSqlQuery ingredient(db), recipe(db), line(db), day(db);
    ingredient.prepare(QStringLiteral("INSERT INTO \"INGREDIE\" (\"Ingredient_ID\", \"Ingredient\") VALUES (?, ?)"));
    recipe.prepare(QStringLiteral("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\", \"Instructions\", \"Meal\", "
                                  "\"Category\", \"PrepTime\", \"Servings\", \"CookTime\") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    line.prepare(QStringLiteral("INSERT INTO \"REC_INGR\" (\"Recipe_ID\", \"Ingredient_ID\", \"Order\", \"Amount\", "
                                "\"Measurement\", \"Description\") VALUES (?, ?, ?, ?, ?, ?)"));
    day.prepare(QStringLiteral("INSERT INTO \"DAY\" (\"Date\", \"Recipe_ID\") VALUES (?, ?)"));
    for (int i = 0; i < kIngredients; ++i)
        exec(ingredient, {QString::number(i), QStringLiteral("Ingredient number %1").arg(i)});
    QStringList keys;
    const QDate start(2024, 1, 1);
    for (int r = 0; r < kRecipes; ++r) {
        const QString key = QString::number(r);
        keys << key;
        exec(recipe, {key, QStringLiteral("Recipe %1 with a fairly long name").arg(r), instructions(r),
                      QStringLiteral("Dinner"), QStringLiteral("Vegetables"), QStringLiteral("15 min"),
                      QStringLiteral("4"), QStringLiteral("1 1/2 hours")});
        for (int l = 0; l < kLinesPerRecipe; ++l)
            exec(line, {key, QString::number((r * 7 + l * 13) % kIngredients), l, QStringLiteral("1 1/2"),
                        QStringLiteral("cup"), QStringLiteral("chopped")});
        exec(day, {start.addDays(r).toString(Qt::ISODate), key});
    }
    db.commit();
    return keys;
}

double secondsFor(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

void firstPage(BandedReport &report)
{
    QImage image(816, 1056, QImage::Format_RGB32);  // a Letter page at 96 dpi
    image.fill(Qt::white);
    QPainter painter(&image);
    report.renderPage(painter, 0);
}

void report(const char *what, double target, const std::function<void()> &work)
{
    QList<double> runs;
    for (int run = 0; run < kRuns; ++run)
        runs << secondsFor(work);
    std::sort(runs.begin(), runs.end());
    const double median = runs[kRuns / 2];
    std::printf("%-48s %7.3f s  (runs %.3f / %.3f / %.3f)", what, median, runs[0], runs[1], runs[2]);
    if (target > 0)
        std::printf("  target < %.1f s  %s", target, median < target ? "PASS" : "MISS");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TempEnvironment environment;
    ScriptedPrompter prompter;
    TdmMain1 dm;
    const QStringList keys = fillDatabase(dm);
    QTemporaryDir output;
    const QString pdf = output.filePath(QStringLiteral("report.pdf"));

    report("full recipe, 1,000 recipes to PDF", 5.0, [&] {
        TqrRecipe layout(dm);
        layout.prepareFiltered(QString());
        if (!layout.writePdf(pdf) || layout.pageCount() != kRecipes)
            qFatal("the full recipe report did not print one page per recipe");
    });
    report("shopping list, 1,000 recipes to PDF", 2.0, [&] {
        TqrIngredient layout(dm);
        layout.prepareSelection(keys);
        if (!layout.writePdf(pdf))
            qFatal("the shopping list was not written");
    });
    report("full recipe, first page laid out and painted", 1.0, [&] {
        TqrRecipe layout(dm);
        layout.prepareFiltered(QString());
        firstPage(layout);
    });
    report("shopping list, first page laid out and painted", 1.0, [&] {
        TqrIngredient layout(dm);
        layout.prepareSelection(keys);
        firstPage(layout);
    });
    report("small recipe, 1,000 recipes to PDF", 0, [&] {
        TqrRecipeSmall layout(dm);
        layout.prepareFiltered(QString());
        layout.writePdf(pdf);
    });
    return 0;
}
