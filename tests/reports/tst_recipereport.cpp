#include "ReportFixture.h"
#include "data/DateText.h"
#include "data/EngineError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

// The rows of a test that runs on the full and on the small recipe.
void addBothLayouts()
{
    QTest::addColumn<bool>("small");
    QTest::newRow("full recipe") << false;
    QTest::newRow("small recipe") << true;
}

QString longInstructions(int sentences)
{
    QStringList paragraphs;
    for (int i = 1; i <= sentences; ++i)
        paragraphs << QStringLiteral("Step %1: stir the pot gently and keep the heat low for another minute.").arg(i);
    return paragraphs.join(QLatin1Char('\n'));
}

} // namespace

class TestRecipeReport : public QObject {
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fixture;

    TdmMain1 &dm() { return m_fixture->dm(); }

private slots:
    void init() { m_fixture = std::make_unique<ReportFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void eachRecipePrintsItsBandThenHeadingsThenLines()
    {
        m_fixture->addRecipe({QStringLiteral("Stew"), {{"Beef", "1", "lb", "diced"}, {"Onion", "2", "whole", "chopped"}}});
        m_fixture->addRecipe({QStringLiteral("Soup"), {{"Leek", "1", "", ""}, {"Salt", "1", "pinch", ""}, {"Water", "1", "l", ""}}});
        TqrRecipe report(dm());
        report.prepareFiltered(QString());
        QCOMPARE(report.pageCount(), 2);
        QCOMPARE(bandSequence(report.page(0)), (QStringList{"Detail", "Child", "Sub", "Sub"}));
        QCOMPARE(bandSequence(report.page(1)), (QStringList{"Detail", "Child", "Sub", "Sub", "Sub"}));
        QCOMPARE(report.page(0).textsOf("dbName"), QStringList{"Stew"});
        QCOMPARE(report.page(1).textsOf("dbIngredient"), (QStringList{"Leek", "Salt", "Water"}));
        // Bands follow one another down the page without gaps or overlaps.
        const QList<PlacedBand> bands = report.page(1).bands;
        for (int i = 1; i < bands.size(); ++i)
            QCOMPARE(bands[i].top, bands[i - 1].top + bands[i - 1].height);
    }

    void onlyTheFullRecipeStartsAPagePerRecipe_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("pages");
        QTest::newRow("full recipe") << false << 3;
        QTest::newRow("small recipe") << true << 1;
    }
    void onlyTheFullRecipeStartsAPagePerRecipe()
    {
        QFETCH(bool, small);
        QFETCH(int, pages);
        for (const char *name : {"Pie", "Tart", "Flan"})
            m_fixture->addRecipe({QString::fromLatin1(name), {{"Flour", "2", "cup", ""}}});
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        QCOMPARE(report->pageCount(), pages);
        QCOMPARE(printedTexts(*report, "dbName"), (QStringList{"Pie", "Tart", "Flan"}));
        QVERIFY(!report->page(0).isEmpty());
    }

    void aRecipeWithoutLinesStillPrintsOneEmptyLine_data() { addBothLayouts(); }
    void aRecipeWithoutLinesStillPrintsOneEmptyLine()
    {
        QFETCH(bool, small);
        m_fixture->addRecipe({QStringLiteral("Toast")});
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        const ReportPage &page = report->page(0);
        QCOMPARE(bandSequence(page), (QStringList{"Detail", "Child", "Sub"}));
        for (const char *field : {"dbAmount", "dbMeasurement", "dbDescription", "dbIngredient"})
            QCOMPARE(page.textsOf(QString::fromLatin1(field)), QStringList{QString()});
        QCOMPARE(page.textsOf("lbIngredients"), QStringList{"Ingredients"});
    }

