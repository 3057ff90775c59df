#include "WizardFixture.h"
#include "data/DateText.h"
#include "reports/ReportRequest.h"
#include "reports/ReportRequestError.h"
#include "reports/ReportSelection.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReportKind)

namespace {

QString march(int day)
{
    return DateText::toDisplay(QDate(2024, 3, day));
}

const QString kStew = QStringLiteral("Mom's Stew / Soups");
const QString kSalad = QStringLiteral("O'Brien's Salad / Grandma's Salads");
const QString kPancakes = QStringLiteral("Pancakes / Breakfast");
const QString kPancakeTwin = QStringLiteral("Pancakes / Desserts");
const QString kBread = QStringLiteral("Bread / Bread");

} // namespace

class TestReportSelection : public QObject {
    Q_OBJECT
    std::unique_ptr<WizardFixture> m_fixture;
    Collection m_recipes;

    std::unique_ptr<BandedReport> prepare(const ReportRequest &request)
    {
        return ReportSelection(m_fixture->dm()).prepare(request);
    }

private slots:
    // No test changes the collection, so all share one.
    void initTestCase()
    {
        m_fixture = std::make_unique<WizardFixture>();
        m_recipes = m_fixture->addCollection();
    }
    void cleanupTestCase() { m_fixture.reset(); }

    void eachKindPrintsWhatWasChosen_data()
    {
        QTest::addColumn<ReportKind>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("printed");
        const QStringList everyRecipe{kStew, kSalad, kPancakes, kPancakeTwin, kBread};
        const QStringList none;
        QTest::newRow("by name, none ticked: every recipe")
            << ReportKind::RecipeByName << none << "" << "" << "" << everyRecipe;
        QTest::newRow("by name, quotes in the names")
            << ReportKind::RecipeByName << QStringList{"O'Brien's Salad", "Mom's Stew"} << "" << "" << ""
            << QStringList{kStew, kSalad};
        QTest::newRow("small by name, a shared name selects both")
            << ReportKind::SmallRecipeByName << QStringList{"Pancakes"} << "" << "" << ""
            << QStringList{kPancakes, kPancakeTwin};
        QTest::newRow("by category, none selected: every recipe")
            << ReportKind::RecipeByCategory << none << "" << "" << "" << everyRecipe;
        QTest::newRow("by category, a quote in the category")
            << ReportKind::RecipeByCategory << none << "Grandma's Salads" << "" << "" << QStringList{kSalad};
        QTest::newRow("small by category")
            << ReportKind::SmallRecipeByCategory << none << "Breakfast" << "" << "" << QStringList{kPancakes};
        QTest::newRow("by date, planned on three days: once")
            << ReportKind::RecipeByDate << none << "" << march(4) << march(6) << QStringList{kStew};
        QTest::newRow("by date, by key: a namesake is left out")
            << ReportKind::RecipeByDate << none << "" << march(1) << march(31) << QStringList{kStew, kPancakes};
        QTest::newRow("by date, nothing planned: the empty report")
            << ReportKind::RecipeByDate << none << "" << march(11) << march(31) << none;
        QTest::newRow("small by date, open start")
            << ReportKind::SmallRecipeByDate << none << "" << "" << march(5) << QStringList{kStew};
        QTest::newRow("small by date, open end")
            << ReportKind::SmallRecipeByDate << none << "" << march(7) << "" << QStringList{kStew, kPancakes};
        QTest::newRow("by date, no dates: every planned recipe")
            << ReportKind::RecipeByDate << none << "" << "" << "" << QStringList{kStew, kPancakes};
        QTest::newRow("shopping by name, quotes in the names")
            << ReportKind::ShoppingListByName << QStringList{"Mom's Stew", "O'Brien's Salad"} << "" << "" << ""
            << QStringList{"Beef", "Onion", "Lettuce"};
        QTest::newRow("shopping by date, planned on three days: lines once")
            << ReportKind::ShoppingListByDate << none << "" << march(4) << march(10)
            << QStringList{"Beef", "Onion", "Flour", "Egg"};
        QTest::newRow("shopping by date, nothing planned: the empty list")
            << ReportKind::ShoppingListByDate << none << "" << march(11) << march(31) << none;
    }

