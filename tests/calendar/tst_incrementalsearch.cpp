#include "TestSupport.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "ui/incremen.h"

#include <QListWidget>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

// A search box over a recipe table of its own, ordered by name, that counts every move of the
// table: each search moves it exactly once.
class SearchFixture {
public:
    SearchFixture()
    {
        db.open();
        db.addPassword(QString::fromLatin1(Schema::kTablePassword));
        QSqlQuery q(db.connection());
        q.prepare(QStringLiteral("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\") VALUES (?, ?)"));
        int id = 1;
        for (const char *name : {"Apple Pie", "Beef Stew", "Cheese Scones", "Chicken Curry", "Chili", "Lasagne"}) {
            q.addBindValue(QString::number(id++));
            q.addBindValue(QString::fromLatin1(name));
            q.exec();
        }
        recipes.setTableName(QStringLiteral("Recipe.DB"));
        recipes.setIndexFieldNames(QStringLiteral("Name"));
        recipes.open();
        recipes.afterScroll = [this](TDataSet &) { ++searches; };
        box.setDataSource(&source);
        box.show();
        box.setFocus();
    }

    QString current() { return recipes.fieldByName(QStringLiteral("Name")).asString(); }
    // Waits out the pause after typing.
    void pause() { QTest::qWait(box.TimerIntervalIndex() + 150); }

    TempEnvironment env;
    TDatabase db;
    TTable recipes{db};
    TDataSource source{&recipes};
    TIncrementalSearch box;
    int searches = 0;
};

class TestIncrementalSearch : public QObject {
    Q_OBJECT
private slots:
    void init() { m_fixture = std::make_unique<SearchFixture>(); }
    void cleanup() { m_fixture.reset(); }
    void defaults();
    void burstOfKeysRunsOneSearch();
    void textBackToTheLastSearchRunsNone();
    void emptiedTextSearchesFromTheStart();
    void clearingRunsNoSearch();
    void openingOrClosingTheTableEmptiesTheBox();
    void inactiveLinkDiscardsTypedCharacters();
    void searchFieldFiltersTypedCharacters();
    void navigationKeys_data();
    void navigationKeys();
    void forgetsARemovedNavigationControl();

private:
    std::unique_ptr<SearchFixture> m_fixture;
};

void TestIncrementalSearch::defaults()
{
    TIncrementalSearch box;
    QCOMPARE(box.TimerIntervalSQL(), 700);
    QCOMPARE(box.TimerIntervalIndex(), 250);
    QCOMPARE(box.text(), QString());
    QCOMPARE(box.SearchFieldName(), QString());
    QVERIFY(!box.NavigationControl());
    QCOMPARE(m_fixture->box.SearchField().fieldName(), QStringLiteral("Name"));
}

void TestIncrementalSearch::burstOfKeysRunsOneSearch()
{
    SearchFixture &f = *m_fixture;
    QTest::keyClicks(&f.box, "ch");
    QCOMPARE(f.searches, 0);
    QVERIFY(f.box.isSearchPending());

    f.pause();

    QCOMPARE(f.searches, 1);
    QCOMPARE(f.current(), QStringLiteral("Cheese Scones"));
    QVERIFY(!f.box.isSearchPending());
    QTest::keyClicks(&f.box, "i");
    f.pause();
    QCOMPARE(f.searches, 2);
    QCOMPARE(f.current(), QStringLiteral("Chicken Curry"));
}

void TestIncrementalSearch::textBackToTheLastSearchRunsNone()
{
    SearchFixture &f = *m_fixture;
    QTest::keyClicks(&f.box, "be");
    f.pause();
    f.recipes.first();
    f.searches = 0;

    QTest::keyClicks(&f.box, "x");
    QTest::keyClick(&f.box, Qt::Key_Backspace);
    f.pause();

    QCOMPARE(f.box.text(), QStringLiteral("be"));
    QCOMPARE(f.searches, 0);
    QCOMPARE(f.current(), QStringLiteral("Apple Pie"));
}

void TestIncrementalSearch::emptiedTextSearchesFromTheStart()
{
    SearchFixture &f = *m_fixture;
    QTest::keyClicks(&f.box, "l");
    f.pause();
    QCOMPARE(f.current(), QStringLiteral("Lasagne"));

    QTest::keyClick(&f.box, Qt::Key_Backspace);
    f.pause();

    QCOMPARE(f.searches, 2);
    QCOMPARE(f.current(), QStringLiteral("Apple Pie"));
}

