#include "ReportFixture.h"
#include "data/CombinedShoppingList.h"
#include "reports/CombinedShoppingLayout.h"
#include "reports/rep3.h"

#include <QtTest>

namespace {

// Group headers and lines as the list reads: "=Flour" for a header, "2 cup sifted" for a line.
QStringList listing(TqrIngredient &report)
{
    QStringList rows;
    for (int page = 0; page < report.pageCount(); ++page) {
        const ReportPage &p = report.page(page);
        for (const PlacedBand &band : p.bands) {
            QStringList parts;
            for (const PlacedItem &item : p.items)
                if (item.band == band.name && item.rect.top() >= band.top - 1e-6
                    && item.rect.top() < band.top + band.height)
                    parts << item.text();
            if (band.kind == BandKind::GroupHeader)
                rows << QLatin1Char('=') + parts.join(QLatin1Char(' '));
            else if (band.kind == BandKind::Detail)
                rows << parts.join(QLatin1Char(' ')).trimmed();
        }
    }
    return rows;
}

} // namespace

class TestShoppingList : public QObject {
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fixture;
    QString m_cake, m_bread, m_salad;

    TdmMain1 &dm() { return m_fixture->dm(); }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ReportFixture>();
        // Ingredient keys in order of first use: Flour, Egg, Sugar, Yeast, Lettuce.
        m_cake = m_fixture->addRecipe({QStringLiteral("Cake"), {{"Flour", "2", "cup", "sifted"}, {"Egg", "3", "whole", ""}, {"Sugar", "1", "cup", ""}}});
        m_bread = m_fixture->addRecipe({QStringLiteral("Bread"), {{"Flour", "4", "cup", ""}, {"Yeast", "1", "package", ""}}});
        m_salad = m_fixture->addRecipe({QStringLiteral("Salad"), {{"Lettuce", "1", "whole", "chopped"}}});
    }
    void cleanup() { m_fixture.reset(); }

    void aHeaderStartsEachIngredient()
    {
        TqrIngredient report(dm());
        report.prepareSelection({m_cake, m_bread});
        QCOMPARE(listing(report), (QStringList{"=Flour", "2 cup sifted", "4 cup", "=Egg", "3 whole", "=Sugar", "1 cup",
                                               "=Yeast", "1 package"}));
    }

    void theTitlePrintsOnceAboveEverything()
    {
        TqrIngredient report(dm());
        report.prepareSelection({m_salad});
        QCOMPARE(bandSequence(report.page(0)), (QStringList{"Title", "Group", "Detail"}));
        QCOMPARE(report.page(0).textsOf("lbTitle"), QStringList{"Shopping List"});
    }

    void theTitleIsNotRepeatedOnLaterPages()
    {
        QList<LineEntry> lines;
        for (int i = 0; i < 60; ++i)
            lines << LineEntry{QStringLiteral("Spice %1").arg(i), "1", "tsp", ""};
        const QString id = m_fixture->addRecipe({QStringLiteral("Curry"), lines});
        TqrIngredient report(dm());
        report.prepareSelection({id});
        QVERIFY(report.pageCount() >= 2);
        QCOMPARE(printedTexts(report, "lbTitle").size(), 1);
        QCOMPARE(printedTexts(report, "dbIngredient").size(), 60);
        QCOMPARE(bandSequence(report.page(1)).value(0), QStringLiteral("Group"));
    }

    void theSelectionDecidesWhichLinesPrint_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("allWhenEmpty");
        QTest::addColumn<QStringList>("ingredients");
        QTest::newRow("one recipe") << QStringList{"SALAD"} << false << QStringList{"Lettuce"};
        QTest::newRow("a recipe planned twice counts once")
            << QStringList{"SALAD", "SALAD"} << false << QStringList{"Lettuce"};
        QTest::newRow("no recipe") << QStringList{} << false << QStringList{};
        QTest::newRow("no recipe meaning all")
            << QStringList{} << true << QStringList{"Flour", "Egg", "Sugar", "Yeast", "Lettuce"};
        QTest::newRow("a key with a quote is only a value")
            << QStringList{"0' OR '1' = '1"} << false << QStringList{};
    }
    void theSelectionDecidesWhichLinesPrint()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, allWhenEmpty);
        QFETCH(QStringList, ingredients);
        keys.replaceInStrings(QStringLiteral("SALAD"), m_salad);
        TqrIngredient report(dm());
        report.prepareSelection(keys, allWhenEmpty ? TqrIngredient::EmptySelection::AllRecipes
                                                   : TqrIngredient::EmptySelection::NoRecipes);
        QCOMPARE(printedTexts(report, "dbIngredient"), ingredients);
        QCOMPARE(report.pageCount(), 1);
        QCOMPARE(report.page(0).textsOf("lbTitle"), QStringList{"Shopping List"});
    }

    void amountsAreCentredInTheirBox_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::newRow("short") << QStringLiteral("1");
        QTest::newRow("long") << QStringLiteral("1 1/2");
    }
    void amountsAreCentredInTheirBox()
    {
        QFETCH(QString, amount);
        const QString id = m_fixture->addRecipe({QStringLiteral("Tea"), {{"Tea leaves", amount, "tsp", ""}}});
        TqrIngredient report(dm());
        report.prepareSelection({id});
        const QList<PlacedItem> amounts = report.page(0).itemsNamed("dbAmount");
        QCOMPARE(amounts.size(), 1);
        const double boxCentre = report.bodyRect().left() + 28.8 + 11.4 / 2;
        QVERIFY(amounts[0].rect.width() > 0);
        QVERIFY2(qAbs(amounts[0].rect.center().x() - boxCentre) < 0.01, qPrintable(QString::number(amounts[0].rect.center().x())));
    }

    void aChangedSelectionStartsTheListAfresh()
    {
        TqrIngredient report(dm());
        report.prepareSelection({m_cake});
        QCOMPARE(printedTexts(report, "dbIngredient"), (QStringList{"Flour", "Egg", "Sugar"}));
        report.prepareSelection({m_salad});
        QCOMPARE(printedTexts(report, "dbIngredient"), QStringList{"Lettuce"});
    }

    // Each planned day counts, scaled by its servings against the recipe's when both are
    // numbers; a pinch cannot be scaled and is listed once, with its recipe.
    void aCombinedListByDateScalesEachPlannedDay()
    {
        const QString chili =
            m_fixture->addRecipe({QStringLiteral("Chili"), {{"Beef", "1", "lb", ""}, {"Salt", "1", "pn", ""}, {"Beans", "1", "cn", ""}}});
        RecipeEntry punch(QStringLiteral("Punch"), {{"Juice", "1", "qt", ""}});
        punch.servings = QStringLiteral("1 batch");
        const QString punchId = m_fixture->addRecipe(punch);
        m_fixture->plan(QDate(2026, 3, 2), chili, 6);
        m_fixture->plan(QDate(2026, 3, 3), chili);
        m_fixture->plan(QDate(2026, 3, 4), chili, 2);
        m_fixture->plan(QDate(2026, 3, 5), punchId, 8);
        m_fixture->plan(QDate(2026, 3, 20), chili, 6);
        CombinedShoppingLayout report(dm());
        report.prepareRows(CombinedShoppingList::combine(
            CombinedShoppingList::linesOfPlannedDays(dm().Database1, QDate(2026, 3, 1), QDate(2026, 3, 10))));
        QCOMPARE(listing(report), (QStringList{"=Beans", "3 cans", "=Beef", "3 lb", "=Juice", "4 cups", "=Salt",
                                               "1 pn  Chili"}));
        QCOMPARE(report.page(0).textsOf("lbRecipe"), QStringList{"Recipe"});
    }
};

QTEST_MAIN(TestShoppingList)
#include "tst_shoppinglist.moc"