    void eachKindPrintsWhatWasChosen()
    {
        QFETCH(ReportKind, kind);
        ReportRequest request{kind, {}, {}, {}, {}};
        QFETCH(QStringList, names);
        request.names = names;
        QFETCH(QString, category);
        request.category = category;
        QFETCH(QString, from);
        request.from = from;
        QFETCH(QString, to);
        request.to = to;
        QFETCH(QStringList, printed);
        std::unique_ptr<BandedReport> report = prepare(request);
        QCOMPARE(printedRecords(*report), printed);
        QCOMPARE(report->title(), ReportKinds::description(kind));
    }

    void theShoppingListCountsAPlannedRecipesLinesOnce()
    {
        std::unique_ptr<BandedReport> report = prepare({ReportKind::ShoppingListByDate, {}, {}, march(4), march(6)});
        QCOMPARE(printedTexts(*report, "dbAmount"), (QStringList{"1", "2"}));
    }

    void theAssignedDateIsTheFirstPlannedDayInTheRange_data()
    {
        QTest::addColumn<ReportKind>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QDate>("assigned");
        QTest::newRow("full") << ReportKind::RecipeByDate << march(5) << march(6) << QDate(2024, 3, 5);
        QTest::newRow("small") << ReportKind::SmallRecipeByDate << march(6) << march(6) << QDate(2024, 3, 6);
        QTest::newRow("later range") << ReportKind::RecipeByDate << march(7) << DateText::toDisplay(QDate(2024, 4, 30))
                                     << QDate(2024, 4, 20);
    }

    void theAssignedDateIsTheFirstPlannedDayInTheRange()
    {
        QFETCH(ReportKind, kind);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QDate, assigned);
        std::unique_ptr<BandedReport> report = prepare({kind, {}, {}, from, to});
        QCOMPARE(printedTexts(*report, "dbName").value(0), QString("Mom's Stew"));
        QCOMPARE(printedTexts(*report, "dbDate").value(0), DateText::toDisplay(assigned));
        QCOMPARE(printedTexts(*report, "lbDate").size(), printedTexts(*report, "dbName").size());
    }

    void onlyTheByDateKindsShowTheAssignedColumn()
    {
        std::unique_ptr<BandedReport> report = prepare({ReportKind::RecipeByName, {"Mom's Stew"}, {}, {}, {}});
        QVERIFY(printedTexts(*report, "lbDate").isEmpty());
        QVERIFY(printedTexts(*report, "dbDate").isEmpty());
    }

    void aShoppingListWithoutTickedNamesIsANotice()
    {
        try {
            prepare({ReportKind::ShoppingListByName, {}, {}, {}, {}});
            QFAIL("a shopping list without names was prepared");
        } catch (const ReportRequestError &notice) {
            QVERIFY(notice.isNotice());
            QCOMPARE(notice.message(), ReportSelection::noRecipeTickedNotice());
        }
    }

    void anUnreadableDateIsAnErrorNamingTheText_data()
    {
        QTest::addColumn<ReportKind>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("named");
        QTest::newRow("from") << ReportKind::RecipeByDate << "next week" << march(6) << "next week";
        QTest::newRow("to") << ReportKind::ShoppingListByDate << march(1) << "32/13/2024" << "32/13/2024";
        QTest::newRow("quote") << ReportKind::SmallRecipeByDate << "3/4'" << "" << "3/4'";
    }

    void anUnreadableDateIsAnErrorNamingTheText()
    {
        QFETCH(ReportKind, kind);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, named);
        try {
            prepare({kind, {}, {}, from, to});
            QFAIL("an unreadable date was accepted");
        } catch (const ReportRequestError &error) {
            QVERIFY(!error.isNotice());
            QVERIFY2(error.message().contains('"' + named + '"'), qPrintable(error.message()));
        }
    }

    void writesAPdfWithoutAWindow()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stew.pdf"));
        writeReportPdf(m_fixture->dm(), {ReportKind::RecipeByName, {"Mom's Stew", "Bread"}, {}, {}, {}}, path);
        const QByteArray content = readFile(path);
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(pdfPageCount(content), 2);
    }

    void anUnwritablePdfIsAnError()
    {
        QTemporaryDir folder;
        QVERIFY_THROWS_EXCEPTION(ReportRequestError,
                                 writeReportPdf(m_fixture->dm(), {ReportKind::RecipeByName, {}, {}, {}, {}},
                                                folder.filePath(QStringLiteral("missing/out.pdf"))));
    }
};

QTEST_MAIN(TestReportSelection)
#include "tst_reportselection.moc"
