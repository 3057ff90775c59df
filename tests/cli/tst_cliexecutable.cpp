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
    QString m_stdout, m_stderr;

    int run(const QStringList &arguments)
    {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/platewright-cli"), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        m_stdout = QString::fromUtf8(process.readAllStandardOutput());
        m_stderr = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

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
    QVERIFY(m_stderr.contains(QStringLiteral("unknown command")));
    QVERIFY(m_stderr.contains(QStringLiteral("Usage:")));
    QVERIFY(m_stdout.isEmpty());
}

void TestCliExecutable::failureExitsWithOneAndSaysWhy()
{
    QCOMPARE(run({"--database", database(), "import", "native", m_env->path() + "/missing.txt"}), 1);
    QVERIFY(m_stderr.contains(QStringLiteral("missing.txt")));
    QCOMPARE(run({"--database", database(), "report", "Recipe (by Date Assigned)", "--pdf", m_env->path() + "/r.pdf",
                 "--from", "not a date"}), 1);
    QVERIFY(!m_stderr.isEmpty());
}

void TestCliExecutable::importExportRoundTrip()
{
    const QString source = m_env->path() + QStringLiteral("/in.txt");
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Platewright\r\nName=Soup;Meal=;Category=Soups;PrepTime=;Servings=2;CookTime=;\r\nInstructions\r\n"
               "Boil.\r\nNotes\r\nIngredients List\r\nIngredient=Leek;Order=0;Amount=2;\r\n");
    file.close();
    QCOMPARE(run({"--database", database(), "import", "native", source}), 0);
    // Not a terminal: the summary only, without a progress line.
    QCOMPARE(m_stdout, source + ": 1 recipe imported\n");
    const QString exported = m_env->path() + QStringLiteral("/out.txt");
    QCOMPARE(run({"--database", database(), "export", exported, "--all"}), 0);
    QVERIFY(QFile::exists(exported));
    QCOMPARE(run({"--database", database(), "stats"}), 0);
    QVERIFY(m_stdout.contains(QStringLiteral("Recipes:          1\n")));
    QVERIFY(m_stdout.contains(QStringLiteral("Ingredient lines: 1\n")));
}

QTEST_GUILESS_MAIN(TestCliExecutable)
#include "tst_cliexecutable.moc"
