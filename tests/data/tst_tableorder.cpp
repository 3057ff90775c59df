// Order of table views: text keys, index fields and names, placement of posted rows, and
// table names given in any letter case or with any extension.

#include "EngineFixture.h"

#include <QRandomGenerator>

class TestTableOrder : public QObject {
    Q_OBJECT
private slots:
    void orderByIndex_data();
    void orderByIndex();
    void postedRowsTakeTheirPlace_data();
    void postedRowsTakeTheirPlace();
    void editedKeyMovesTheRow();
    void tableNames_data();
    void tableNames();
    void unknownTableOrIndex();
};

void TestTableOrder::orderByIndex_data()
{
    QTest::addColumn<QString>("indexFieldNames");
    QTest::addColumn<QString>("indexName");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Name ignores letter case") << "Name" << "" << "Name"
                                              << QStringList{"apple crumble", "Banana bread", "cherry pie", "Date loaf"};
    // Keys are decimal numbers written as text, and order as text.
    QTest::newRow("primary key when nothing is named") << "" << "" << "Recipe_ID" << QStringList{"15", "150", "6", "7"};
    QTest::newRow("index by name") << "" << "byName" << "Name"
                                   << QStringList{"apple crumble", "Banana bread", "cherry pie", "Date loaf"};
}

void TestTableOrder::orderByIndex()
{
    QFETCH(QString, indexFieldNames);
    QFETCH(QString, indexName);
    QFETCH(QString, field);
    QFETCH(QStringList, expected);

    EngineFixture f;
    f.addRecipe("6", "cherry pie");
    f.addRecipe("150", "Banana bread");
    f.addRecipe("7", "Date loaf");
    f.addRecipe("15", "apple crumble");
    auto view = f.table(QStringLiteral("Recipe.DB"), indexFieldNames);
    if (!indexName.isEmpty())
        view->setIndexName(indexName);
    view->open();
    QCOMPARE(column(*view, field), expected);
}

void TestTableOrder::postedRowsTakeTheirPlace_data()
{
    QTest::addColumn<QString>("indexFieldNames");
    QTest::addColumn<QStringList>("names");

    // Letters, digits, punctuation and characters beyond ASCII and beyond the 16-bit range:
    // the view places posted rows itself and must agree with the order the database reads.
    const QStringList names{"zucchini", "Zebra cake", "éclair", "Éclair", "apple", "Apple", "_under", "[bracket]",
                            "10 minute soup", "9 minute soup", "\u00df cookies", "\U0001F600 smile", "\uFB01 figs",
                            "", "a", "A", "ab", "Ab"};
    QTest::newRow("by Name, ignoring case") << "Name" << names;
    QTest::newRow("by Category, case sensitive") << "Category" << names;
}

void TestTableOrder::postedRowsTakeTheirPlace()
{
    QFETCH(QString, indexFieldNames);
    QFETCH(QStringList, names);

    EngineFixture f;
    auto view = f.openTable(QStringLiteral("Recipe.DB"), indexFieldNames);
    QRandomGenerator random(42);
    int key = 0;
    for (int round = 0; round < 3; ++round) {
        QStringList shuffled = names;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        for (const QString &name : shuffled) {
            view->insert();
            view->fieldByName("Recipe_ID").setAsString(QString::number(key++ * 7919 % 1000));
            view->fieldByName(indexFieldNames).setAsString(name);
            view->post();
            QCOMPARE(view->fieldByName(indexFieldNames).asString(), name);
        }
    }
    const QStringList placed = column(*view, "Recipe_ID");
    auto reread = f.openTable(QStringLiteral("Recipe.DB"), indexFieldNames);
    QCOMPARE(placed, column(*reread, "Recipe_ID"));
}

void TestTableOrder::editedKeyMovesTheRow()
{
    EngineFixture f;
    f.addRecipe("1", "Apple");
    f.addRecipe("2", "Banana");
    f.addRecipe("3", "Cherry");
    auto view = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    view->edit();
    view->fieldByName("Name").setAsString("Zabaglione");
    view->post();
    QCOMPARE(view->recNo(), 2);
    QCOMPARE(view->fieldByName("Recipe_ID").asString(), QStringLiteral("1"));
    QCOMPARE(column(*view, "Name"), (QStringList{"Banana", "Cherry", "Zabaglione"}));
}

void TestTableOrder::tableNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("rows");

    QTest::newRow("Recipe.DB") << "Recipe.DB" << 2;
    QTest::newRow("RECIPE.DB") << "RECIPE.DB" << 2;
    QTest::newRow("recipe without extension") << "recipe" << 2;
    QTest::newRow("REC_INGR.DB") << "REC_INGR.DB" << 3;
    QTest::newRow("Rec_ingr.DB") << "Rec_ingr.DB" << 3;
    QTest::newRow("DAY.DB") << "DAY.DB" << 1;
    QTest::newRow("Day.db") << "Day.db" << 1;
    QTest::newRow("TempDAY.db") << "TempDAY.db" << 0;
    QTest::newRow("LCooktime.db") << "LCooktime.db" << -1;
}

void TestTableOrder::tableNames()
{
    QFETCH(QString, fileName);
    QFETCH(int, rows);

    EngineFixture f;
    f.addRecipe("1", "Soup");
    f.addRecipe("2", "Stew");
    f.addLine("1", "1", 0);
    f.addLine("1", "2", 1);
    f.addLine("2", "1", 0);
    f.addDay(QDate(2024, 3, 1), "1");
    auto view = f.openTable(fileName);
    QVERIFY(view->isActive());
    if (rows >= 0)
        QCOMPARE(view->recordCount(), rows);
    else
        QVERIFY(view->recordCount() > 0);
}

void TestTableOrder::unknownTableOrIndex()
{
    EngineFixture f;
    auto missingTable = f.table(QStringLiteral("Nothing.db"));
    QCOMPARE(raisedError([&] { missingTable->open(); }).category(), int(EngineError::CatNotFound));
    auto missingIndex = f.table(QStringLiteral("DAY.DB"));
    missingIndex->setIndexName(QStringLiteral("byNothing"));
    QCOMPARE(raisedError([&] { missingIndex->open(); }).category(), int(EngineError::CatNotFound));
}

QTEST_GUILESS_MAIN(TestTableOrder)
#include "tst_tableorder.moc"
