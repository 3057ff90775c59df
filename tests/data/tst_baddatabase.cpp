#include "TestSupport.h"
#include "Unprivileged.h"
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/KeyGenerator.h"
#include "data/Schema.h"
#include "data/SysInfo.h"
#include "data/Table.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A real database of the given directory with recipes enough to span many pages.
void createDatabase(const QString &directory, int recipes)
{
    TDatabase db;
    db.openDirectory(directory);
    TTransaction transaction(db);
    QSqlQuery q(db.connection());
    q.prepare(QStringLiteral("INSERT INTO Recipe (Recipe_ID, Name, Instructions) VALUES (?, ?, ?)"));
    for (int i = 0; i < recipes; ++i) {
        q.addBindValue(QString::number(i));
        q.addBindValue(QStringLiteral("Recipe %1").arg(i));
        q.addBindValue(QString(400, QLatin1Char('x')));
        QVERIFY(q.exec());
    }
    transaction.commit();
}

// The error the open raises; code 0 when it opens.
EngineError openError(TDatabase &db, const QString &directory)
{
    return raisedError([&] { db.openDirectory(directory); });
}

// Opens the directory's database and its recipe table as the program does.
void openRecipes(TDatabase &db, TTable &recipes, const QString &directory)
{
    db.openDirectory(directory);
    db.addPassword(QString::fromLatin1(Schema::kTablePassword));
    recipes.setTableName(QStringLiteral("Recipe.DB"));
    recipes.open();
}

// Leaves in the directory `to` what a copy killed in the middle of a large change leaves:
// the database file with some pages already overwritten, and the journal holding them as
// they were.
void copyInterruptedChange(const QString &from, const QString &to)
{
    const QString connection = QStringLiteral("interrupted");
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        raw.setDatabaseName(databaseFile(from));
        QVERIFY(raw.open());
        QSqlQuery q(raw);
        QVERIFY(q.exec(QStringLiteral("PRAGMA cache_size = 2")));  // spills changed pages to the file early
        QVERIFY(q.exec(QStringLiteral("BEGIN")));
        QVERIFY(q.exec(QStringLiteral("UPDATE Recipe SET Instructions = 'half done'")));
        QVERIFY(QFileInfo(databaseFile(from) + QStringLiteral("-journal")).size() > 0);
        QVERIFY(QFile::copy(databaseFile(from), databaseFile(to)));
        QVERIFY(QFile::copy(databaseFile(from) + QStringLiteral("-journal"), databaseFile(to) + QStringLiteral("-journal")));
        QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace

class TestBadDatabase : public QObject {
    Q_OBJECT
private slots:
    void damagedFileIsRefusedAndLeftAlone_data();
    void damagedFileIsRefusedAndLeftAlone();
    void readOnlyFileShowsItsRowsAndRefusesWrites();
    void readOnlyDirectoryMakesTheDatabaseReadOnly();
    void readOnlyDirectoryWithoutDatabaseIsRefused();
    void readOnlyDatabaseLeftMidChangeSaysHowToRepairIt();
};

void TestBadDatabase::damagedFileIsRefusedAndLeftAlone_data()
{
    QTemporaryDir source;
    createDatabase(source.path(), 300);
    const QByteArray real = readFile(databaseFile(source.path()));
    QVERIFY(real.size() > 64 * 1024);
    QByteArray random(16 * 1024, 0);
    for (char &byte : random)
        byte = char(QRandomGenerator::global()->bounded(256));

    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("random bytes") << random;
    QTest::newRow("text file") << QByteArray("Grandmother's recipes\nApple pie: apples, flour, butter\n").repeated(200);
    QTest::newRow("cut in the middle") << real.left(real.size() / 2);
    QTest::newRow("cut at a page boundary") << real.left(4096 * 3);
    QTest::newRow("cut inside the header") << real.left(60);
}

// The message names the file; nothing is written to it or beside it.
void TestBadDatabase::damagedFileIsRefusedAndLeftAlone()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir directory;
    QVERIFY(writeFile(databaseFile(directory.path()), bytes));
    TDatabase db;
    const EngineError error = openError(db, directory.path());
    QCOMPARE(error.code(), int(EngineError::NotADatabase));
    QVERIFY2(error.message().contains(databaseFile(directory.path())), qPrintable(error.message()));
    QVERIFY(!db.isOpen());
    QCOMPARE(readFile(databaseFile(directory.path())), bytes);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{TDatabase::kDatabaseFileName});
}

