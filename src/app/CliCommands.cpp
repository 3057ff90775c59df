#include "app/CliCommands.h"

#include "app/CliError.h"
#include "app/TerminalProgress.h"
#include "data/DateText.h"
#include "data/DayServings.h"
#include "data/EngineError.h"
#include "data/dmmain.h"
#include "exchange/MealMasterExporter.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"
#include "reports/ReportSelection.h"

#include <QTextStream>

void CliCommands::run(const CommandLine &line)
{
    switch (line.command) {
    case CommandLine::Command::Import:
        setVerbose(line.verbose);
        setEncoding(line.encoding);
        importFiles(line.format, line.files);
        break;
    case CommandLine::Command::Export:
        if (line.exportAll)
            exportKeys(line.files.value(0), allRecipeKeys(), line.format);
        else
            exportRecipes(line.files.value(0), line.names, line.format);
        break;
    case CommandLine::Command::Stats:
        printStats();
        break;
    case CommandLine::Command::Report:
        writeReport(line.report, line.pdfPath);
        break;
    case CommandLine::Command::Plan:
        planDay(line.planDate, line.names.value(0), line.planServings);
        break;
    case CommandLine::Command::Find:
        findRecipes(line.ingredients);
        break;
    }
}

void CliCommands::importFiles(CommandLine::Format format, const QStringList &files)
{
    for (const QString &fileName : files)
        importFile(format, fileName);
}

void CliCommands::importFile(CommandLine::Format format, const QString &fileName)
{
    TerminalProgress progress(m_out, m_showProgress);
    auto show = [&progress](int recipesRead) { progress.showRecipesRead(recipesRead); };
    ImportSummary summary;
    try {
        if (format == CommandLine::Format::Native) {
            NativeImporter importer(m_dataModule);
            importer.setProgress(show);
            summary = importer.importFile(fileName);
        } else {
            MealMasterImporter importer(m_dataModule);
            importer.setProgress(show);
            importer.setEncoding(m_encoding);
            summary = importer.importFile(fileName);
        }
    } catch (...) {
        progress.finish();
        throw;
    }
    progress.finish();
    m_out << QStringLiteral("%1: %2\n").arg(fileName, summary.totalsText());
    if (m_verbose)
        for (const QString &loss : summary.lossTexts())
            m_out << QStringLiteral("  %1\n").arg(loss);
}

namespace {

QString recipesExported(int count)
{
    return count == 1 ? QStringLiteral("1 recipe exported") : QStringLiteral("%1 recipes exported").arg(count);
}

} // namespace

// Each name writes the first recipe of that name (letter case ignored), as plan does.
std::unique_ptr<RecipeExporter> CliCommands::exporter(CommandLine::Format format)
{
    if (format == CommandLine::Format::MealMaster)
        return std::make_unique<MealMasterExporter>(m_dataModule);
    return std::make_unique<NativeExporter>(m_dataModule);
}

void CliCommands::exportRecipes(const QString &fileName, const QStringList &names, CommandLine::Format format)
{
    const int written = exporter(format)->exportRecipes(fileName, names);
    m_out << QStringLiteral("%1: %2").arg(fileName, recipesExported(written));
    if (written < names.size())
        m_out << QStringLiteral(", %1 not found").arg(names.size() - written == 1
                                                          ? QStringLiteral("1 name")
                                                          : QStringLiteral("%1 names").arg(names.size() - written));
    m_out << '\n';
}

void CliCommands::exportKeys(const QString &fileName, const QStringList &keys, CommandLine::Format format)
{
    const int written = exporter(format)->exportKeys(fileName, keys);
    m_out << QStringLiteral("%1: %2\n").arg(fileName, recipesExported(written));
}

void CliCommands::writeReport(const ReportRequest &request, const QString &pdfPath)
{
    writeReportPdf(m_dataModule, request, pdfPath);
    m_out << QStringLiteral("%1: \"%2\" written\n").arg(pdfPath, ReportKinds::description(request.kind));
}

void CliCommands::planDay(const QString &dateText, const QString &recipeName, const std::optional<QString> &servings)
{
    const QDate date = DateText::parse(dateText);
    if (!date.isValid())
        throw CliError::failure(QStringLiteral("\"%1\" is not a valid date. Please enter dates like %2.")
                                    .arg(dateText, DateText::toDisplay(QDate::currentDate())));
    std::optional<int> count;
    if (servings) {
        try {
            count = DayServings::fromText(*servings);
        } catch (const EngineError &refused) {
            throw CliError::failure(refused.message());
        }
    }
    if (!m_dataModule.FindRecipeNamed(recipeName))
        throw CliError::failure(QStringLiteral("No recipe is named \"%1\".").arg(recipeName));
    const QString recipeId = m_dataModule.tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString();
    if (servings)
        m_dataModule.PlanDay(date, recipeId, count);
    else
        m_dataModule.PlanDay(date, recipeId);
    m_out << QStringLiteral("%1: %2%3\n")
                 .arg(DateText::toDisplay(date), m_dataModule.tblRecipe.fieldByName(QStringLiteral("Name")).asString(),
                      DayServings::stripText(count));
}

void CliCommands::findRecipes(const IngredientCriteria &criteria)
{
    const IngredientCriteria typed{RecipeFinder::namesFromText(criteria.with.join(QLatin1Char(','))),
                                   RecipeFinder::namesFromText(criteria.without.join(QLatin1Char(',')))};
    for (const FoundRecipe &recipe : RecipeFinder(m_dataModule.Database1).find(typed))
        m_out << recipe.name << '\n';
}

CliCommands::Stats CliCommands::stats()
{
    Stats result;
    result.recipes = countRows(QStringLiteral("RECIPE.DB"));
    result.ingredientLines = countRows(QStringLiteral("REC_INGR.DB"));
    result.ingredients = countRows(QStringLiteral("INGREDIE.DB"));
    result.plannedDays = countRows(QStringLiteral("DAY.DB"));
    return result;
}

void CliCommands::printStats()
{
    const Stats s = stats();
    m_out << QStringLiteral("Recipes:          %1\n").arg(s.recipes)
          << QStringLiteral("Ingredient lines: %1\n").arg(s.ingredientLines)
          << QStringLiteral("Ingredients:      %1\n").arg(s.ingredients)
          << QStringLiteral("Planned days:     %1\n").arg(s.plannedDays);
}

// A private view of the whole table, so no filter or master link of the shared views counts.
int CliCommands::countRows(const QString &tableName)
{
    TTable table(m_dataModule.Database1);
    table.setTableName(tableName);
    table.open();
    return table.recordCount();
}

QStringList CliCommands::allRecipeKeys()
{
    return allRecipeValues(QStringLiteral("Recipe_ID"));
}

QStringList CliCommands::allRecipeNames()
{
    return allRecipeValues(QStringLiteral("Name"));
}

// One field of every recipe, in key order.
QStringList CliCommands::allRecipeValues(const QString &fieldName)
{
    TTable &recipes = m_dataModule.tblRecipeLookup;
    recipes.refresh();  // the view keeps the rows it read, and recipes may have come since
    const int field = recipes.fieldIndex(fieldName);
    QStringList values;
    for (int row = 0; row < recipes.recordCount(); ++row)
        values.append(recipes.valueAt(row, field).toString());
    return values;
}
