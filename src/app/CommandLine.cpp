#include "app/CommandLine.h"

#include "app/CliError.h"

namespace {

QString takeFirst(QStringList &arguments, const QString &what)
{
    if (arguments.isEmpty())
        throw CliError::usage(QStringLiteral("missing %1").arg(what));
    return arguments.takeFirst();
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QStringList rest = arguments;
    CommandLine line;
    if (!rest.isEmpty() && rest.first() == QLatin1String("--database")) {
        rest.removeFirst();
        line.database = takeFirst(rest, QStringLiteral("the directory after --database"));
        // Empty, it would quietly mean the alias's database instead of the one meant.
        if (line.database.isEmpty())
            throw CliError::usage(QStringLiteral("--database needs the directory of the database; it was given an empty name"));
    }
    const QString command = takeFirst(rest, QStringLiteral("a command"));
    if (command == QLatin1String("import"))
        line.parseImport(rest);
    else if (command == QLatin1String("export"))
        line.parseExport(rest);
    else if (command == QLatin1String("stats"))
        line.parseStats(rest);
    else if (command == QLatin1String("report"))
        line.parseReport(rest);
    else if (command == QLatin1String("plan"))
        line.parsePlan(rest);
    else if (command == QLatin1String("find"))
        line.parseFind(rest);
    else
        throw CliError::usage(QStringLiteral("unknown command \"%1\"").arg(command));
    return line;
}

void CommandLine::parseImport(QStringList arguments)
{
    command = Command::Import;
    for (;;) {
        if (!arguments.isEmpty() && arguments.first() == QLatin1String("--verbose")) {
            verbose = true;
            arguments.removeFirst();
        } else if (!arguments.isEmpty() && arguments.first() == QLatin1String("--encoding")) {
            arguments.removeFirst();
            encoding = parseEncoding(takeFirst(arguments, QStringLiteral("the encoding after --encoding")));
        } else {
            break;
        }
    }
    format = parseFormat(takeFirst(arguments, QStringLiteral("the format (native or mealmaster)")));
    if (format == Format::Native && encoding != TextEncoding::Automatic)
        throw CliError::usage(QStringLiteral("--encoding is for Meal-Master files; native files keep their own rule"));
    if (arguments.isEmpty())
        throw CliError::usage(QStringLiteral("missing the file to import"));
    files = arguments;
}

TextEncoding CommandLine::parseEncoding(const QString &name)
{
    if (const auto encoding = TextEncodings::fromOptionName(name))
        return *encoding;
    throw CliError::usage(QStringLiteral("unknown encoding \"%1\" (auto, cp437, cp1252 or utf-8)").arg(name));
}

CommandLine::Format CommandLine::parseFormat(const QString &name)
{
    if (name == QLatin1String("native"))
        return Format::Native;
    if (name == QLatin1String("mealmaster"))
        return Format::MealMaster;
    throw CliError::usage(QStringLiteral("unknown format \"%1\" (native or mealmaster)").arg(name));
}

void CommandLine::parseExport(QStringList arguments)
{
    command = Command::Export;
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--format")) {
        arguments.removeFirst();
        format = parseFormat(takeFirst(arguments, QStringLiteral("the format after --format (native or mealmaster)")));
    }
    files = {takeFirst(arguments, QStringLiteral("the file to export to"))};
    exportAll = arguments == QStringList{QStringLiteral("--all")};
    if (!exportAll && arguments.contains(QStringLiteral("--all")))
        throw CliError::usage(QStringLiteral("--all takes no recipe names"));
    if (!exportAll && arguments.isEmpty())
        throw CliError::usage(QStringLiteral("missing --all or the names of the recipes to export"));
    if (!exportAll)
        names = arguments;
}

void CommandLine::parseStats(const QStringList &arguments)
{
    command = Command::Stats;
    if (!arguments.isEmpty())
        throw CliError::usage(QStringLiteral("stats takes no arguments"));
}

