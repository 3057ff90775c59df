// Filter expressions on table views: quoting, "or", "and", parentheses, blanks, dates, and
// expressions the engine refuses.

#include "EngineFixture.h"
#include "data/DateText.h"
#include "data/FilterParser.h"

#include <sqlite3.h>

class TestFilters : public QObject {
    Q_OBJECT
private slots:
    void filter_data();
    void filter();
    void rejectedFilterKeepsTheOldOne_data();
    void rejectedFilterKeepsTheOldOne();
    void postedRowOutsideTheFilter();
    void dateFilter();
    void refilteringKeepsNoStatementPerFilter();
};

namespace {

struct Recipes {
    EngineFixture f;
    std::unique_ptr<TTable> view;

    Recipes()
    {
        f.addRecipe("1", "O'Brien's Stew", "Beef");
        f.addRecipe("2", "Apple pie", "Desserts");
        f.addRecipe("3", "Fish cakes", "Fish");
        f.addRecipe("4", "Plain rice");
        f.addRecipe("5", "Beef and beer", "Beef");
        f.addRecipe("6", "beef tea", "beef");
        view = f.table(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
        view->setFiltered(true);
        view->open();
        // Low enough to reach in a test; the system library allows hundreds of thousands.
        sqlite3_limit(f.db.handle(), SQLITE_LIMIT_VARIABLE_NUMBER, kValueLimit);
    }
    static constexpr int kValueLimit = 2000;
};

} // namespace

void TestFilters::filter_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QStringList>("expected");

    const QStringList all{"Apple pie", "Beef and beer", "beef tea", "Fish cakes", "O'Brien's Stew", "Plain rice"};
    QTest::newRow("empty passes every row") << "" << all;
    QTest::newRow("blank expression") << "   " << all;
    QTest::newRow("equality, case sensitive") << "Category = 'Beef'" << QStringList{"Beef and beer", "O'Brien's Stew"};
    QTest::newRow("doubled quote") << "Name = 'O''Brien''s Stew'" << QStringList{"O'Brien's Stew"};
    QTest::newRow("quoted by the helper") << "Name = " + FilterParser::quotedText("O'Brien's Stew")
                                          << QStringList{"O'Brien's Stew"};
    QTest::newRow("qualified field name") << "Recipe.Category = 'Fish'" << QStringList{"Fish cakes"};
    QTest::newRow("or") << "Category = 'Fish' or Category = 'Desserts'" << QStringList{"Apple pie", "Fish cakes"};
    QTest::newRow("OR in capitals") << "Category = 'Fish' OR Category = 'Desserts'"
                                    << QStringList{"Apple pie", "Fish cakes"};
    QTest::newRow("and binds tighter than or")
        << "Category = 'Fish' or Category = 'Beef' and Recipe_ID = '5'" << QStringList{"Beef and beer", "Fish cakes"};
    QTest::newRow("parentheses") << "(Category = 'Fish' or Category = 'Beef') and Recipe_ID <> '5'"
                                 << QStringList{"Fish cakes", "O'Brien's Stew"};
    QTest::newRow("blank equals empty text") << "Category = ''" << QStringList{"Plain rice"};
    QTest::newRow("not equal keeps blank fields")
        << "Category <> 'Beef'" << QStringList{"Apple pie", "beef tea", "Fish cakes", "Plain rice"};
    QTest::newRow("not") << "not (Category = 'Beef' or Category = 'beef')"
                         << QStringList{"Apple pie", "Fish cakes", "Plain rice"};
    QTest::newRow("text range") << "Recipe_ID >= '3' and Recipe_ID < '5'" << QStringList{"Fish cakes", "Plain rice"};
    QTest::newRow("value that looks like SQL") << "Name = 'x'' or ''1''=''1'" << QStringList{};

