#include "TestSupport.h"
#include "Unprivileged.h"

#include "app/Startup.h"
#include "calendar/Main.h"
#include "data/Database.h"
#include "data/dmmain.h"
#include "ui/BoundGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QComboBox>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr int kRecipes = 25;

// A database of the program's own making with recipes, in the directory the alias names.
QString createDatabase(const TempEnvironment &env)
{
    const QString directory = env.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    env.setRecipeAlias(directory);
    TDatabase db;
    db.openDirectory(directory);
    QSqlQuery q(db.connection());
    q.prepare(QStringLiteral("INSERT INTO Recipe (Recipe_ID, Name, Instructions) VALUES (?, ?, ?)"));
    for (int i = 0; i < kRecipes; ++i) {
        q.addBindValue(QString::number(i));
        q.addBindValue(QStringLiteral("Recipe %1").arg(i, 2, 10, QLatin1Char('0')));
        q.addBindValue(QString(300, QLatin1Char('x')));
        q.exec();
    }
    q.exec(QStringLiteral("UPDATE Key SET Next_Value = 100"));
    return directory;
}

} // namespace

class TestStartupDatabase : public QObject {
    Q_OBJECT
private slots:
    void damagedDatabaseEndsTheStart_data();
    void damagedDatabaseEndsTheStart();
    void readOnlyDatabaseShowsTheRecipes_data();
    void readOnlyDatabaseShowsTheRecipes();
    void readOnlyDirectoryWithoutDatabaseEndsTheStart();
    void lostTableIsNamedOnceOrMadeAgain_data();
    void lostTableIsNamedOnceOrMadeAgain();
    void unwritableSettingsFileIsShownAndTheProgramRuns_data();
    void unwritableSettingsFileIsShownAndTheProgramRuns();
};

void TestStartupDatabase::damagedDatabaseEndsTheStart_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("random bytes") << "random";
    QTest::newRow("text file") << "text";
    QTest::newRow("cut in the middle") << "cut";
}

// One error box naming the file, no window, and the file as it was.
void TestStartupDatabase::damagedDatabaseEndsTheStart()
{
    QFETCH(QString, damage);
    TempEnvironment env;
    const QString file = databaseFile(createDatabase(env));
    QByteArray bytes = readFile(file);
    if (damage == QLatin1String("random")) {
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
    } else if (damage == QLatin1String("text")) {
        bytes = QByteArray("Sunday roast\r\nMonday soup\r\n").repeated(100);
    } else {
        bytes = bytes.left(bytes.size() / 2);
    }
    QVERIFY(writeFile(file, bytes));
    ScriptedPrompter prompter;
    {
        Startup startup;
        QVERIFY(!startup.createObjects());
        QVERIFY(!MainForm);
    }
    QCOMPARE(prompter.errors.size(), 1);
    QVERIFY2(prompter.errors.first().contains(file), qPrintable(prompter.errors.first()));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(readFile(file), bytes);
}

void TestStartupDatabase::readOnlyDatabaseShowsTheRecipes_data()
{
    QTest::addColumn<bool>("directoryReadOnly");
    QTest::newRow("file read-only") << false;
    QTest::newRow("directory read-only") << true;
}

// The program starts on the recipes, says once that nothing can be saved, and a command that
// would change something shows the engine's read-only error; the file keeps its bytes.
void TestStartupDatabase::readOnlyDatabaseShowsTheRecipes()
{
    RUN_AS_UNPRIVILEGED_USER();
    QFETCH(bool, directoryReadOnly);
    TempEnvironment env;
    const QString directory = createDatabase(env);
    const QString file = databaseFile(directory);
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(directoryReadOnly ? directory : file, readable));
    const QByteArray before = readFile(file);

    ScriptedPrompter prompter;
    {
        Startup startup;
        QVERIFY(startup.createObjects());
        startup.showMainWindow();
        QCOMPARE(prompter.notices.size(), 1);
        QVERIFY2(prompter.notices.first().contains(QStringLiteral("read-only")), qPrintable(prompter.notices.first()));
        QCOMPARE(prompter.errors, QStringList{});
        QCOMPARE(MainForm->DBGrid1->model()->rowCount(), kRecipes);

        MainForm->Assign1->trigger();
        MainForm->Delete1->trigger();
        QCOMPARE(prompter.errors.size(), 2);
        for (const QString &error : std::as_const(prompter.errors))
            QVERIFY2(error.contains(QStringLiteral("read-only")), qPrintable(error));
        QCOMPARE(MainForm->DBGrid1->model()->rowCount(), kRecipes);
    }
    QCOMPARE(prompter.notices.size(), 1);
    QCOMPARE(readFile(file), before);
    QVERIFY(QFile::setPermissions(directory, readable | QFile::WriteOwner));
}

