#pragma once

#include "reports/ReportKind.h"
#include "ui/AbsRegular.h"

#include <QDate>
#include <functional>

class BandedReport;
class BoundGrid;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class RadioGroup;
class TDateLookupButton;
struct ReportRequest;

// The report wizard: the user picks a report kind, narrows it on the one filter page the
// kind needs (recipe names, a category or a range of planned days) and previews it, from
// where it is printed. The wizard stays open, report after report, until it is closed.
class TReportForm : public TAbsRegularForm {
    Q_OBJECT
public:
    enum Page { SelectPage, NamePage, CategoryPage, DatePage };

    explicit TReportForm(QWidget *owner = nullptr);
    ~TReportForm() override;

    // The date is the one selected in the main window's calendar: "This week" presets its week.
    void RunReportWizard(const QDate &calendarDate);
    // What RunReportWizard does before the window shows: fill the names, show the first page.
    void LoadWizard(const QDate &calendarDate);

    // Shows a prepared report; by default in the modal preview, from which the user prints.
    std::function<void(BandedReport &report, QWidget &owner)> previewReport;

    QFrame *const Panel1;  // the picture column
    QFrame *const Panel2;  // frames the picture
    QLabel *const Image1;  // the wizard's picture
    QFrame *const Panel3;  // the button strip
    QPushButton *const btnBack;
    QPushButton *const btnNext;
    QPushButton *const btnCancel;
    QStackedWidget *const Notebook1;  // the wizard's pages

    QLabel *const Label6;  // the wizard's introduction
    QLabel *const Label1;  // "Select A Report"
    BoundGrid *const DBGridReports;
    QLabel *const Label3;  // the name page's heading
    QLabel *const Label7;  // "Select Recipes"
    QListWidget *const clbRecipeName;
    QLabel *const Label8;  // the category page's heading
    RadioGroup *const rbCategory;
    QLabel *const Label9;  // the date page's heading
    QLabel *const Label4;  // "From"
    QLineEdit *const edFrom;
    TDateLookupButton *const DateLookupButton1;  // picks the From date
    QLabel *const Label5;  // "To"
    QLineEdit *const edTo;
    TDateLookupButton *const DateLookupButton2;  // picks the To date
    // "Combine quantities" on the shopping lists' name and date pages; remembered in the settings.
    QCheckBox *const chkCombineNames;
    QCheckBox *const chkCombineDates;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Building the window (ReportPages.cpp).
    void buildWindow();
    QFrame *buildPictureStrip();
    QFrame *buildButtonStrip();
    QWidget *buildSelectPage();
    QWidget *buildNamePage();
    QWidget *buildCategoryPage();
    QWidget *buildDatePage();
    QWidget *buildDateRow(QLabel *label, QLineEdit *edit, TDateLookupButton *button);
    QWidget *newPage(const QString &title, QLabel *intro);

    // The wizard's steps (Report.cpp).
    void btnNextClick();
    void btnBackClick();
    void ShowFilterPage(ReportKind kind);
    void ShowNamePage();
    void ShowCategoryPage();
    void ShowDatePage();
    void ResetWizard();
    void fillRecipeNames();
    QString currentDescription() const;
    ReportRequest requestFor(ReportKind kind) const;
    QStringList tickedNames() const;
    void PrintReport(const ReportRequest &request);
    QCheckBox *combineBox() const;

    QDate m_calendarDate;
};
