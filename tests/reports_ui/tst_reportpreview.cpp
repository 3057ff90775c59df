#include "WizardFixture.h"
#include "reports/rep1.h"
#include "reports_ui/ReportPreview.h"

#include <QAction>
#include <QPrinter>
#include <QtTest>

class TestReportPreview : public QObject {
    Q_OBJECT
    std::unique_ptr<WizardFixture> m_fixture;
    std::unique_ptr<TqrRecipe> m_report;
    std::unique_ptr<QTemporaryDir> m_folder;

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_fixture = std::make_unique<WizardFixture>();
        m_fixture->addCollection();
        m_report = std::make_unique<TqrRecipe>(m_fixture->dm());
        m_report->prepareFiltered(QString());
        m_report->setTitle("Recipe (by Name)");
    }
    void cleanup()
    {
        m_report.reset();
        m_fixture.reset();
        m_folder.reset();
    }

    void runsModallyUntilClosed()
    {
        ReportPreview preview(*m_report);
        int shownPage = 0;
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = QApplication::activeModalWidget() == &preview;
            preview.showPage(3);
            shownPage = preview.currentPage();
            preview.actClose->trigger();
        });
        preview.run();
        QVERIFY(wasModal);
        QCOMPARE(preview.pageCount(), 5);
        QCOMPARE(shownPage, 3);
        QVERIFY(m_fixture->prompter().errors.isEmpty());
    }

    void saveAsPdfWritesEveryPage()
    {
        ReportPreview preview(*m_report);
        QString suggested;
        const QString path = m_folder->filePath("recipes.pdf");
        preview.choosePdfPath = [&](QWidget &, const QString &suggestedPath) {
            suggested = suggestedPath;
            return path;
        };
        preview.actSavePdf->trigger();
        QVERIFY(suggested.endsWith("/Recipe (by Name).pdf"));
        QCOMPARE(pdfPageCount(readFile(path)), 5);
    }

    void saveAsPdfByKey_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("Ctrl+Shift+S") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    }

    // The tool bar is no tab stop: the keys reach the command, and its tip names them.
    void saveAsPdfByKey()
    {
        QFETCH(QKeySequence, keys);
        ReportPreview preview(*m_report);
        int asked = 0;
        preview.choosePdfPath = [&](QWidget &, const QString &) {
            ++asked;
            return QString();
        };
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitForWindowActive(&preview))
                QTest::keySequence(preview.focusWidget() ? preview.focusWidget() : &preview, keys);
            preview.actClose->trigger();
        });
        preview.run();
        QCOMPARE(asked, 1);
        QCOMPARE(preview.actSavePdf->toolTip(), QStringLiteral("Save as PDF (Ctrl+S)"));
    }

    void noChosenFileSavesNothing()
    {
        ReportPreview preview(*m_report);
        preview.choosePdfPath = [](QWidget &, const QString &) { return QString(); };
        preview.actSavePdf->trigger();
        QVERIFY(QDir(m_folder->path()).isEmpty());
        QVERIFY(m_fixture->prompter().errors.isEmpty());
    }

    void anUnwritableFileIsShown()
    {
        ReportPreview preview(*m_report);
        const QString path = m_folder->filePath("missing/recipes.pdf");
        preview.choosePdfPath = [&](QWidget &, const QString &) { return path; };
        preview.actSavePdf->trigger();
        QCOMPARE(m_fixture->prompter().errors, QStringList{"Unable to write " + QDir::toNativeSeparators(path)});
    }

    void printingFollowsThePrintRange_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::addColumn<int>("printed");
        QTest::newRow("all") << int(QPrinter::AllPages) << 0 << 0 << 5;
        QTest::newRow("pages 2 to 3") << int(QPrinter::PageRange) << 2 << 3 << 2;
        QTest::newRow("last page") << int(QPrinter::PageRange) << 5 << 5 << 1;
        QTest::newRow("current page") << int(QPrinter::CurrentPage) << 0 << 0 << 1;
    }

    void printingFollowsThePrintRange()
    {
        QFETCH(int, range);
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(int, printed);
        ReportPreview preview(*m_report);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder->filePath("printed.pdf"));
        printer.setPrintRange(QPrinter::PrintRange(range));
        printer.setFromTo(fromPage, toPage);
        QVERIFY(preview.printTo(printer));
        QCOMPARE(pdfPageCount(readFile(printer.outputFileName())), printed);
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
