#include "TestSupport.h"
#include "Unprivileged.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

// The built platewright-cli on databases it cannot use as they are, and on import files that
// are no recipe files: a clear message on standard error, the right exit code, and nothing
// that was stored before is changed.
class TestCliDatabase : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    CliRunner m_cli;

    int run(const QStringList &arguments) { return m_cli.run(arguments); }

    QString path(const QString &name) const { return m_dir->path() + u'/' + name; }
    QString database() const { return path(QStringLiteral("db")); }
    QString databaseFile() const { return ::databaseFile(database()); }

    // A database holding the recipes of a real archive.
    void fillDatabase()
    {
        QCOMPARE(run({"--database", database(), "import", "mealmaster", mealMasterArchive("gitpan_MealMaster/0222-1.TXT")}), 0);
        QCOMPARE(run({"--database", database(), "stats"}), 0);
        QVERIFY(m_cli.out.contains(QStringLiteral("Recipes:          110\n")));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(database()));
    }
    void cleanup() { m_dir.reset(); }

    void damagedDatabaseIsNamedAndLeftAlone_data();
    void damagedDatabaseIsNamedAndLeftAlone();
    void readOnlyDatabaseCountsButDoesNotImport();
    void readOnlyDirectoryGetsNoDatabase();
    void lostTableIsOneMessage_data();
    void lostTableIsOneMessage();
    void unreadableImportFileKeepsTheRecipes_data();
    void unreadableImportFileKeepsTheRecipes();
};

void TestCliDatabase::damagedDatabaseIsNamedAndLeftAlone_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("random bytes") << "random";
    QTest::newRow("cut in the middle") << "cut";
}

void TestCliDatabase::damagedDatabaseIsNamedAndLeftAlone()
{
    QFETCH(QString, damage);
    SKIP_WITHOUT_TESTDATA();
    fillDatabase();
    QByteArray bytes = readFile(databaseFile());
    if (damage == QLatin1String("random")) {
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
    } else {
        bytes.truncate(bytes.size() / 2);
    }
    QVERIFY(writeFile(databaseFile(), bytes));
    for (const QStringList &command : {QStringList{"stats"}, QStringList{"export", path("out.txt"), "--all"}}) {
        QCOMPARE(run(QStringList{"--database", database()} + command), 1);
        QVERIFY2(m_cli.err.contains(QStringLiteral("platewright-cli: ") + u'"' + databaseFile())
                     || m_cli.err.contains(QStringLiteral("platewright-cli: The database file \"") + databaseFile()),
                 qPrintable(m_cli.err));
        QVERIFY(m_cli.out.isEmpty());
    }
    QCOMPARE(readFile(databaseFile()), bytes);
    QVERIFY(!QFile::exists(path("out.txt")));
}

// The counts come out, with one notice that nothing can be saved; an import is refused with
// the engine's read-only message and the file keeps its bytes. (Runs as another user, so it
// brings its own recipe file.)
void TestCliDatabase::readOnlyDatabaseCountsButDoesNotImport()
{
    RUN_AS_UNPRIVILEGED_USER();
    QVERIFY(writeFile(path(QStringLiteral("soup.txt")),
                      "Platewright\r\nName=Soup;Meal=;Category=Soups;PrepTime=;Servings=2;CookTime=;\r\nInstructions\r\n"
                      "Boil.\r\nNotes\r\nIngredients List\r\nIngredient=Leek;Order=0;Amount=2;\r\n"));
    QCOMPARE(run({"--database", database(), "import", "native", path(QStringLiteral("soup.txt"))}), 0);
    QVERIFY(QFile::setPermissions(databaseFile(), QFile::ReadOwner));
    const QByteArray before = readFile(databaseFile());
    QCOMPARE(run({"--database", database(), "stats"}), 0);
    QVERIFY(m_cli.out.contains(QStringLiteral("Recipes:          1\n")));
    QCOMPARE(m_cli.err.count(QStringLiteral("read-only")), 1);
    QCOMPARE(run({"--database", database(), "import", "native", path(QStringLiteral("soup.txt"))}), 1);
    QVERIFY2(m_cli.err.contains(QStringLiteral("The database is read-only; changes cannot be saved.")), qPrintable(m_cli.err));
    QCOMPARE(readFile(databaseFile()), before);
}

