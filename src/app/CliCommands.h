#pragma once

#include "app/CommandLine.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QTextStream;
class RecipeExporter;
class TdmMain1;

// What platewright-cli does, on an open data module: each command prints what it did on
// `out` and raises its failure for the caller to report.
class CliCommands {
public:
    struct Stats {
        int recipes = 0;
        int ingredientLines = 0;
        int ingredients = 0;
        int plannedDays = 0;
    };

    CliCommands(TdmMain1 &dataModule, QTextStream &out) : m_dataModule(dataModule), m_out(out) {}

    // Progress of long imports, for an interactive terminal only.
    void setShowProgress(bool show) { m_showProgress = show; }
    // Imports then list each dropped or cut item after their totals.
    void setVerbose(bool verbose) { m_verbose = verbose; }
    // What Meal-Master files are read as; Automatic tells it from each file.
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }

    void run(const CommandLine &line);
    void importFiles(CommandLine::Format format, const QStringList &files);
    // For each name, the first recipe of that name (letter case ignored).
    void exportRecipes(const QString &fileName, const QStringList &names,
                       CommandLine::Format format = CommandLine::Format::Native);
    // Each recipe by its key: recipes of one name all go out.
    void exportKeys(const QString &fileName, const QStringList &keys,
                    CommandLine::Format format = CommandLine::Format::Native);
    void writeReport(const ReportRequest &request, const QString &pdfPath);
    // Plans the first recipe of the name (letter case ignored) on the day, as the calendar's
    // Assign does: a day that has a recipe gets it replaced. Given servings (an empty text
    // for as the recipe says) are set too; without, the day keeps those it had.
    void planDay(const QString &dateText, const QString &recipeName, const std::optional<QString> &servings = {});
    // Prints the name of every recipe with an ingredient named by each start of `with` and
    // none named by a start of `without`, one a line, in the order of the recipe list. A comma
    // separates starts within one argument, as in the finder window.
    void findRecipes(const IngredientCriteria &criteria);
    Stats stats();
    // Every recipe's name in key order, equal names as often as they occur.
    QStringList allRecipeNames();
    // Every recipe's key in key order.
    QStringList allRecipeKeys();

private:
    void importFile(CommandLine::Format format, const QString &fileName);
    std::unique_ptr<RecipeExporter> exporter(CommandLine::Format format);
    QStringList allRecipeValues(const QString &fieldName);
    void printStats();
    int countRows(const QString &tableName);

    TdmMain1 &m_dataModule;
    QTextStream &m_out;
    bool m_showProgress = false;
    bool m_verbose = false;
    TextEncoding m_encoding = TextEncoding::Automatic;
};
