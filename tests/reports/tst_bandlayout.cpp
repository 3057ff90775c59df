#include "ReportFixture.h"
#include "reports/BandedReport.h"

#include <QtTest>

namespace {

constexpr double kTolerance = 1e-6;

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Line %1 of the long text, with enough words to wrap at least once in a narrow memo.")
                     .arg(i);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestBandLayout : public QObject {
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fixture;
    std::unique_ptr<TQuery> m_categories;  // the twelve seeded categories, Beef to Vegetables
    std::unique_ptr<BandedReport> m_report;

    QString category() { return m_categories->fieldByName(QStringLiteral("Category")).asString(); }

    ReportBand &addDetail(double height)
    {
        ReportBand &band = m_report->addBand(BandKind::Detail, QStringLiteral("Detail"), height);
        band.addData(QStringLiteral("dbCategory"), [this] { return category(); }, {2, 1}, ItemStyle::arial(10));
        return band;
    }

    void selectCategories(const QString &where)
    {
        m_categories->setSql(QStringLiteral("SELECT Category FROM \"LCategory.db\" %1 ORDER BY Category").arg(where));
        m_categories->open();
        m_report->restart();
    }

    void verifyEverythingInsideTheBody()
    {
        const double bottom = m_report->bodyRect().bottom() + kTolerance;
        for (int page = 0; page < m_report->pageCount(); ++page) {
            for (const PlacedBand &band : m_report->page(page).bands)
                QVERIFY2(band.top + band.height <= bottom, qPrintable(band.name));
            for (const PlacedItem &item : m_report->page(page).items)
                QVERIFY2(item.rect.bottom() <= bottom, qPrintable(item.name));
        }
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ReportFixture>();
        m_categories = std::make_unique<TQuery>(m_fixture->dm().Database1);
        m_report = std::make_unique<BandedReport>();
        m_report->setPage(QPageSize::Letter, QPageLayout::Portrait, QMarginsF(12.7, 12.7, 12.7, 12.7));
        m_report->setMasterDataSet(m_categories.get());
        selectCategories(QString());
    }
    void cleanup()
    {
        m_report.reset();
        m_categories.reset();
        m_fixture.reset();
    }

    void aBandThatDoesNotFitMovesWholeToTheNextPage()
    {
        addDetail(50.0);  // five fit in the 254 mm of a Letter page inside half-inch margins
        QCOMPARE(m_report->pageCount(), 3);
        QCOMPARE(m_report->page(0).bands.size(), 5);
        QCOMPARE(m_report->page(2).bands.size(), 2);
        QCOMPARE(m_report->page(1).textsOf("dbCategory").value(0), QStringLiteral("Desserts"));
        verifyEverythingInsideTheBody();
    }

    void aPageBreakBeforeABandLeavesNoEmptyFirstPage()
    {
        addDetail(10.0).setStartsNewPage(true);
        QCOMPARE(m_report->pageCount(), 12);
        QCOMPARE(m_report->page(0).textsOf("dbCategory"), QStringList{"Beef"});
        QCOMPARE(m_report->page(11).textsOf("dbCategory"), QStringList{"Vegetables"});
    }

    void theTitlePrintsOnceAtTheTopOfTheFirstPage()
    {
        ReportBand &title = m_report->addBand(BandKind::Title, QStringLiteral("Title"), 20.0);
        title.addLabel(QStringLiteral("lbTitle"), QStringLiteral("Categories"), {0, 0}, ItemStyle::arial(14, true));
        addDetail(40.0);
        QCOMPARE(m_report->pageCount(), 3);  // 20 + 5 x 40 on the first page, 6 on the second, 1 on the third
        QCOMPARE(bandSequence(m_report->page(0)).value(0), QStringLiteral("Title"));
        QCOMPARE(m_report->page(0).bands.first().top, m_report->bodyRect().top());
        QCOMPARE(m_report->page(1).textsOf("lbTitle"), QStringList());
        QCOMPARE(m_report->page(2).textsOf("lbTitle"), QStringList());
    }

    void aGroupHeaderPrintsWhenItsValueChanges()
    {
        ReportBand &header = m_report->addBand(BandKind::GroupHeader, QStringLiteral("Letter"), 5.0);
        header.setGroupExpression([this] { return category().left(1); });
        header.addData(QStringLiteral("dbLetter"), [this] { return category().left(1); }, {0, 0}, ItemStyle::arial(10));
        addDetail(5.0);
        const ReportPage &page = m_report->page(0);
        QCOMPARE(page.textsOf("dbLetter"), (QStringList{"B", "C", "D", "F", "P", "S", "V"}));
        QCOMPARE(bandSequence(page).mid(0, 7), (QStringList{"Group", "Detail", "Detail", "Group", "Detail", "Detail", "Detail"}));
    }

    void aHeadingThatKeepsWithNextNeverEndsAPage()
    {
        selectCategories(QStringLiteral("WHERE Category = 'Beef'"));
        m_report->addBand(BandKind::Title, QStringLiteral("Title"), 240.0);
        ReportBand &header = m_report->addBand(BandKind::GroupHeader, QStringLiteral("Letter"), 5.0);
        header.setGroupExpression([this] { return category().left(1); });
        header.setKeepsWithNext(true);
        addDetail(10.0);  // 5 mm of the 14 left would hold the heading, but not its record
        QCOMPARE(m_report->pageCount(), 2);
        QCOMPARE(bandSequence(m_report->page(0)), QStringList{"Title"});
        QCOMPARE(bandSequence(m_report->page(1)), (QStringList{"Group", "Detail"}));
    }

    void disabledItemsAndBandsAreNotPrinted()
    {
        ReportBand &band = addDetail(10.0);
        ReportItem &hidden = band.addLabel(QStringLiteral("lbHidden"), QStringLiteral("Hidden"), {50, 1}, ItemStyle::arial(10));
        ReportBand &child = m_report->addBand(BandKind::Child, QStringLiteral("Child"), 5.0);
        child.addLabel(QStringLiteral("lbChild"), QStringLiteral("Child"), {0, 0}, ItemStyle::arial(10));
        hidden.setEnabled(false);
        child.setEnabled(false);
        m_report->restart();
        QVERIFY(m_report->page(0).itemsNamed("lbHidden").isEmpty());
        QVERIFY(!bandSequence(m_report->page(0)).contains("Child"));
        QCOMPARE(m_report->page(0).textsOf("dbCategory").size(), 12);

        hidden.setEnabled(true);
        child.setEnabled(true);
        m_report->restart();
        QCOMPARE(m_report->page(0).textsOf("lbHidden").size(), 12);
        QCOMPARE(bandSequence(m_report->page(0)).mid(0, 2), (QStringList{"Detail", "Child"}));
    }

    void dataTextsTakeTheWidthOfTheirContent()
    {
        ReportBand &band = m_report->addBand(BandKind::Detail, QStringLiteral("Detail"), 10.0);
        band.addData(QStringLiteral("dbCategory"), [this] { return category(); }, {2, 1}, ItemStyle::arial(10));
        band.addData(QStringLiteral("dbWide"), [this] { return category().toUpper(); }, {60, 1}, ItemStyle::arial(20));
        const ReportPage &page = m_report->page(0);
        const QList<PlacedItem> names = page.itemsNamed("dbCategory");
        const QList<PlacedItem> wide = page.itemsNamed("dbWide");
        // "Beef" is narrower than "Vegetables"; the same word is wider in capitals at twice the size.
        QVERIFY(names.size() >= 12 && !wide.isEmpty());
        QVERIFY(names[0].rect.width() > 0);
        QVERIFY(names[0].rect.width() < names[11].rect.width());
        QVERIFY(wide[0].rect.width() > 2 * names[0].rect.width());
        QVERIFY(wide[0].rect.height() > 1.8 * names[0].rect.height());
    }

    void aMemoStretchesItsBand()
    {
        selectCategories(QStringLiteral("WHERE Category IN ('Beef', 'Bread')"));
        ReportBand &band = addDetail(20.0);
        band.addMemo(QStringLiteral("dbMemo"), [] { return numberedLines(5); }, {0, 5}, 40, ItemStyle::arial(10));
        const ReportPage &page = m_report->page(0);
        const PlacedItem memo = page.itemsNamed("dbMemo").value(0);
        QVERIFY(memo.lines.size() > 5);  // every line wraps at 40 mm
        QVERIFY(page.bands.size() >= 2);
        QCOMPARE(memo.rect.height(), memo.lines.size() * memo.lineHeight);
        QVERIFY(page.bands[0].height > 20.0);
        QCOMPARE(page.bands[0].height, memo.rect.bottom() - page.bands[0].top + 1.0);
        QCOMPARE(page.bands[1].top, page.bands[0].top + page.bands[0].height);
    }

    void aLongMemoContinuesOnTheNextPagesWithoutLosingText()
    {
        selectCategories(QStringLiteral("WHERE Category = 'Beef'"));
        ReportBand &band = m_report->addBand(BandKind::Detail, QStringLiteral("Detail"), 20.0);
        band.addLabel(QStringLiteral("lbHeading"), QStringLiteral("Heading"), {0, 0}, ItemStyle::arial(12, true));
        const QString text = numberedLines(150);
        band.addMemo(QStringLiteral("dbMemo"), [text] { return text; }, {0, 10}, 60, ItemStyle::arial(10));
        QVERIFY(m_report->pageCount() >= 3);
        QStringList printed;
        for (int page = 0; page < m_report->pageCount(); ++page)
            printed << m_report->page(page).textsOf("dbMemo");
        QCOMPARE(words(printed), words({text}));
        QCOMPARE(m_report->page(0).textsOf("lbHeading").size(), 1);
        QCOMPARE(m_report->page(1).textsOf("lbHeading").size(), 0);
        // A continued page starts at the top and is filled before the next page begins.
        const QList<PlacedItem> continued = m_report->page(1).itemsNamed("dbMemo");
        QVERIFY(!continued.isEmpty());
        const PlacedItem &middle = continued.first();
        QCOMPARE(middle.rect.top(), m_report->bodyRect().top());
        QVERIFY(m_report->bodyRect().bottom() - middle.rect.bottom() < middle.lineHeight);
        verifyEverythingInsideTheBody();
    }

    void aMemoWithNoRoomForItsFirstLineMovesWithItsHeading()
    {
        selectCategories(QStringLiteral("WHERE Category IN ('Beef', 'Bread')"));
        ReportBand &band = m_report->addBand(BandKind::Detail, QStringLiteral("Detail"), 242.0);
        band.addLabel(QStringLiteral("lbHeading"), QStringLiteral("Heading"), {0, 0}, ItemStyle::arial(12, true));
        // The second record's memo would start 10 mm into a band that begins 242 mm down.
        band.addMemo(QStringLiteral("dbMemo"), [this] { return category(); }, {0, 10}, 60, ItemStyle::arial(10));
        QCOMPARE(m_report->pageCount(), 2);
        QCOMPARE(m_report->page(1).textsOf("lbHeading").size(), 1);
        QCOMPARE(m_report->page(1).textsOf("dbMemo"), QStringList{"Bread"});
    }

    void pagesAreLaidOutOnlyAsFarAsAsked()
    {
        addDetail(10.0).setStartsNewPage(true);
        QVERIFY(m_report->hasPage(0));
        QVERIFY(m_categories->recNo() <= 2);  // a preview's first page must not wait for the whole report
        QVERIFY(m_report->hasPage(11));
        QVERIFY(!m_report->hasPage(12));
        QCOMPARE(m_report->pageCount(), 12);
    }

    void aReportWithoutRecordsStillHasItsPage_data()
    {
        QTest::addColumn<bool>("withTitle");
        QTest::newRow("title only") << true;
        QTest::newRow("nothing at all") << false;
    }
    void aReportWithoutRecordsStillHasItsPage()
    {
        QFETCH(bool, withTitle);
        if (withTitle)
            m_report->addBand(BandKind::Title, QStringLiteral("Title"), 20.0)
                .addLabel(QStringLiteral("lbTitle"), QStringLiteral("Categories"), {0, 0}, ItemStyle::arial(14));
        addDetail(10.0);
        selectCategories(QStringLiteral("WHERE Category = 'Nothing'"));
        QCOMPARE(m_report->pageCount(), 1);
        QCOMPARE(bandSequence(m_report->page(0)), withTitle ? QStringList{"Title"} : QStringList{});
    }
};

QTEST_MAIN(TestBandLayout)
#include "tst_bandlayout.moc"
