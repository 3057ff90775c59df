#pragma once

#include "data/RecipeFinder.h"
#include "exchange/TextEncoding.h"
#include "reports/ReportRequest.h"

#include <QString>
#include <QStringList>
#include <optional>

// The arguments of platewright-cli, read into what each command needs:
//   [--database DIR] import [--verbose] [--encoding auto|cp437|cp1252|utf-8] native|mealmaster FILE...
//   [--database DIR] export [--format native|mealmaster] FILE (--all | NAME...)
//   [--database DIR] stats
//   [--database DIR] report "KIND" --pdf OUT.pdf [--name NAME]... [--category C] [--from DATE] [--to DATE]
//                    [--combine]
//   [--database DIR] plan DATE NAME [--servings N]
//   [--database DIR] find [--with NAME...] [--without NAME...]
struct CommandLine {
    enum class Command { Import, Export, Stats, Report, Plan, Find };
    enum class Format { Native, MealMaster };

    QString database;  // empty: the directory the alias names, as for the program
    Command command = Command::Stats;
    Format format = Format::Native;  // import and export
    QStringList files;  // import: the files; export: the one file
    bool exportAll = false;
    bool verbose = false;  // import: list each dropped or cut item
    TextEncoding encoding = TextEncoding::Automatic;  // import of Meal-Master files
    QStringList names;  // export: the recipe names; plan: the one name
    QString planDate;   // plan: the day, as typed
    std::optional<QString> planServings;  // plan: how many eat, as typed; none: left as it is
    ReportRequest report;
    QString pdfPath;
    IngredientCriteria ingredients;  // find: the starts of ingredient names, as typed

    // The arguments after the program's name. Throws a usage CliError.
    static CommandLine parse(const QStringList &arguments);
    static QString usage();

private:
    void parseImport(QStringList arguments);
    void parseExport(QStringList arguments);
    static Format parseFormat(const QString &name);
    static TextEncoding parseEncoding(const QString &name);
    void parseStats(const QStringList &arguments);
    void parseReport(QStringList arguments);
    void parsePlan(QStringList arguments);
    void parseFind(const QStringList &arguments);
    void takeReportOption(const QString &option, const QString &value);
};
