// Opening the database: the alias, the first run that creates and seeds it, a missing
// directory, a file that is no database, and the table password.

#include "EngineFixture.h"
#include "data/KeyGenerator.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheDefaultDirectory();
    void firstRunSeedsReportKinds();
    void firstRunSeedsLookupLists_data();
    void firstRunSeedsLookupLists();
    void firstRunSeedsKeyCounters();
    void missingDirectoryCreatesNothing();
    void foreignFileIsLeftAlone();
    void tablesNeedThePassword();
    void otherSqliteBuildIsRefused();
};

void TestDatabase::firstRunCreatesTheDefaultDirectory()
{
    TempEnvironment env;
    const QString expected = env.dataHome() + QStringLiteral("/Platewright/Recipe");
    QVERIFY(!QFileInfo::exists(expected));
    TDatabase db;
    db.open();
    QVERIFY(db.isOpen());
    QCOMPARE(QFileInfo(db.directory()).canonicalFilePath(), QFileInfo(expected).canonicalFilePath());
    QVERIFY(QFileInfo::exists(databaseFile(expected)));
}

void TestDatabase::firstRunSeedsReportKinds()
{
    EngineFixture f;
    QVERIFY(QFileInfo::exists(databaseFile(f.directory())));
    auto reports = f.openTable(QStringLiteral("Report.DB"));
    QStringList kinds = column(*reports, "Description");
    // The wizard compares these texts exactly, letter case included.
    QStringList expected{"Recipe (by Category)", "Small Recipe (by Category)", "Recipe (by Name)",
                         "Small Recipe (by Name)", "Shopping List (by Name)", "Recipe (by Date Assigned)",
                         "Small Recipe (by Date Assigned)", "Shopping List (by Date Assigned)"};
    expected.sort();
    QCOMPARE(kinds, expected);
    QCOMPARE(f.count("Recipe"), 0);
    QCOMPARE(f.count("REC_INGR"), 0);
    QCOMPARE(f.count("DAY"), 0);
}

void TestDatabase::firstRunSeedsLookupLists_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("fedFieldWidth");

    QTest::newRow("meals") << "LMeal.db" << "Meal" << 10;
    QTest::newRow("categories") << "LCategory.db" << "Category" << 20;
    QTest::newRow("preparation times") << "LPrepTime.db" << "PrepTime" << 20;
    QTest::newRow("cooking times") << "LCooktime.db" << "CookTime" << 20;
    QTest::newRow("measurements") << "LAmtMeas.db" << "Measurement" << 10;
    QTest::newRow("descriptions") << "LAmtDesc.db" << "Description" << 20;
}

void TestDatabase::firstRunSeedsLookupLists()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(int, fedFieldWidth);

    EngineFixture f;
    auto list = f.openTable(table);
    const QStringList values = column(*list, field);
    QVERIFY(!values.isEmpty());
    QCOMPARE(QSet<QString>(values.begin(), values.end()).size(), values.size());
    for (const QString &value : values) {
        QVERIFY2(!value.isEmpty(), qPrintable(table));
        // A seeded value must fit the field it is copied into.
        QVERIFY2(value.size() <= fedFieldWidth, qPrintable(value));
    }
}

void TestDatabase::firstRunSeedsKeyCounters()
{
    EngineFixture f;
    auto keys = f.openTable(QStringLiteral("Key.db"));
    QCOMPARE(keys->recordCount(), 2);
    QVERIFY(keys->findKey({"Recipe", "Recipe_ID"}));
    QCOMPARE(keys->fieldByName("Next_Value").asInteger(), 0);
    QVERIFY(keys->findKey({"INGREDIE", "Ingredient_ID"}));
    QCOMPARE(keys->fieldByName("Next_Value").asInteger(), 0);

    QCOMPARE(GetNextKey(f.db, "Recipe", "Recipe_ID"), QStringLiteral("0"));
    QCOMPARE(GetNextKey(f.db, "Recipe", "Recipe_ID"), QStringLiteral("1"));
    QCOMPARE(GetNextKey(f.db, "INGREDIE", "Ingredient_ID"), QStringLiteral("0"));
}

void TestDatabase::missingDirectoryCreatesNothing()
{
    TempEnvironment env;
    const QString missing = env.path() + QStringLiteral("/removable/Recipe");
    env.setRecipeAlias(missing);
    TDatabase db;
    int code = 0;
    QString message;
    try {
        db.open();
    } catch (const EngineError &e) {
        code = e.code();
        message = e.message();
    }
    QCOMPARE(code >> 8, int(EngineError::CatNotFound));
    QVERIFY2(message.contains(missing), qPrintable(message));
    QVERIFY(!db.isOpen());
    QVERIFY(!QFileInfo::exists(env.path() + QStringLiteral("/removable")));
    QVERIFY(!QFileInfo::exists(env.dataHome() + QStringLiteral("/Platewright")));
}

void TestDatabase::foreignFileIsLeftAlone()
{
    TempEnvironment env;
    const QString directory = env.path() + QStringLiteral("/Recipe");
    QDir().mkpath(directory);
    env.setRecipeAlias(directory);
    const QByteArray content(8192, 'x');
    QVERIFY(writeFile(databaseFile(directory), content));
    TDatabase db;
    QCOMPARE(raisedError([&] { db.open(); }).category(), int(EngineError::CatIo));
    QVERIFY(!db.isOpen());
    QCOMPARE(readFile(databaseFile(directory)), content);
}

void TestDatabase::tablesNeedThePassword()
{
    TempEnvironment env;
    TDatabase db;
    db.open();
    db.addPassword(QStringLiteral("wrong"));
    TTable recipes(db);
    recipes.setTableName(QStringLiteral("Recipe.DB"));
    QCOMPARE(raisedError([&] { recipes.open(); }).category(), int(EngineError::CatSecurity));
    QVERIFY(!recipes.isActive());

    // The login handler gets one chance, when the first table opens without a valid password.
    int logins = 0;
    db.onLogin = [&](TDatabase &database) {
        ++logins;
        database.addPassword(QString::fromLatin1(Schema::kTablePassword));
    };
    recipes.open();
    TTable days(db);
    days.setTableName(QStringLiteral("DAY.DB"));
    days.open();
    QCOMPARE(logins, 1);
}

// The driver's own build, as an open connection reports it, passes: the one this program links.
void TestDatabase::otherSqliteBuildIsRefused()
{
    EngineFixture f;
    QSqlQuery q(f.db.connection());
    QVERIFY(q.exec(QStringLiteral("SELECT sqlite_source_id()")) && q.next());
    QCOMPARE(TDatabase::sqliteLibraryProblem(q.value(0).toString()), QString());
    const QString other = QStringLiteral("2020-01-01 00:00:00 0123456789abcdef");
    QVERIFY(TDatabase::sqliteLibraryProblem(other).contains(other));
    QVERIFY(!TDatabase::sqliteLibraryProblem(QString()).isEmpty());
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