    void linesComeInTheirOrderNotInKeyOrder_data() { addBothLayouts(); }
    void linesComeInTheirOrderNotInKeyOrder()
    {
        QFETCH(bool, small);
        // Keys are compared as text ("10" sorts before "2"), and the lines were entered in
        // neither their key order nor the order they are given afterwards.
        for (int i = 0; i <= 10; ++i)
            m_fixture->addIngredient(QStringLiteral("Ingredient %1").arg(i));
        QStringList names;
        for (const char *key : {"2", "10", "5"})
            names << dm().tblIngredientLookup.lookup("Ingredient_ID", key, "Ingredient").toString();
        QVERIFY(!names.contains(QString()));
        const QString id = m_fixture->addRecipe({QStringLiteral("Mix"), {{names[0], "1", "", ""}, {names[1], "2", "", ""},
                                                                      {names[2], "3", "", ""}}});
        QSqlQuery reorder(dm().Database1.connection());
        reorder.prepare("UPDATE \"REC_INGR\" SET \"Order\" = ? WHERE \"Recipe_ID\" = ? AND \"Ingredient_ID\" = ?");
        for (const auto &[order, key] : {std::pair{5, "2"}, {9, "10"}, {0, "5"}}) {
            reorder.addBindValue(order);
            reorder.addBindValue(id);
            reorder.addBindValue(QString::fromLatin1(key));
            QVERIFY2(reorder.exec(), qPrintable(reorder.lastError().text()));
        }
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        QCOMPARE(report->page(0).textsOf("dbIngredient"), (QStringList{names[2], names[0], names[1]}));
        QCOMPARE(report->page(0).textsOf("dbAmount"), (QStringList{"3", "1", "2"}));
    }

    void theAssignedColumnPrintsOnlyWhenEnabled()
    {
        const QString id = m_fixture->addRecipe({QStringLiteral("Chili")});
        m_fixture->plan(QDate(2024, 3, 5), id);
        TqrRecipe report(dm());
        report.prepareFiltered(QString());
        QVERIFY(report.page(0).itemsNamed("lbDate").isEmpty());
        QVERIFY(report.page(0).itemsNamed("dbDate").isEmpty());
        QCOMPARE(report.page(0).textsOf("lbPrepTime"), QStringList{"Prep Time"});

        report.setAssignedDateShown(true);
        QCOMPARE(report.page(0).textsOf("lbDate"), QStringList{"Assigned"});
        QCOMPARE(report.page(0).textsOf("dbDate"), QStringList{DateText::toDisplay(QDate(2024, 3, 5))});
    }

