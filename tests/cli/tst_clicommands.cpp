#include "../exchange/ExchangeFixture.h"
#include "app/CliCommands.h"
#include "app/CliError.h"
#include "app/CliProgram.h"
#include "app/TerminalProgress.h"
#include "data/DateText.h"
#include "exchange/ExchangeError.h"
#include "reports/ReportRequestError.h"

#include <QDir>
#include <QTextStream>
#include <QtTest>

namespace {

StoredRecipe named(const QString &name)
{
    return {{}, name, "Dinner", "Soups", "5 min", "2", "10 min", {"Cook " + name + "."}, {}, {}};
}

// Two recipes; the second lists its ingredient twice, so the posting rule drops one line.
const QByteArray kTwoRecipes =
    nativeBlock("Name=Soup;Meal=;Category=Soups;", {"Boil."}, {}, {"Ingredient=Leek;Order=0;Amount=2;"})
    + nativeBlock("Name=Stew;Meal=;Category=Soups;", {"Simmer."}, {},
                  {"Ingredient=Beef;Order=0;", "Ingredient=beef;Order=1;"});

} // namespace

class TestCliCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;
    QString m_output;
    std::unique_ptr<QTextStream> m_out;

    CliCommands commands()
    {
        m_output.clear();
        m_out = std::make_unique<QTextStream>(&m_output);
        return CliCommands(m_fx->dm(), *m_out);
    }

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup()
    {
        m_out.reset();
        m_fx.reset();
    }

    void importTellsRecipesAndDroppedRecords_data();
    void importTellsRecipesAndDroppedRecords();
    void importReadsMealMasterInTheEncodingGiven_data();
    void importReadsMealMasterInTheEncodingGiven();
    void importStopsAtAFailingFile();
    void statsCountEveryTable();
    void exportOfAllNamesWritesEveryRecipe();
    void exportAllWritesEachRecipeOfOneName_data();
    void exportAllWritesEachRecipeOfOneName();
    void reportIsWrittenAsPdf();
    void unwritablePdfTargetSaysOnlyWhy_data();
    void unwritablePdfTargetSaysOnlyWhy();
    void progressStaysOffTerminals();
    void givenDatabaseDirectoryIsUsed();
    void databaseMustNameADirectory_data();
    void databaseMustNameADirectory();
    void planStoresTheDayOfTheNamedRecipe_data();
    void planStoresTheDayOfTheNamedRecipe();
    void planReplacesTheRecipeOfAPlannedDay();
    void planRefusesUnknownNamesAndDates_data();
    void planRefusesUnknownNamesAndDates();
    void planSetsTheServings_data();
    void planSetsTheServings();
    void findPrintsTheMatchingNames();

private:
    QVariantList plannedDays()
    {
        return m_fx->column(QStringLiteral("SELECT \"Date\" || '|' || \"Recipe_ID\" || '|' || coalesce(\"Servings\", '') "
                                           "FROM \"DAY\" ORDER BY \"Date\""));
    }
};

void TestCliCommands::importTellsRecipesAndDroppedRecords_data()
{
    QTest::addColumn<bool>("verbose");
    QTest::addColumn<QString>("listed");
    QTest::newRow("totals") << false << QString();
    QTest::newRow("verbose")
        << true << "  Line 15, recipe \"Stew\": ingredient line \"beef\" dropped: the recipe lists this ingredient already\n";
}

// What the user loses is counted, not the records the table refused: the first recipe was
// stored whole, the second without its repeated ingredient.
void TestCliCommands::importTellsRecipesAndDroppedRecords()
{
    QFETCH(bool, verbose);
    QFETCH(QString, listed);
    m_fx->writeFile("two.txt", kTwoRecipes);
    CliCommands cli = commands();
    cli.setVerbose(verbose);
    cli.importFiles(CommandLine::Format::Native, {m_fx->path("two.txt")});
    QCOMPARE(m_output, m_fx->path("two.txt") + ": 2 recipes imported, 1 ingredient line dropped\n" + listed);
    QCOMPARE(m_fx->recipes().size(), 2);
    m_fx->writeFile("one.txt", kTwoRecipes.left(kTwoRecipes.indexOf("Platewright", 5)));
    commands().importFiles(CommandLine::Format::Native, {m_fx->path("one.txt")});
    QCOMPARE(m_output, m_fx->path("one.txt") + ": 1 recipe imported\n");
}