    // A report of many ticked recipes joins their names with "or"; SQLite refuses an
    // expression tree deeper than 1000 and overflows its parser below a hundred parentheses.
    QStringList names;
    for (int i = 0; i < 1500; ++i)
        names << QStringLiteral("Name = 'Unlisted %1'").arg(i);
    QTest::newRow("fifteen hundred alternatives")
        << names.join(" or ") + " or Name = 'Apple pie' or Category = 'Fish'" << QStringList{"Apple pie", "Fish cakes"};
    QTest::newRow("fifteen hundred conditions")
        << names.join(" and ").replace(" = ", " <> ") + " and Category = 'Beef'"
        << QStringList{"Beef and beer", "O'Brien's Stew"};
    QTest::newRow("63 negations") << QString("not ").repeated(63) + "Category = 'Beef'"
                                  << QStringList{"Apple pie", "beef tea", "Fish cakes", "Plain rice"};
    QTest::newRow("63 parentheses") << QString("(").repeated(63) + "Category = 'Fish'" + QString(")").repeated(63)
                                    << QStringList{"Fish cakes"};
}

void TestFilters::filter()
{
    QFETCH(QString, expression);
    QFETCH(QStringList, expected);

    Recipes data;
    data.view->setFilter(expression);
    QCOMPARE(column(*data.view, "Name"), expected);
    QCOMPARE(data.view->recordCount(), expected.size());

    // The same expression set before opening gives the same rows.
    auto fresh = data.f.table(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    fresh->setFilter(expression);
    fresh->setFiltered(true);
    fresh->open();
    QCOMPARE(column(*fresh, "Name"), expected);
}

void TestFilters::rejectedFilterKeepsTheOldOne_data()
{
    QTest::addColumn<QString>("expression");

    QTest::newRow("unterminated quote") << "Category = 'Beef";
    QTest::newRow("single quote not doubled") << "Name = 'O'Brien'";
    QTest::newRow("unknown field") << "Cuisine = 'Irish'";
    QTest::newRow("missing operator") << "Category 'Beef'";
    QTest::newRow("missing value") << "Category =";
    QTest::newRow("dangling or") << "Category = 'Beef' or";
    QTest::newRow("unbalanced parenthesis") << "(Category = 'Beef'";
    QTest::newRow("stray parenthesis") << "Category = 'Beef')";
    QTest::newRow("unknown character") << "Category = 'Beef'; DROP TABLE Recipe";
    QTest::newRow("field against field") << "Category = Name";
    QTest::newRow("64 parentheses") << QString("(").repeated(64) + "Category = 'Fish'" + QString(")").repeated(64);
    QTest::newRow("64 negations") << QString("not ").repeated(64) + "Category = 'Beef'";
    QStringList manyKeys;
    for (int i = 0; i <= Recipes::kValueLimit; ++i)
        manyKeys << QStringLiteral("Recipe_ID = '%1'").arg(i);
    QTest::newRow("more values than one statement binds") << manyKeys.join(" or ");
}

void TestFilters::rejectedFilterKeepsTheOldOne()
{
    QFETCH(QString, expression);

    Recipes data;
    const QString old = QStringLiteral("Category = 'Beef'");
    data.view->setFilter(old);
    data.view->last();

    int category = 0;
    try {
        data.view->setFilter(expression);
    } catch (const EngineError &e) {
        category = e.category();
    }
    QCOMPARE(category, int(EngineError::CatSyntax));
    QCOMPARE(data.view->filter(), old);
    QCOMPARE(data.view->fieldByName("Name").asString(), QStringLiteral("O'Brien's Stew"));
    QCOMPARE(column(*data.view, "Name"), (QStringList{"Beef and beer", "O'Brien's Stew"}));
    data.view->refresh();
    QCOMPARE(data.view->recordCount(), 2);
    QCOMPARE(data.f.count("Recipe"), 6);
}

void TestFilters::postedRowOutsideTheFilter()
{
    Recipes data;
    data.view->setFilter(QStringLiteral("Category = 'Beef'"));
    data.view->insert();
    data.view->fieldByName("Recipe_ID").setAsString("7");
    data.view->fieldByName("Name").setAsString("Aardvark surprise");
    data.view->fieldByName("Category").setAsString("Game");
    data.view->post();
    QCOMPARE(column(*data.view, "Name"), (QStringList{"Beef and beer", "O'Brien's Stew"}));
    QCOMPARE(data.f.count("Recipe"), 7);

    data.view->insert();
    data.view->fieldByName("Recipe_ID").setAsString("8");
    data.view->fieldByName("Name").setAsString("Corned beef");
    data.view->fieldByName("Category").setAsString("Beef");
    data.view->post();
    QCOMPARE(data.view->fieldByName("Name").asString(), QStringLiteral("Corned beef"));
    QCOMPARE(column(*data.view, "Name"), (QStringList{"Beef and beer", "Corned beef", "O'Brien's Stew"}));

    // An edit that takes the row out of the filter removes it from the view.
    QVERIFY(data.view->locate("Name", "Corned beef"));
    data.view->edit();
    data.view->fieldByName("Category").setAsString("Pork");
    data.view->post();
    QCOMPARE(column(*data.view, "Name"), (QStringList{"Beef and beer", "O'Brien's Stew"}));
}

void TestFilters::dateFilter()
{
    EngineFixture f;
    f.addDay(QDate(2024, 2, 28), "1");
    f.addDay(QDate(2024, 3, 1), "2");
    f.addDay(QDate(2024, 12, 31), "3");
    f.addDay(QDate(2025, 1, 2), "4");
    auto days = f.table(QStringLiteral("DAY.DB"), QStringLiteral("Date"));
    days->setFiltered(true);
    days->open();
    // The windows write dates in the user's short form.
    days->setFilter(QStringLiteral("Date >= '%1' and Date <= '%2'")
                        .arg(DateText::toDisplay(QDate(2024, 3, 1)), DateText::toDisplay(QDate(2024, 12, 31))));
    QCOMPARE(column(*days, "Recipe_ID"), (QStringList{"2", "3"}));
    days->setFilter(QStringLiteral("Date > '2024-12-31'"));
    QCOMPARE(column(*days, "Recipe_ID"), QStringList{"4"});
    QCOMPARE(raisedError([&] { days->setFilter(QStringLiteral("Date = '31/31/2024'")); }).category(),
             int(EngineError::CatSyntax));
    QCOMPARE(days->recordCount(), 1);
}

// A window that filters a view anew at every keystroke, posting now and then, must not keep
// a prepared statement for every filter it has ever had.
void TestFilters::refilteringKeepsNoStatementPerFilter()
{
    Recipes data;
    auto liveStatements = [&data] {
        int count = 0;
        for (sqlite3_stmt *s = sqlite3_next_stmt(data.f.db.handle(), nullptr); s; s = sqlite3_next_stmt(data.f.db.handle(), s))
            ++count;
        return count;
    };
    int afterFirstRound = 0;
    for (int i = 0; i < 40; ++i) {
        // Values are bound, so only filters of another shape make other statements.
        data.view->setFilter(QStringLiteral("Name <> 'Round %1'").arg(i) + QString(" and Name <> ''").repeated(i));
        data.view->insert();
        data.view->fieldByName("Recipe_ID").setAsString(QStringLiteral("r%1").arg(i));
        data.view->fieldByName("Name").setAsString(QStringLiteral("Round %1").arg(i));
        data.view->post();  // outside the filter: the view checks the row against it
        QCOMPARE(data.view->recordCount(), 6 + i);
        if (i == 0)
            afterFirstRound = liveStatements();
    }
    QCOMPARE(liveStatements(), afterFirstRound);
}

QTEST_GUILESS_MAIN(TestFilters)
#include "tst_filters.moc"
