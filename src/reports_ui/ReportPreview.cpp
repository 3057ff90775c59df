#include "reports_ui/ReportPreview.h"

#include "data/Prompter.h"
#include "data/RegularFile.h"
#include "reports/BandedReport.h"
#include "ui/CommandGuard.h"
#include "ui/FormDefaults.h"
#include "ui/WaitBoxScope.h"
#include "ui/Waitbox.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kPreparing = QStringLiteral("Preparing Report...Please Wait...");
const QString kPrinting = QStringLiteral("Printing Report...Please Wait...");

QString askForPdfPath(QWidget &owner, const QString &suggestedPath)
{
    QString path = QFileDialog::getSaveFileName(&owner, QStringLiteral("Save as PDF"), suggestedPath,
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace

ReportPreview::ReportPreview(BandedReport &report, QWidget *owner)
    : QDialog(owner, Qt::Window), ToolBar(new QToolBar(this)),
      actPrint(ToolBar->addAction(QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(QStyle::SP_FileIcon)),
                                  QStringLiteral("&Print..."))),
      actSavePdf(ToolBar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save as &PDF..."))),
      actClose(new QAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this)),
      m_report(report), m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(QStringLiteral("Print Preview - %1").arg(report.title()));
    choosePdfPath = askForPdfPath;
    setFont(FormDefaults::formFont());
    // The report places everything from the paper's corner.
    m_previewPrinter->setFullPage(true);
    m_previewPrinter->setPageLayout(report.pageLayout());
    m_view = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) {
                runGuarded([&] { printCounted(kPreparing, [&] { return m_report.print(*printer); }); });
            });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    actPrint->setShortcut(QKeySequence::Print);
    // The tool bar takes no access keys and no tab stops: its commands are reached by shortcut.
    actSavePdf->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    connect(actPrint, &QAction::triggered, this, guarded(this, &ReportPreview::printClick));
    connect(actSavePdf, &QAction::triggered, this, guarded(this, &ReportPreview::savePdfClick));
    connect(actClose, &QAction::triggered, this, &QDialog::accept);
    addViewActions();
    addPageActions();
    showShortcutsInToolTips();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(m_view, 1);
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(900, screen.width() * 9 / 10), screen.height() * 9 / 10);
    FormDefaults::centreWhenFirstShown(*this);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::addViewActions()
{
    ToolBar->addSeparator();
    QAction *fitWidth = ToolBar->addAction(QStringLiteral("Fit &Width"));
    QAction *wholePage = ToolBar->addAction(QStringLiteral("&Whole Page"));
    QAction *zoomIn = ToolBar->addAction(QStringLiteral("Zoom &In"));
    QAction *zoomOut = ToolBar->addAction(QStringLiteral("Zoom &Out"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    connect(fitWidth, &QAction::triggered, m_view, &QPrintPreviewWidget::fitToWidth);
    connect(wholePage, &QAction::triggered, m_view, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QAction::triggered, m_view, [this] { m_view->zoomIn(); });
    connect(zoomOut, &QAction::triggered, m_view, [this] { m_view->zoomOut(); });
}

void ReportPreview::addPageActions()
{
    ToolBar->addSeparator();
    QAction *first = ToolBar->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), QStringLiteral("First Page"));
    QAction *previous = ToolBar->addAction(style()->standardIcon(QStyle::SP_MediaSeekBackward), QStringLiteral("Previous Page"));
    QAction *next = ToolBar->addAction(style()->standardIcon(QStyle::SP_MediaSeekForward), QStringLiteral("Next Page"));
    QAction *last = ToolBar->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), QStringLiteral("Last Page"));
    previous->setShortcut(QKeySequence::MoveToPreviousPage);
    next->setShortcut(QKeySequence::MoveToNextPage);
    for (QAction *action : {first, previous, next, last})
        if (auto *button = qobject_cast<QToolButton *>(ToolBar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(first, &QAction::triggered, this, [this] { showPage(1); });
    connect(previous, &QAction::triggered, this, [this] { showPage(currentPage() - 1); });
    connect(next, &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
    connect(last, &QAction::triggered, this, [this] { showPage(pageCount()); });
    m_pageLabel = new QLabel(ToolBar);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    ToolBar->addWidget(m_pageLabel);
    auto *spacer = new QWidget(ToolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(spacer);
    ToolBar->addAction(actClose);
}

// "Save as PDF (Ctrl+S)": the tips tell a user where the keys are.
void ReportPreview::showShortcutsInToolTips()
{
    for (QAction *action : ToolBar->actions()) {
        if (action->shortcut().isEmpty())
            continue;
        QString name = action->text().remove(QLatin1Char('&'));
        if (name.endsWith(QLatin1String("...")))
            name.chop(3);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(name, action->shortcut().toString(QKeySequence::NativeText)));
    }
}

void ReportPreview::run()
{
    m_view->fitToWidth();
    exec();
}

int ReportPreview::currentPage() const
{
    return m_view->currentPage();
}

int ReportPreview::pageCount() const
{
    return m_report.pageCount();
}

void ReportPreview::showPage(int page)
{
    m_view->setCurrentPage(std::clamp(page, 1, pageCount()));
    updatePageLabel();
}

void ReportPreview::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral("Page %1 of %2").arg(currentPage()).arg(pageCount()));
}

bool ReportPreview::printTo(QPrinter &printer)
{
    int first = 0;
    int last = -1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage() - 1;
    }
    printer.setFullPage(true);
    printer.setDocName(m_report.title());
    return printCounted(kPrinting, [&] { return m_report.print(printer, first, last); });
}

// A long report shows the pages done so far in the wait box, which keeps the windows painted.
bool ReportPreview::printCounted(const QString &message, const std::function<bool()> &print)
{
    WaitBoxScope wait(WaitForm, message);
    m_report.setPageProgress([&wait](int pages) { wait.showCount(pages, QStringLiteral("pages")); });
    const auto forget = qScopeGuard([this] { m_report.setPageProgress({}); });
    return print();
}

void ReportPreview::printClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_report.pageLayout());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() == QDialog::Accepted && !printTo(printer))
        Prompter::instance().error(QStringLiteral("The report could not be printed."));
}

void ReportPreview::savePdfClick()
{
    const QString path = choosePdfPath(*this, suggestedPdfPath());
    if (!path.isEmpty())
        savePdf(path);
}

bool ReportPreview::savePdf(const QString &path)
{
    if (const QString problem = RegularFile::problem(path); !problem.isEmpty()) {
        Prompter::instance().error(problem);
        return false;
    }
    if (printCounted(kPrinting, [&] { return m_report.writePdf(path); }))
        return true;
    Prompter::instance().error(QStringLiteral("Unable to write %1").arg(QDir::toNativeSeparators(path)));
    return false;
}

QString ReportPreview::suggestedPdfPath() const
{
    QString name = m_report.title().isEmpty() ? QStringLiteral("Report") : m_report.title();
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|]"));
    name.replace(unsafe, QStringLiteral("_"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}