// Opened read-only: the rows can be read; a post and a key draw fail with the engine's
// read-only error, and the file keeps its bytes.
void TestBadDatabase::readOnlyFileShowsItsRowsAndRefusesWrites()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir directory;
    createDatabase(directory.path(), 20);
    const QString file = databaseFile(directory.path());
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = readFile(file);

    TDatabase db;
    TTable recipes(db);
    openRecipes(db, recipes, directory.path());
    QVERIFY(db.isReadOnly());
    QCOMPARE(recipes.recordCount(), 20);
    QCOMPARE(raisedError([&] {
                 recipes.insert();
                 recipes.fieldByName(QStringLiteral("Recipe_ID")).setAsString(QStringLiteral("99"));
                 recipes.fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("Unsaved"));
                 recipes.post();
             }).code(),
             int(EngineError::ReadOnly));
    recipes.cancel();
    QCOMPARE(raisedError([&] { GetNextKey(db, QStringLiteral("Recipe"), QStringLiteral("Recipe_ID")); }).code(),
             int(EngineError::ReadOnly));
    QCOMPARE(recipes.recordCount(), 20);
    // A setting without a row reads as empty instead of failing to make the row.
    TSysInfo settings(db, nullptr, directory.filePath(QStringLiteral("Recipe.Ini")));
    QCOMPARE(settings.ReadSystemValue(QStringLiteral("Recipe Import Dir")), QString());
    QCOMPARE(settings.ReadSystemValue(QStringLiteral("View Calendar")), QStringLiteral("True"));
    QCOMPARE(raisedError([&] { settings.WriteSystemValue(QStringLiteral("View Calendar"), QStringLiteral("False")); }).code(),
             int(EngineError::ReadOnly));
    db.close();
    QCOMPARE(readFile(file), before);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{TDatabase::kDatabaseFileName});
}

// SQLite keeps its journal beside the file, so a writable file in a directory that cannot
// be written is opened read-only too, rather than failing at the first change.
void TestBadDatabase::readOnlyDirectoryMakesTheDatabaseReadOnly()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir parent;
    const QString directory = parent.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    createDatabase(directory, 20);
    const QByteArray before = readFile(databaseFile(directory));
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));

    TDatabase db;
    TTable recipes(db);
    openRecipes(db, recipes, directory);
    QVERIFY(db.isReadOnly());
    QCOMPARE(recipes.recordCount(), 20);
    QCOMPARE(raisedError([&] { GetNextKey(db, QStringLiteral("Recipe"), QStringLiteral("Recipe_ID")); }).code(),
             int(EngineError::ReadOnly));
    db.close();
    QCOMPARE(readFile(databaseFile(directory)), before);
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestBadDatabase::readOnlyDirectoryWithoutDatabaseIsRefused()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir parent;
    const QString directory = parent.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));
    TDatabase db;
    const EngineError error = openError(db, directory);
    QCOMPARE(error.code(), int(EngineError::ReadOnly));
    QVERIFY2(error.message().contains(directory), qPrintable(error.message()));
    QVERIFY(QDir(directory).isEmpty());
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// A database that a stopped copy left in the middle of a change is repaired from its journal
// when it is opened; read-only, it cannot be, and the message says what to do. Once it may
// be written again it opens repaired, with every recipe as it was before the change.
void TestBadDatabase::readOnlyDatabaseLeftMidChangeSaysHowToRepairIt()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir source;
    createDatabase(source.path(), 300);
    QTemporaryDir parent;
    const QString directory = parent.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    copyInterruptedChange(source.path(), directory);
    const QByteArray before = readFile(databaseFile(directory));
    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));

    {
        TDatabase db;
        const EngineError error = openError(db, directory);
        QCOMPARE(error.code(), int(EngineError::ReadOnly));
        QVERIFY2(error.message().contains(databaseFile(directory)) && error.message().contains("write permission"),
                 qPrintable(error.message()));
        QVERIFY(!db.isOpen());
        QCOMPARE(readFile(databaseFile(directory)), before);
    }

    QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    TDatabase db;
    db.openDirectory(directory);
    QVERIFY(!db.isReadOnly());
    QSqlQuery q(db.connection());
    QVERIFY(q.exec(QStringLiteral("SELECT count(*), sum(Instructions = 'half done') FROM Recipe")) && q.next());
    QCOMPARE(q.value(0).toInt(), 300);
    QCOMPARE(q.value(1).toInt(), 0);
    QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
}

QTEST_GUILESS_MAIN(TestBadDatabase)
#include "tst_baddatabase.moc"
