#include "app/CliError.h"
#include "app/CommandLine.h"

#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void rejectsWrongUsage_data();
    void rejectsWrongUsage();
    void readsImport();
    void readsExport();
    void readsReportOptions();
    void readsPlan();
};

void TestCommandLine::rejectsWrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("database without directory") << QStringList{"--database"};
    QTest::newRow("unknown command") << QStringList{"purge"};
    QTest::newRow("import without format") << QStringList{"import"};
    QTest::newRow("import of unknown format") << QStringList{"import", "csv", "a.csv"};
    QTest::newRow("import without file") << QStringList{"import", "native"};
    QTest::newRow("import in an unknown encoding") << QStringList{"import", "--encoding", "latin9", "mealmaster", "a.mmf"};
    QTest::newRow("native import in an encoding") << QStringList{"import", "--encoding", "cp437", "native", "a.txt"};
    QTest::newRow("export without names") << QStringList{"export", "out.txt"};
    QTest::newRow("export of all and names") << QStringList{"export", "out.txt", "--all", "Soup"};
    QTest::newRow("stats with argument") << QStringList{"stats", "now"};
    QTest::newRow("report kind in other case") << QStringList{"report", "recipe (by name)", "--pdf", "a.pdf"};
    QTest::newRow("report without pdf") << QStringList{"report", "Recipe (by Name)", "--name", "Soup"};
    QTest::newRow("report option without value") << QStringList{"report", "Recipe (by Name)", "--pdf"};
    QTest::newRow("plan without name") << QStringList{"plan", "2026-03-14"};
    QTest::newRow("plan with two names") << QStringList{"plan", "2026-03-14", "Soup", "Stew"};
    QTest::newRow("plan with servings but no number") << QStringList{"plan", "2026-03-14", "Soup", "--servings"};
    QTest::newRow("combine on a recipe report") << QStringList{"report", "Recipe (by Name)", "--pdf", "a.pdf", "--combine"};
    QTest::newRow("find names without --with") << QStringList{"find", "onion"};
    QTest::newRow("report unknown option") << QStringList{"report", "Recipe (by Name)", "--pdf", "a.pdf", "--x", "1"};
}

void TestCommandLine::rejectsWrongUsage()
{
    QFETCH(QStringList, arguments);
    try {
        CommandLine::parse(arguments);
        QFAIL("accepted");
    } catch (const CliError &e) {
        QVERIFY(e.isUsage());
    }
}

void TestCommandLine::readsImport()
{
    const CommandLine line = CommandLine::parse({"--database", "/tmp/r", "import", "mealmaster", "a.mmf", "b.mmf"});
    QCOMPARE(line.database, QStringLiteral("/tmp/r"));
    QCOMPARE(line.command, CommandLine::Command::Import);
    QCOMPARE(line.format, CommandLine::Format::MealMaster);
    QCOMPARE(line.files, (QStringList{"a.mmf", "b.mmf"}));
}

void TestCommandLine::readsExport()
{
    const CommandLine all = CommandLine::parse({"export", "out.txt", "--all"});
    QVERIFY(all.exportAll);
    QVERIFY(all.database.isEmpty());
    const CommandLine named = CommandLine::parse({"export", "out.txt", "Soup", "Mom's Stew"});
    QVERIFY(!named.exportAll);
    QCOMPARE(named.files, QStringList{"out.txt"});
    QCOMPARE(named.names, (QStringList{"Soup", "Mom's Stew"}));
}

void TestCommandLine::readsReportOptions()
{
    const CommandLine line = CommandLine::parse({"report", "Shopping List (by Date Assigned)", "--from", "1/3/2024",
                                                 "--name", "A", "--pdf", "out.pdf", "--name", "B", "--to", "7/3/2024",
                                                 "--combine", "--category", "Soups"});
    QCOMPARE(line.report.kind, ReportKind::ShoppingListByDate);
    QVERIFY(line.report.combine);
    QCOMPARE(line.pdfPath, QStringLiteral("out.pdf"));
    QCOMPARE(line.report.names, (QStringList{"A", "B"}));
    QCOMPARE(line.report.from, QStringLiteral("1/3/2024"));
    QCOMPARE(line.report.to, QStringLiteral("7/3/2024"));
    QCOMPARE(line.report.category, QStringLiteral("Soups"));
}

void TestCommandLine::readsPlan()
{
    const CommandLine line = CommandLine::parse({"--database", "/tmp/r", "plan", "14/3/2026", "Mom's Stew"});
    QCOMPARE(line.command, CommandLine::Command::Plan);
    QCOMPARE(line.database, QStringLiteral("/tmp/r"));
    QCOMPARE(line.planDate, QStringLiteral("14/3/2026"));
    QCOMPARE(line.names, QStringList{"Mom's Stew"});
    QVERIFY(!line.planServings);
    const CommandLine servings = CommandLine::parse({"plan", "14/3/2026", "--servings", "6", "Mom's Stew"});
    QCOMPARE(servings.names, QStringList{"Mom's Stew"});
    QCOMPARE(servings.planServings, std::optional<QString>(QStringLiteral("6")));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