void TestStartupDatabase::readOnlyDirectoryWithoutDatabaseEndsTheStart()
{
    RUN_AS_UNPRIVILEGED_USER();
    TempEnvironment env;
    const QString directory = env.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    env.setRecipeAlias(directory);
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));
    ScriptedPrompter prompter;
    {
        Startup startup;
        QVERIFY(!startup.createObjects());
    }
    QCOMPARE(prompter.errors.size(), 1);
    QVERIFY2(prompter.errors.first().contains(directory), qPrintable(prompter.errors.first()));
    QVERIFY(QDir(directory).isEmpty());
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestStartupDatabase::lostTableIsNamedOnceOrMadeAgain_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("message");  // the one error, or the one notice
    QTest::newRow("planned meals") << "DAY" << false << "has lost its table \"DAY\" (the planned meals)";
    QTest::newRow("ingredient lines") << "REC_INGR" << false << "Put back a copy of the file from a backup";
    QTest::newRow("report kinds") << "Report" << true << "";
    QTest::newRow("categories") << "LCategory" << true
                                << "had lost its table \"LCategory\" (the list of categories). It has been made again";
}

// Without a table of the user's records the start ends with one message that names it and
// says what to do, and the file stays as it was; any other lost table is made again, so that
// every view opens and no command meets a closed one.
void TestStartupDatabase::lostTableIsNamedOnceOrMadeAgain()
{
    QFETCH(QString, table);
    QFETCH(bool, starts);
    QFETCH(QString, message);
    TempEnvironment env;
    const QString file = databaseFile(createDatabase(env));
    {
        TDatabase db;
        db.openDirectory(QFileInfo(file).path());
        QSqlQuery q(db.connection());
        QVERIFY(q.exec(QStringLiteral("DROP TABLE \"%1\"").arg(table)));
    }
    const QByteArray before = readFile(file);
    ScriptedPrompter prompter;
    {
        Startup startup;
        QCOMPARE(startup.createObjects(), starts);
        if (starts) {
            for (TTable *view : dmMain1->allTables())
                QVERIFY2(view->isActive(), qPrintable(view->tableName()));
            QCOMPARE(dmMain1->tblReport.recordCount(), 8);
            QCOMPARE(MainForm->DBGrid1->model()->rowCount(), kRecipes);
        }
    }
    if (starts) {
        QCOMPARE(prompter.errors, QStringList{});
        QCOMPARE(prompter.notices.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(prompter.notices.first().contains(message), qPrintable(prompter.notices.first()));
    } else {
        QCOMPARE(prompter.errors.size(), 1);
        QVERIFY2(prompter.errors.first().contains(file) && prompter.errors.first().contains(message),
                 qPrintable(prompter.errors.first()));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QCOMPARE(readFile(file), before);
    }
}

void TestStartupDatabase::unwritableSettingsFileIsShownAndTheProgramRuns_data()
{
    QTest::addColumn<bool>("directory");
    QTest::newRow("read-only file") << false;
    QTest::newRow("directory of that name") << true;
}

// The settings file lacks "Enable Nifty Forms" and cannot take its default: the window opens
// after one error box naming the file, which stays as it was, and the preferences of the
// database are applied all the same (captions, calendar, category list).
void TestStartupDatabase::unwritableSettingsFileIsShownAndTheProgramRuns()
{
    QFETCH(bool, directory);
    if (!directory)
        RUN_AS_UNPRIVILEGED_USER();
    TempEnvironment env;
    createDatabase(env);
    const QString ini = env.configHome() + QStringLiteral("/Platewright/Recipe.Ini");
    if (directory) {
        QVERIFY(QDir().mkpath(ini));
    } else {
        QVERIFY(writeFile(ini, "[Setup]\r\nNifty Forms File=/nowhere/tile.bmp\r\n"));
        QVERIFY(QFile::setPermissions(ini, QFile::ReadOwner));
    }
    const QByteArray before = readFile(ini);
    ScriptedPrompter prompter;
    {
        Startup startup;
        QVERIFY(startup.createObjects());
        startup.showMainWindow();
        QVERIFY(MainForm->isVisible());
        QCOMPARE(MainForm->DBGrid1->model()->rowCount(), kRecipes);
        QVERIFY(MainForm->pnlCalendar->isVisible());
        QCOMPARE(MainForm->btnAdd->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(MainForm->cbCategory->count(), 13);  // "ALL" and the twelve starter categories
    }
    QCOMPARE(prompter.errors, QStringList{QStringLiteral("Unable to write to ") + ini});
    QCOMPARE(readFile(ini), before);
    QVERIFY(QFileInfo(ini).isDir() == directory);
}

QTEST_MAIN(TestStartupDatabase)
#include "tst_startupdatabase.moc"