void TestCliDatabase::readOnlyDirectoryGetsNoDatabase()
{
    RUN_AS_UNPRIVILEGED_USER();
    QVERIFY(QFile::setPermissions(database(), QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(run({"--database", database(), "stats"}), 1);
    QVERIFY2(m_cli.err.contains(database()) && m_cli.err.contains(QStringLiteral("read-only")), qPrintable(m_cli.err));
    QVERIFY(QDir(database()).isEmpty());
    QVERIFY(QFile::setPermissions(database(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestCliDatabase::lostTableIsOneMessage_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("stats") << QStringList{"stats"};
    QTest::newRow("import") << QStringList{"import", "mealmaster", mealMasterArchive("gitpan_MealMaster/0222-1.TXT")};
}

// A database without its planned days: one line that names the table, exit 1, and the file
// as it was, with no journal beside it.
void TestCliDatabase::lostTableIsOneMessage()
{
    QFETCH(QStringList, command);
    if (command.contains("import"))
        SKIP_WITHOUT_TESTDATA();
    QCOMPARE(run({"--database", database(), "stats"}), 0);
    {
        TDatabase db;
        db.openDirectory(database());
        QSqlQuery q(db.connection());
        QVERIFY(q.exec(QStringLiteral("DROP TABLE \"DAY\"")));
    }
    const QByteArray before = readFile(databaseFile());
    QCOMPARE(run(QStringList{"--database", database()} + command), 1);
    // Qt's own note on a missing runtime directory is no message of the program.
    const QStringList lines = m_cli.err.split(u'\n', Qt::SkipEmptyParts)
                                  .filter(QRegularExpression(QStringLiteral("^(?!QStandardPaths: )")));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QStringLiteral("platewright-cli: The database \"") + databaseFile())
                 && m_cli.err.contains(QStringLiteral("\"DAY\" (the planned meals)")),
             qPrintable(m_cli.err));
    QCOMPARE(readFile(databaseFile()), before);
    QCOMPARE(QDir(database()).entryList(QDir::Files), QStringList{QStringLiteral("platewright.db")});
}

void TestCliDatabase::unreadableImportFileKeepsTheRecipes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QByteArray binary(256 * 1024, 0);
    for (char &byte : binary)
        byte = char(QRandomGenerator::global()->bounded(256));
    const QByteArray endless = QByteArray(20 * 1024 * 1024, 'x');
    for (const char *format : {"native", "mealmaster"}) {
        const QByteArray f(format);
        QTest::newRow(f + ", empty") << QString::fromLatin1(format) << QByteArray() << 0 << "0 recipes imported";
        QTest::newRow(f + ", 20 MB without a line end")
            << QString::fromLatin1(format) << endless << 1 << "Line 1: The line is longer than";
    }
    // Random bytes hold line ends by chance; the native reader takes each third line as a
    // header and may store what it finds, the Meal-Master reader finds no recipe start.
    QTest::newRow("mealmaster, binary") << "mealmaster" << binary << 0 << "0 recipes imported";
}

void TestCliDatabase::unreadableImportFileKeepsTheRecipes()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    SKIP_WITHOUT_TESTDATA();
    fillDatabase();
    const QString stats = m_cli.out;
    QVERIFY(writeFile(path("in.txt"), bytes));
    QCOMPARE(run({"--database", database(), "import", format, path("in.txt")}), exitCode);
    QVERIFY2((exitCode == 0 ? m_cli.out : m_cli.err).contains(message), qPrintable(m_cli.out + m_cli.err));
    QCOMPARE(run({"--database", database(), "stats"}), 0);
    QCOMPARE(m_cli.out, stats);
}

QTEST_GUILESS_MAIN(TestCliDatabase)
#include "tst_clidatabase.moc"