void TestIncrementalSearch::clearingRunsNoSearch()
{
    SearchFixture &f = *m_fixture;
    QTest::keyClicks(&f.box, "li");
    QVERIFY(f.box.isSearchPending());

    f.box.Clear();
    f.pause();

    QCOMPARE(f.box.text(), QString());
    QCOMPARE(f.searches, 0);
    QTest::keyClicks(&f.box, "x");
    QTest::keyClick(&f.box, Qt::Key_Backspace);
    f.pause();
    QCOMPARE(f.searches, 0);  // back to the text of the last search, which Clear emptied
}

void TestIncrementalSearch::openingOrClosingTheTableEmptiesTheBox()
{
    SearchFixture &f = *m_fixture;
    QTest::keyClicks(&f.box, "ch");
    f.pause();
    f.searches = 0;
    f.box.setText(QStringLiteral("chil"));

    f.recipes.close();
    QCOMPARE(f.box.text(), QString());
    QVERIFY(!f.box.isSearchPending());
    f.box.setText(QStringLiteral("ap"));
    f.recipes.open();

    QCOMPARE(f.box.text(), QString());
    f.pause();
    QCOMPARE(f.searches, 0);
}

void TestIncrementalSearch::inactiveLinkDiscardsTypedCharacters()
{
    SearchFixture &f = *m_fixture;
    f.recipes.close();

    QTest::keyClicks(&f.box, "be");

    QCOMPARE(f.box.text(), QString());
    TIncrementalSearch unbound;
    QTest::keyClicks(&unbound, "be");
    QCOMPARE(unbound.text(), QString());
}

void TestIncrementalSearch::searchFieldFiltersTypedCharacters()
{
    SearchFixture &f = *m_fixture;
    TTable days(f.db);
    days.setTableName(QStringLiteral("DAY.DB"));
    days.open();
    TDataSource daySource(&days);
    f.box.setDataSource(&daySource);
    f.box.setSearchFieldName(QStringLiteral("Servings"));

    QTest::keyClicks(&f.box, "a1b-2 ");
    QTest::keyClick(&f.box, Qt::Key_Backspace);

    QCOMPARE(f.box.text(), QStringLiteral("1-"));
    f.box.setDataSource(&f.source);
}

void TestIncrementalSearch::navigationKeys_data()
{
    QTest::addColumn<bool>("withControl");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expectedRow");
    QTest::newRow("Down to the control") << true << int(Qt::Key_Down) << 2;
    QTest::newRow("Up to the control") << true << int(Qt::Key_Up) << 0;
    QTest::newRow("Page Down to the control") << true << int(Qt::Key_PageDown) << 3;
    QTest::newRow("Down without a control") << false << int(Qt::Key_Down) << 1;
}

void TestIncrementalSearch::navigationKeys()
{
    QFETCH(bool, withControl);
    QFETCH(int, key);
    QFETCH(int, expectedRow);
    SearchFixture &f = *m_fixture;
    QListWidget list;
    list.addItems({"a", "b", "c", "d"});
    list.setCurrentRow(1);
    if (withControl)
        f.box.setNavigationControl(&list);
    QTest::keyClicks(&f.box, "ch");
    f.box.setCursorPosition(1);

    QTest::keyClick(&f.box, Qt::Key(key), Qt::ShiftModifier);
    QCoreApplication::processEvents();

    QCOMPARE(list.currentRow(), expectedRow);
    QCOMPARE(f.box.text(), QStringLiteral("ch"));
    QCOMPARE(f.box.hasSelectedText(), false);  // Shift with the key went nowhere in the box
}

void TestIncrementalSearch::forgetsARemovedNavigationControl()
{
    SearchFixture &f = *m_fixture;
    auto list = std::make_unique<QListWidget>();
    f.box.setNavigationControl(list.get());

    list.reset();

    QVERIFY(!f.box.NavigationControl());
    QTest::keyClick(&f.box, Qt::Key_Down);
}

QTEST_MAIN(TestIncrementalSearch)
#include "tst_incrementalsearch.moc"