void TestCliCommands::importReadsMealMasterInTheEncodingGiven_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("encoding");
    QTest::newRow("told from the bytes") << QStringList{} << u"Frosted Liver Paté"_qs << "DOS (437)";
    QTest::newRow("named") << QStringList{"--encoding", "cp1252"} << u"Frosted Liver Pat‚"_qs << "Windows (1252)";
}
void TestCliCommands::importReadsMealMasterInTheEncodingGiven()
{
    QFETCH(QStringList, options);
    QFETCH(QString, name);
    QFETCH(QString, encoding);
    m_fx->writeFile("pate.mmf", kMealMasterPate);
    commands().run(CommandLine::parse(QStringList{"import"} + options + QStringList{"mealmaster", m_fx->path("pate.mmf")}));
    QCOMPARE(m_output, m_fx->path("pate.mmf") + ": 1 recipe imported; text read as " + encoding + "\n");
    QCOMPARE(m_fx->recipes().value(0).name, name);
}

void TestCliCommands::importStopsAtAFailingFile()
{
    m_fx->writeFile("two.txt", kTwoRecipes);
    CliCommands cli = commands();
    QVERIFY_THROWS_EXCEPTION(ExchangeError, cli.importFiles(CommandLine::Format::Native,
                                                            {m_fx->path("missing.txt"), m_fx->path("two.txt")}));
    QVERIFY(m_fx->recipes().isEmpty());
}

void TestCliCommands::statsCountEveryTable()
{
    m_fx->addRecipe(named("Soup"), {"Leek|2|whole|", "Salt|1|pinch|"});
    m_fx->addRecipe(named("Stew"), {"Leek|1|whole|"});
    // The main window's category filter must not hide anything from the counts.
    m_fx->dm().tblRecipe.setFilter(QStringLiteral("Category='Breads'"));
    const CliCommands::Stats stats = commands().stats();
    QCOMPARE(stats.recipes, 2);
    QCOMPARE(stats.ingredientLines, 3);
    QCOMPARE(stats.ingredients, 2);
    QCOMPARE(stats.plannedDays, 0);
}

void TestCliCommands::exportOfAllNamesWritesEveryRecipe()
{
    m_fx->addRecipe(named("Stew"));
    m_fx->addRecipe(named("Soup"));
    m_fx->addRecipe(named("Soup"));
    CliCommands cli = commands();
    QCOMPARE(cli.allRecipeNames(), (QStringList{"Stew", "Soup", "Soup"}));
    cli.exportRecipes(m_fx->path("out.txt"), cli.allRecipeNames());
    QCOMPARE(m_fx->readFile("out.txt").count("Platewright\r\n"), 3);
    QCOMPARE(m_output, m_fx->path("out.txt") + ": 3 recipes exported\n");
}

void TestCliCommands::exportAllWritesEachRecipeOfOneName_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("written");
    QTest::newRow("native") << QStringList{} << QByteArrayList{"Name=Dup;", "Name=dup;", "Ingredient=Beef;", "Ingredient=Lamb;"};
    QTest::newRow("Meal-Master") << QStringList{"--format", "mealmaster"}
                                 << QByteArrayList{"MMMMM-----", "Title: Dup\r\n", "Title: dup\r\n", " lb Beef\r\n", " lb Lamb\r\n"};
}
// "Dup" and "dup" are two recipes: --all writes each, by its key.
void TestCliCommands::exportAllWritesEachRecipeOfOneName()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, written);
    m_fx->addRecipe(named("Dup"), {"Beef|1|lb|"});
    m_fx->addRecipe(named("dup"), {"Lamb|1|lb|"});
    commands().run(CommandLine::parse(QStringList{"export"} + options + QStringList{m_fx->path("out.txt"), "--all"}));
    const QByteArray text = m_fx->readFile("out.txt");
    for (const QByteArray &part : written)
        QVERIFY2(text.contains(part), part.constData());
    QCOMPARE(m_output, m_fx->path("out.txt") + ": 2 recipes exported\n");
}

