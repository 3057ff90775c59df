#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

// Runs the built platewright-cli as the user would, for its exit codes and what it prints.
class TestCliExecutable : public QObject {
    Q_OBJECT
    std::unique_ptr<TempEnvironment> m_env;
    CliRunner m_cli;

    int run(const QStringList &arguments) { return m_cli.run(arguments, 60000); }

    QString database() const { return m_env->path() + QStringLiteral("/db"); }

private slots:
    void init()
    {
        m_env = std::make_unique<TempEnvironment>();
        QVERIFY(QDir().mkpath(database()));
    }
    void cleanup() { m_env.reset(); }

    void wrongUsageExitsWithTwo();
    void failureExitsWithOneAndSaysWhy();
    void importExportRoundTrip();
};

void TestCliExecutable::wrongUsageExitsWithTwo()
{
    QCOMPARE(run({"frobnicate"}), 2);
    QVERIFY(m_cli.err.contains(QStringLiteral("unknown command")));
    QVERIFY(m_cli.err.contains(QStringLiteral("Usage:")));
    QVERIFY(m_cli.out.isEmpty());
}

void TestCliExecutable::failureExitsWithOneAndSaysWhy()
{
    QCOMPARE(run({"--database", database(), "import", "native", m_env->path() + "/missing.txt"}), 1);
    QVERIFY(m_cli.err.contains(QStringLiteral("missing.txt")));
    QCOMPARE(run({"--database", database(), "report", "Recipe (by Date Assigned)", "--pdf", m_env->path() + "/r.pdf",
                 "--from", "not a date"}), 1);
    QVERIFY(!m_cli.err.isEmpty());
}

void TestCliExecutable::importExportRoundTrip()
{
    const QString source = m_env->path() + QStringLiteral("/in.txt");
    QVERIFY(writeFile(source, "Platewright\r\nName=Soup;Meal=;Category=Soups;PrepTime=;Servings=2;CookTime=;\r\n"
                              "Instructions\r\nBoil.\r\nNotes\r\nIngredients List\r\nIngredient=Leek;Order=0;Amount=2;\r\n"));
    QCOMPARE(run({"--database", database(), "import", "native", source}), 0);
    // Not a terminal: the summary only, without a progress line.
    QCOMPARE(m_cli.out, source + ": 1 recipe imported\n");
    const QString exported = m_env->path() + QStringLiteral("/out.txt");
    QCOMPARE(run({"--database", database(), "export", exported, "--all"}), 0);
    QVERIFY(QFile::exists(exported));
    QCOMPARE(run({"--database", database(), "stats"}), 0);
    QVERIFY(m_cli.out.contains(QStringLiteral("Recipes:          1\n")));
    QVERIFY(m_cli.out.contains(QStringLiteral("Ingredient lines: 1\n")));
}

QTEST_GUILESS_MAIN(TestCliExecutable)
#include "tst_cliexecutable.moc"
