#pragma once

#include "reports_ui/ReportKind.h"
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

    QFrame *const Panel1;
    QFrame *const Panel2;
    QLabel *const Image1;
    QFrame *const Panel3;
    QPushButton *const btnBack;
    QPushButton *const btnNext;
    QPushButton *const btnCancel;
    QStackedWidget *const Notebook1;

    QLabel *const Label6;
    QLabel *const Label1;
    BoundGrid *const DBGridReports;
    QLabel *const Label3;
    QLabel *const Label7;
    QListWidget *const clbRecipeName;
    QLabel *const Label8;
    RadioGroup *const rbCategory;
    QLabel *const Label9;
    QLabel *const Label4;
    QLineEdit *const edFrom;
    TDateLookupButton *const DateLookupButton1;
    QLabel *const Label5;
    QLineEdit *const edTo;
    TDateLookupButton *const DateLookupButton2;
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