void TestCliCommands::reportIsWrittenAsPdf()
{
    m_fx->addRecipe(named("Soup"), {"Leek|2|whole|"});
    ReportRequest request;
    request.kind = ReportKind::ShoppingListByName;
    request.names = {"Soup"};
    commands().writeReport(request, m_fx->path("list.pdf"));
    QVERIFY(m_fx->readFile("list.pdf").startsWith("%PDF"));
}

void TestCliCommands::unwritablePdfTargetSaysOnlyWhy_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing folder") << "missing/list.pdf" << "Unable to write %1";
    QTest::newRow("folder") << "folder" << "\"%1\" is a folder, not a file. Please choose a file.";
}
// The command's own message, and no warning of the painter before it.
void TestCliCommands::unwritablePdfTargetSaysOnlyWhy()
{
    QFETCH(QString, target);
    QFETCH(QString, says);
    QVERIFY(QDir().mkpath(m_fx->path("folder")));
    m_fx->addRecipe(named("Soup"), {"Leek|2|whole|"});
    ReportRequest request;
    request.kind = ReportKind::ShoppingListByName;
    request.names = {"Soup"};
    QTest::failOnWarning(QRegularExpression(".*"));
    try {
        commands().writeReport(request, m_fx->path(target));
        QFAIL("the report was written");
    } catch (const ReportRequestError &e) {
        QCOMPARE(e.message(), says.arg(m_fx->path(target)));
    }
}

void TestCliCommands::progressStaysOffTerminals()
{
    QString text;
    QTextStream out(&text);
    TerminalProgress off(out, false);
    off.showRecipesRead(5);
    off.finish();
    QVERIFY(text.isEmpty());
    TerminalProgress on(out, true);
    on.showRecipesRead(5);
    on.showRecipesRead(6);  // too soon after the first to be shown
    QCOMPARE(text, QStringLiteral("\r5 recipes read..."));
    on.finish();
    QVERIFY(text.endsWith(QStringLiteral("\r")));
}

void TestCliCommands::givenDatabaseDirectoryIsUsed()
{
    m_fx.reset();
    TempEnvironment env;
    const QString directory = env.path() + QStringLiteral("/elsewhere");
    QVERIFY(QDir().mkpath(directory));
    QString output, errors;
    QTextStream out(&output), err(&errors);
    QCOMPARE(CliProgram::run({"--database", directory, "stats"}, out, err, false), 0);
    QVERIFY(QFile::exists(directory + QStringLiteral("/platewright.db")));
    QVERIFY(output.contains(QStringLiteral("Recipes:          0")));
    QCOMPARE(CliProgram::run({"--database", env.path() + "/nowhere", "stats"}, out, err, false), 1);
    QVERIFY(errors.contains(QStringLiteral("nowhere")));
}

void TestCliCommands::databaseMustNameADirectory_data()
{
    QTest::addColumn<bool>("givenAFile");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name") << false << 2
                                << "--database needs the directory of the database; it was given an empty name";
    QTest::newRow("the database file itself") << true << 1 << "is a file, not a directory";
}

// Neither falls back on the alias's database: one message says what to give instead.
void TestCliCommands::databaseMustNameADirectory()
{
    QFETCH(bool, givenAFile);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    m_fx.reset();
    TempEnvironment env;
    const QString file = env.path() + QStringLiteral("/platewright.db");
    QVERIFY(writeFile(file, {}));
    QString output, errors;
    QTextStream out(&output), err(&errors);
    QCOMPARE(CliProgram::run({"--database", givenAFile ? file : QString(), "stats"}, out, err, false), exitCode);
    QVERIFY2(errors.startsWith(QStringLiteral("platewright-cli: ")) && errors.contains(message), qPrintable(errors));
    QCOMPARE(errors.count(QStringLiteral("platewright-cli: ")), 1);
    QVERIFY(output.isEmpty());
    QVERIFY(!QFileInfo::exists(TDatabase::defaultDirectory()));
}

void TestCliCommands::planStoresTheDayOfTheNamedRecipe_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("name");
    QTest::newRow("ISO date, name as stored") << "2026-03-14" << "Soup";
    QTest::newRow("date as displayed, name in capitals") << DateText::toDisplay(QDate(2026, 3, 14)) << "SOUP";
}

