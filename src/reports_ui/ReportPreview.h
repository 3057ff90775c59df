#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class BandedReport;
class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

// The on-screen preview of a report, from which the user prints it or saves it as a PDF
// file. Shown modally by its caller, which keeps the report alive meanwhile.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(BandedReport &report, QWidget *owner = nullptr);
    ~ReportPreview() override;

    // Shows the preview until the user closes it.
    void run();

    // Prints the pages of the printer's print range: all, the chosen ones or the page shown.
    bool printTo(QPrinter &printer);
    // Writes the whole report; a failure is shown and false returned.
    bool savePdf(const QString &path);

    // Asks where to save the PDF file; an empty answer saves nothing.
    std::function<QString(QWidget &owner, const QString &suggestedPath)> choosePdfPath;

    int currentPage() const;
    int pageCount() const;
    void showPage(int page);

    QToolBar *const ToolBar;
    QAction *const actPrint;
    QAction *const actSavePdf;
    QAction *const actClose;

private:
    void addViewActions();
    void addPageActions();
    void showShortcutsInToolTips();
    void printClick();
    void savePdfClick();
    QString suggestedPdfPath() const;
    void updatePageLabel();
    bool printCounted(const QString &message, const std::function<bool()> &print);

    BandedReport &m_report;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
};