    void assignedDateIsTheFirstPlannedDayInTheRange_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("no range") << QDate() << QDate() << QDate(2024, 2, 1);
        QTest::newRow("range holds two days") << QDate(2024, 3, 1) << QDate(2024, 3, 31) << QDate(2024, 3, 5);
        QTest::newRow("open start") << QDate() << QDate(2024, 2, 28) << QDate(2024, 2, 1);
        QTest::newRow("open end") << QDate(2024, 3, 10) << QDate() << QDate(2024, 3, 20);
        QTest::newRow("no day in range") << QDate(2024, 5, 1) << QDate(2024, 5, 31) << QDate(2024, 2, 1);
    }
    void assignedDateIsTheFirstPlannedDayInTheRange()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QDate, shown);
        const QString id = m_fixture->addRecipe({QStringLiteral("Chili")});
        // Entered out of date order, so that the first row of the index is not the earliest day.
        for (const QDate &day : {QDate(2024, 3, 20), QDate(2024, 3, 5), QDate(2024, 2, 1)})
            m_fixture->plan(day, id);
        TqrRecipeSmall report(dm());
        report.setAssignedDateShown(true);
        report.setAssignedRange(from, to);
        report.prepareFiltered(QString());
        QCOMPARE(report.page(0).textsOf("dbDate"), QStringList{DateText::toDisplay(shown)});
    }

    void theFilterSelectsTheRecipes_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("empty filter") << QString() << QStringList{"O'Brien's Stew", "Pasta Bake", "Stew"};
        QTest::newRow("quote inside a name")
            << QStringLiteral("Name = 'O''Brien''s Stew' ") << QStringList{"O'Brien's Stew"};
        QTest::newRow("two names") << QStringLiteral("Name = 'Stew' or Name = 'O''Brien''s Stew' ")
                                   << QStringList{"O'Brien's Stew", "Stew"};
        QTest::newRow("category") << QStringLiteral("Category = 'Pasta'") << QStringList{"Pasta Bake"};
        QTest::newRow("nothing matches") << QStringLiteral("Name = 'Trifle'") << QStringList{};
    }
    void theFilterSelectsTheRecipes()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, printed);
        m_fixture->addRecipe({QStringLiteral("O'Brien's Stew")});
        RecipeEntry pasta{QStringLiteral("Pasta Bake")};
        pasta.category = QStringLiteral("Pasta");
        m_fixture->addRecipe(pasta);
        m_fixture->addRecipe({QStringLiteral("Stew")});
        TqrRecipe report(dm());
        report.prepareFiltered(filter);
        QCOMPARE(printedTexts(report, "dbName"), printed);
        QCOMPARE(report.pageCount(), std::max<int>(1, int(printed.size())));
    }

    void anInvalidFilterRaisesTheEngineError()
    {
        m_fixture->addRecipe({QStringLiteral("O'Brien's Stew")});
        TqrRecipe report(dm());
        // A quote that is not doubled ends the value early.
        QVERIFY_THROWS_EXCEPTION(EngineError, report.prepareFiltered(QStringLiteral("Name = 'O'Brien''s Stew'")));
    }

    void longInstructionsContinueOnTheNextPage_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("sentences");
        QTest::newRow("full recipe") << false << 80;
        QTest::newRow("small recipe") << true << 400;
    }
    void longInstructionsContinueOnTheNextPage()
    {
        QFETCH(bool, small);
        QFETCH(int, sentences);
        RecipeEntry recipe{QStringLiteral("Slow Roast"), {{"Lamb", "2", "kg", ""}}};
        recipe.instructions = longInstructions(sentences);
        m_fixture->addRecipe(recipe);
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        QVERIFY(report->pageCount() >= 2);
        QCOMPARE(words(printedTexts(*report, "dbInstructions")), words({recipe.instructions}));
        QCOMPARE(bandSequence(report->page(1)).value(0), QStringLiteral("Detail+"));
        QCOMPARE(printedTexts(*report, "dbName").size(), 1);
        const double bottom = report->bodyRect().bottom() + 1e-6;
        for (int page = 0; page < report->pageCount(); ++page)
            for (const PlacedItem &item : report->page(page).items)
                QVERIFY2(item.rect.bottom() <= bottom, qPrintable(item.name));
        // The ingredient headings and the line follow the end of the instructions.
        const QStringList last = bandSequence(report->page(report->pageCount() - 1));
        QCOMPARE(last.mid(last.size() - 2), (QStringList{"Child", "Sub"}));
    }

    void aLongValueIsSetSmallerRatherThanRunIntoTheNextColumn_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<QString>("meal");
        QTest::addColumn<bool>("shrinks");
        QTest::newRow("full recipe, long meal") << false << "Breakfast" << true;
        QTest::newRow("full recipe, short meal") << false << "Dinner" << false;
        QTest::newRow("small recipe, long meal") << true << "Breakfast" << true;
        QTest::newRow("small recipe, short meal") << true << "Lunch" << false;
    }
    void aLongValueIsSetSmallerRatherThanRunIntoTheNextColumn()
    {
        QFETCH(bool, small);
        QFETCH(QString, meal);
        QFETCH(bool, shrinks);
        RecipeEntry recipe{QStringLiteral("Pancakes")};
        recipe.meal = meal;
        m_fixture->addRecipe(recipe);
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        const ReportPage &page = report->page(0);
        const PlacedItem value = page.itemsNamed("dbMeal").value(0);
        const PlacedItem category = page.itemsNamed("dbCategory").value(0);
        QCOMPARE(value.text(), meal);
        QVERIFY(!category.text().isEmpty());
        QVERIFY(value.rect.right() < page.itemsNamed("dbServings").value(0).rect.left());
        QCOMPARE(value.style.pointSize < category.style.pointSize, shrinks);
        QCOMPARE(value.rect.top() + value.ascent, category.rect.top() + category.ascent);
    }

    void noTextOverlapsAnotherOrLeavesThePage_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<bool>("dated");
        QTest::newRow("full recipe") << false << false;
        QTest::newRow("full recipe, dated") << false << true;
        QTest::newRow("small recipe") << true << false;
        QTest::newRow("small recipe, dated") << true << true;
    }
    void noTextOverlapsAnotherOrLeavesThePage()
    {
        QFETCH(bool, small);
        QFETCH(bool, dated);
        // Every value as long as its field takes, in wide letters or in words.
        RecipeEntry recipe{QString(40, QLatin1Char('W')),
                           {{QString(40, QLatin1Char('M')), "1 1/2-2 ct", "lb package", "finely chopped fresh"},
                            {"boneless skinless chicken breast halves", "10", QString(10, QLatin1Char('W')),
                             QString(20, QLatin1Char('W'))}}};
        recipe.category = QStringLiteral("Vegetables & Side Dishes");
        recipe.meal = QStringLiteral("Sunday Brunch Buffet");
        recipe.servings = QStringLiteral("12 to 16 servings");
        recipe.cookTime = QString(20, QLatin1Char('W'));
        recipe.prepTime = QStringLiteral("overnight plus 2 hours");
        recipe.instructions = QStringLiteral("Mix.");
        m_fixture->plan(QDate(2024, 3, 5), m_fixture->addRecipe(recipe));
        auto report = recipeLayout(dm(), small);
        report->setAssignedDateShown(dated);
        report->prepareFiltered(QString());
        const QRectF body = report->bodyRect().adjusted(-0.01, -0.01, 0.01, 0.01);
        QList<PlacedItem> texts;
        for (const PlacedItem &item : report->page(0).items)
            if (item.kind != ItemKind::Line)
                texts << item;
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY2(body.contains(texts[i].rect), qPrintable(texts[i].name));
            for (int j = i + 1; j < texts.size(); ++j) {
                const QRectF common = texts[i].rect.intersected(texts[j].rect);
                QVERIFY2(common.width() * common.height() < 1e-6, qPrintable(texts[i].name + " " + texts[j].name));
            }
        }
        // Nothing of a value is lost on the way.
        auto printed = [&](const char *item) {
            return report->page(0).textsOf(QString::fromLatin1(item)).join(QString()).remove(QRegularExpression("\\s"));
        };
        for (const char *field : {"Name", "Category", "Meal", "Servings", "CookTime", "PrepTime"}) {
            QString stored = dm().tblRecipe.fieldByName(QString::fromLatin1(field)).asString();
            QCOMPARE(printed(qPrintable("db" + QString::fromLatin1(field))), stored.remove(QLatin1Char(' ')));
        }
        QCOMPARE(printed("dbDescription"), QStringLiteral("finelychoppedfresh") + QString(20, QLatin1Char('W')));
    }

    void itemsSitWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<double>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("color");
        const QColor navy(0, 0, 128);
        QTest::newRow("full name") << false << "dbName" << QPointF(15.9, 14.8) << 16.0 << true << QColor(Qt::black);
        QTest::newRow("full heading") << false << "lbCategory" << QPointF(15.3, 24.9) << 10.0 << true << navy;
        QTest::newRow("full prep time") << false << "dbPrepTime" << QPointF(99.0, 31.2) << 10.0 << false << QColor(Qt::black);
        QTest::newRow("full instructions") << false << "dbInstructions" << QPointF(15.3, 46.0) << 10.0 << false
                                           << QColor(Qt::black);
        QTest::newRow("small name") << true << "dbName" << QPointF(3.04, 6.57) << 10.0 << true << QColor(Qt::black);
        QTest::newRow("small heading") << true << "lbMeal" << QPointF(20.04, 10.77) << 8.0 << false << navy;
        QTest::newRow("small instructions") << true << "dbInstructions" << QPointF(3.04, 24.07) << 6.0 << false
                                            << QColor(Qt::black);
        QTest::newRow("small line column") << true << "lbMeasurement" << QPointF(22.14, 1.27 + 27.8 + 3.7) << 7.0
                                           << false << navy;
    }
    void itemsSitWhereTheLayoutPutsThem()
    {
        QFETCH(bool, small);
        QFETCH(QString, item);
        QFETCH(QPointF, position);
        QFETCH(double, pointSize);
        QFETCH(bool, bold);
        QFETCH(QColor, color);
        RecipeEntry recipe{QStringLiteral("Stew"), {{"Beef", "1", "lb", ""}}};
        recipe.instructions = QStringLiteral("Brown the beef.");
        m_fixture->addRecipe(recipe);
        auto report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        const QList<PlacedItem> items = report->page(0).itemsNamed(item);
        QCOMPARE(items.size(), 1);
        QVERIFY2(qAbs(items[0].rect.left() - position.x()) < 0.01, qPrintable(QString::number(items[0].rect.left())));
        QVERIFY2(qAbs(items[0].rect.top() - position.y()) < 0.01, qPrintable(QString::number(items[0].rect.top())));
        QCOMPARE(items[0].style.family, QStringLiteral("Arial"));
        QCOMPARE(items[0].style.pointSize, pointSize);
        QCOMPARE(items[0].style.bold, bold);
        QCOMPARE(items[0].style.color, color);
    }
};

QTEST_MAIN(TestRecipeReport)
#include "tst_recipereport.moc"