void TestCliCommands::planStoresTheDayOfTheNamedRecipe()
{
    QFETCH(QString, date);
    QFETCH(QString, name);
    m_fx->addRecipe(named("Stew"));
    const QString soup = m_fx->addRecipe(named("Soup"));
    m_fx->dm().tblRecipe.findKey({"Stew"});  // the current recipe must not be the one planned
    commands().planDay(date, name);
    QCOMPARE(plannedDays(), QVariantList{"2026-03-14|" + soup + "|"});
    QVERIFY(m_output.endsWith(QStringLiteral(": Soup\n")));
}

// A planned day keeps one entry and its servings; only the recipe changes.
void TestCliCommands::planReplacesTheRecipeOfAPlannedDay()
{
    const QString soup = m_fx->addRecipe(named("Soup"));
    const QString stew = m_fx->addRecipe(named("Stew"));
    CliCommands cli = commands();
    cli.planDay("2026-03-14", "Soup");
    cli.planDay("2026-03-15", "Soup");
    TTable &days = m_fx->dm().tblDay;
    QVERIFY(days.findKey({QDate(2026, 3, 14)}));
    days.edit();
    days.fieldByName("Servings").setAsString("6");
    days.post();
    cli.planDay("2026-03-14", "stew");
    QCOMPARE(plannedDays(), (QVariantList{"2026-03-14|" + stew + "|6", "2026-03-15|" + soup + "|"}));
}

void TestCliCommands::planRefusesUnknownNamesAndDates_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown name") << "2026-03-14" << "Sou" << "No recipe is named \"Sou\".";
    QTest::newRow("impossible date") << "2026-02-30" << "Soup" << "\"2026-02-30\" is not a valid date.";
    QTest::newRow("no date at all") << "tomorrow" << "Soup" << "\"tomorrow\" is not a valid date.";
}

void TestCliCommands::planRefusesUnknownNamesAndDates()
{
    QFETCH(QString, date);
    QFETCH(QString, name);
    QFETCH(QString, message);
    m_fx->addRecipe(named("Soup"));
    try {
        commands().planDay(date, name);
        QFAIL("planned");
    } catch (const CliError &e) {
        QVERIFY(!e.isUsage());
        QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
    }
    QVERIFY(plannedDays().isEmpty());
}

void TestCliCommands::planSetsTheServings_data()
{
    QTest::addColumn<QVariant>("servings");  // invalid: not given
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("a number") << QVariant("8") << "8" << QString();
    QTest::newRow("empty: as the recipe says") << QVariant("") << "" << QString();
    QTest::newRow("not given: kept") << QVariant() << "6" << QString();
    QTest::newRow("no whole number") << QVariant("2.5") << "6" << "\"2.5\" is not a number of servings.";
    QTest::newRow("none eat") << QVariant("0") << "6" << "\"0\" is not a number of servings.";
}

void TestCliCommands::planSetsTheServings()
{
    QFETCH(QVariant, servings);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    const QString soup = m_fx->addRecipe(named("Soup"));
    CliCommands cli = commands();
    cli.planDay("2026-03-14", "Soup", QString("6"));
    const std::optional<QString> given = servings.isValid() ? std::optional<QString>(servings.toString()) : std::nullopt;
    try {
        cli.planDay("2026-03-14", "Soup", given);
        QVERIFY(message.isEmpty());
    } catch (const CliError &e) {
        QVERIFY2(e.message().startsWith(message) && !message.isEmpty(), qPrintable(e.message()));
    }
    QCOMPARE(plannedDays(), QVariantList{"2026-03-14|" + soup + "|" + stored});
}

// One name a line, in the list's order; starts of names in any case, several after one option.
void TestCliCommands::findPrintsTheMatchingNames()
{
    m_fx->addRecipe(named("Stew"), {"Beef|1|lb|", "Onions|2||"});
    m_fx->addRecipe(named("Soup"), {"Leeks|2||", "Onions|1||"});
    m_fx->addRecipe(named("Salad"), {"onions, red|1||"});
    m_fx->addRecipe(named("Bread"), {"Flour|500|g|"});
    commands().run(CommandLine::parse({"find", "--with", "ONION", "--without", "beef", "flour"}));
    QCOMPARE(m_output, QStringLiteral("Salad\nSoup\n"));
}

QTEST_MAIN(TestCliCommands)
#include "tst_clicommands.moc"