void CommandLine::parseReport(QStringList arguments)
{
    command = Command::Report;
    const QString kind = takeFirst(arguments, QStringLiteral("the kind of report"));
    const auto parsed = ReportKinds::fromDescription(kind);
    if (!parsed)
        throw CliError::usage(QStringLiteral("unknown kind of report \"%1\"").arg(kind));
    report.kind = *parsed;
    while (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--combine"))
            report.combine = true;
        else
            takeReportOption(option, takeFirst(arguments, QStringLiteral("the value after %1").arg(option)));
    }
    if (pdfPath.isEmpty())
        throw CliError::usage(QStringLiteral("missing --pdf OUT.pdf"));
    if (report.combine && !ReportKinds::isShoppingList(report.kind))
        throw CliError::usage(QStringLiteral("--combine is for the shopping lists only"));
}

void CommandLine::parsePlan(QStringList arguments)
{
    command = Command::Plan;
    const qsizetype option = arguments.indexOf(QStringLiteral("--servings"));
    if (option >= 0) {
        arguments.removeAt(option);
        if (option >= arguments.size())
            throw CliError::usage(QStringLiteral("missing the number after --servings"));
        planServings = arguments.takeAt(option);
    }
    if (arguments.size() != 2)
        throw CliError::usage(QStringLiteral("plan takes a date and a recipe name"));
    planDate = arguments.at(0);
    names = {arguments.at(1)};
}

void CommandLine::parseFind(const QStringList &arguments)
{
    command = Command::Find;
    QStringList *names = nullptr;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--with"))
            names = &ingredients.with;
        else if (argument == QLatin1String("--without"))
            names = &ingredients.without;
        else if (!names)
            throw CliError::usage(QStringLiteral("find takes --with or --without before the ingredient names"));
        else
            names->append(argument);
    }
}

void CommandLine::takeReportOption(const QString &option, const QString &value)
{
    if (option == QLatin1String("--pdf"))
        pdfPath = value;
    else if (option == QLatin1String("--name"))
        report.names.append(value);
    else if (option == QLatin1String("--category"))
        report.category = value;
    else if (option == QLatin1String("--from"))
        report.from = value;
    else if (option == QLatin1String("--to"))
        report.to = value;
    else
        throw CliError::usage(QStringLiteral("unknown option \"%1\"").arg(option));
}

QString CommandLine::usage()
{
    QString kinds;
    for (int k = 0; k <= int(ReportKind::ShoppingListByDate); ++k)
        kinds += QStringLiteral("    \"%1\"\n").arg(ReportKinds::description(ReportKind(k)));
    return QStringLiteral(
               "Usage:\n"
               "  platewright-cli [--database DIR] import [--verbose] [--encoding ENCODING] native|mealmaster FILE...\n"
               "      ENCODING of Meal-Master files: auto (the default: told from each file's bytes),\n"
               "      cp437 (DOS), cp1252 (Windows) or utf-8\n"
               "  platewright-cli [--database DIR] export [--format native|mealmaster] FILE (--all | NAME...)\n"
               "      --all writes every recipe; a NAME writes the first recipe of that name\n"
               "  platewright-cli [--database DIR] stats\n"
               "  platewright-cli [--database DIR] report \"KIND\" --pdf OUT.pdf [--name NAME]...\n"
               "                  [--category C] [--from DATE] [--to DATE] [--combine]\n"
               "      --combine adds up the amounts of each ingredient on a shopping list\n"
               "  platewright-cli [--database DIR] plan DATE NAME [--servings N]\n"
               "      --servings sets how many eat that day; an empty N: as the recipe says\n"
               "  platewright-cli [--database DIR] find [--with NAME...] [--without NAME...]\n"
               "      prints the recipes that have an ingredient of each --with NAME and none of a\n"
               "      --without NAME; a NAME is the start of an ingredient's name, in any letter case\n"
               "Kinds of report:\n")
           + kinds;
}
