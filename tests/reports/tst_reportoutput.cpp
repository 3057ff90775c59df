#include "ReportFixture.h"
#include "reports/RecipeGeometry.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double kDpi = 150.0;

QImage renderPage(BandedReport &report, int page)
{
    const QSizeF paper = report.paperSize();
    QImage image(qRound(paper.width() / 25.4 * kDpi), qRound(paper.height() / 25.4 * kDpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    report.renderPage(painter, page);
    return image;
}

QRect toPixels(const QRectF &millimetres)
{
    const double scale = kDpi / 25.4;
    return QRectF(millimetres.topLeft() * scale, millimetres.size() * scale).toAlignedRect();
}

bool isNavy(QRgb pixel)
{
    return qBlue(pixel) > 90 && qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) > qRed(pixel) + 40;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

int countPixels(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

class TestReportOutput : public QObject {
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fixture;
    QTemporaryDir m_output;

    TdmMain1 &dm() { return m_fixture->dm(); }

    void addThreeRecipes()
    {
        for (const char *name : {"Pie", "Tart", "Flan"}) {
            const QString id = m_fixture->addRecipe({QString::fromLatin1(name), {{"Flour", "2", "cup", "sifted"}}});
            m_fixture->plan(QDate(2024, 3, 5), id);
        }
    }

private slots:
    void init() { m_fixture = std::make_unique<ReportFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void arialIsPrintedWithAnInstalledFace()
    {
        QCOMPARE(QFontInfo(ItemStyle::arial(10).font()).family(), QStringLiteral("Liberation Sans"));
        QVERIFY(QFontInfo(ItemStyle::arial(10, true).font()).bold());
    }

    void thePdfHasEveryPageOfTheReport_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("pages");
        QTest::newRow("full recipe") << false << 3;
        QTest::newRow("small recipe") << true << 1;
    }
    void thePdfHasEveryPageOfTheReport()
    {
        QFETCH(bool, small);
        QFETCH(int, pages);
        addThreeRecipes();
        std::unique_ptr<RecipeLayout> report = recipeLayout(dm(), small);
        report->prepareFiltered(QString());
        const QString path = m_output.filePath(QStringLiteral("recipes.pdf"));
        QVERIFY(report->writePdf(path));
        QCOMPARE(pdfPageCount(readFile(path)), pages);
    }

    void aRangeOfPagesPrintsOnlyThosePages()
    {
        addThreeRecipes();
        TqrRecipe report(dm());
        report.prepareFiltered(QString());
        const QString path = m_output.filePath(QStringLiteral("range.pdf"));
        {
            QPdfWriter writer(path);
            QVERIFY(report.print(writer, 1, 2));
        }
        QCOMPARE(pdfPageCount(readFile(path)), 2);
    }

    void headingsAreNavyAndValuesBlack()
    {
        addThreeRecipes();
        TqrRecipe report(dm());
        report.prepareFiltered(QString());
        const QImage image = renderPage(report, 0);
        const QRect heading = toPixels(report.page(0).itemsNamed("lbCategory").value(0).rect);
        const QRect name = toPixels(report.page(0).itemsNamed("dbName").value(0).rect);
        QVERIFY(countPixels(image, heading, isNavy) > 20);
        QVERIFY(countPixels(image, name, isInk) > 50);
        QCOMPARE(countPixels(image, name, isNavy), 0);
    }

    void aDisabledItemLeavesItsPlaceBlank()
    {
        addThreeRecipes();
        TqrRecipe report(dm());
        report.prepareFiltered(QString());
        const RecipeGeometry &g = TqrRecipe::geometry();
        const QPointF body = report.bodyRect().topLeft();
        // Above and below the rule that runs under the headings.
        const QRect heading = toPixels(QRectF(body + QPointF(g.columns[5], g.headingTop), QSizeF(25, 4.5)));
        const QRect value = toPixels(QRectF(body + QPointF(g.columns[5], g.valueTop), QSizeF(25, 4.5)));
        const QImage hidden = renderPage(report, 0);
        QCOMPARE(countPixels(hidden, heading, isInk), 0);
        QCOMPARE(countPixels(hidden, value, isInk), 0);

        report.setAssignedDateShown(true);
        const QImage shown = renderPage(report, 0);
        QVERIFY(countPixels(shown, heading, isNavy) > 20);
        QVERIFY(countPixels(shown, value, isInk) > 20);
    }
};

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
