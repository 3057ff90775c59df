// Local SQL queries as the report wizard writes them: tables named by quoted file name,
// joins in WHERE, bound dates, and statements the engine refuses.

#include "EngineFixture.h"
#include "data/Query.h"

class TestQuery : public QObject {
    Q_OBJECT
private slots:
    void plannedRecipesFromADate_data();
    void plannedRecipesFromADate();
    void fileNamesInAnyCase_data();
    void fileNamesInAnyCase();
    void onlySelectIsRun_data();
    void onlySelectIsRun();
};

namespace {

const char *kPlannedFrom =
    "SELECT R.\"Name\", D.\"Date\", D.\"Servings\" FROM \"Recipe.DB\" R, \"Day.db\" D "
    "WHERE R.\"Recipe_ID\" = D.\"Recipe_ID\" AND D.\"Date\" >= :from ORDER BY D.\"Date\", R.\"Name\"";

void plan(EngineFixture &f)
{
    f.addRecipe("6", "Chili");
    f.addRecipe("15", "Goulash");
    f.addRecipe("150", "Pancakes");
    f.addDay(QDate(2023, 12, 31), "6");
    f.addDay(QDate(2024, 1, 9), "15");
    f.addDay(QDate(2024, 1, 10), "6");
    f.addDay(QDate(2024, 1, 10), "150");
    f.addDay(QDate(2024, 1, 11), "99");  // a planned recipe that was deleted
}

} // namespace

void TestQuery::plannedRecipesFromADate_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("every planned day") << QDate(2000, 1, 1)
                                       << QStringList{"Chili 2023-12-31", "Goulash 2024-01-09", "Chili 2024-01-10",
                                                      "Pancakes 2024-01-10"};
    QTest::newRow("on a planned day") << QDate(2024, 1, 10)
                                      << QStringList{"Chili 2024-01-10", "Pancakes 2024-01-10"};
    QTest::newRow("across the year end") << QDate(2024, 1, 1)
                                         << QStringList{"Goulash 2024-01-09", "Chili 2024-01-10", "Pancakes 2024-01-10"};
    QTest::newRow("after the last day") << QDate(2024, 2, 1) << QStringList{};
}

void TestQuery::plannedRecipesFromADate()
{
    QFETCH(QDate, from);
    QFETCH(QStringList, expected);

    EngineFixture f;
    plan(f);
    TQuery query(f.db);
    query.setSql(QString::fromLatin1(kPlannedFrom));
    query.bindValue(QStringLiteral("from"), from);
    query.open();
    QCOMPARE(query.recordCount(), expected.size());
    QStringList rows;
    for (query.first(); !query.eof(); query.next())
        rows << query.fieldByName("Name").asString() + QLatin1Char(' ')
                    + query.fieldByName("Date").asDate().toString(Qt::ISODate);
    QCOMPARE(rows, expected);
}

void TestQuery::fileNamesInAnyCase_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("rows");

    QTest::newRow("DAY.DB") << "SELECT * FROM \"DAY.DB\"" << 5;
    QTest::newRow("day.db with alias") << "SELECT d.\"Date\" FROM \"day.db\" d WHERE d.\"Recipe_ID\" = '6'" << 2;
    QTest::newRow("Rec_ingr.DB and RECIPE.DB")
        << "SELECT I.\"Amount\" FROM \"Rec_ingr.DB\" I, \"RECIPE.DB\" R WHERE I.\"Recipe_ID\" = R.\"Recipe_ID\"" << 2;
}

void TestQuery::fileNamesInAnyCase()
{
    QFETCH(QString, sql);
    QFETCH(int, rows);

    EngineFixture f;
    plan(f);
    f.addLine("6", "1", 0, "2");
    f.addLine("15", "1", 0, "1");
    TQuery query(f.db);
    query.setSql(sql);
    query.open();
    QCOMPARE(query.recordCount(), rows);
}

void TestQuery::onlySelectIsRun_data()
{
    QTest::addColumn<QString>("sql");

    QTest::newRow("delete") << "DELETE FROM \"Recipe.DB\"";
    QTest::newRow("update") << "UPDATE \"Recipe.DB\" SET \"Name\" = 'x'";
    QTest::newRow("syntax error") << "SELECT FROM WHERE";
    QTest::newRow("two statements") << "SELECT 1; DELETE FROM \"Recipe.DB\"";
}

void TestQuery::onlySelectIsRun()
{
    QFETCH(QString, sql);

    EngineFixture f;
    plan(f);
    TQuery query(f.db);
    query.setSql(sql);
    QVERIFY(raisedError([&] { query.open(); }).category() != 0);
    QVERIFY(!query.isActive());
    QCOMPARE(f.count("Recipe"), 3);
    QCOMPARE(f.scalar("SELECT Name FROM Recipe WHERE Recipe_ID = '6'").toString(), QStringLiteral("Chili"));
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
