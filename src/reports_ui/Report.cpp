#include "reports_ui/Report.h"

#include "data/DateText.h"
#include "data/EngineError.h"
#include "data/Prompter.h"
#include "data/Settings.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "reports/BandedReport.h"
#include "reports_ui/RadioGroup.h"
#include "reports/ReportDatePreset.h"
#include "reports_ui/ReportPreview.h"
#include "reports/ReportRequest.h"
#include "reports/ReportRequestError.h"
#include "reports/ReportSelection.h"
#include "ui/BoundGrid.h"
#include "ui/Datebtn.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace {

void showInPreview(BandedReport &report, QWidget &owner)
{
    ReportPreview preview(report, &owner);
    preview.run();
}

} // namespace

TReportForm::TReportForm(QWidget *owner)
    : TAbsRegularForm(owner), previewReport(showInPreview), Panel1(new QFrame(this)), Panel2(new QFrame(Panel1)),
      Image1(new QLabel(Panel2)), Panel3(new QFrame(this)), btnBack(new QPushButton(QStringLiteral("&Back"), Panel3)),
      btnNext(new QPushButton(QStringLiteral("&Next"), Panel3)),
      btnCancel(new QPushButton(QStringLiteral("&Close"), Panel3)), Notebook1(new QStackedWidget(this)),
      Label6(new QLabel(QStringLiteral("Report Wizard will guide you through the Reporting process"), this)),
      Label1(new QLabel(QStringLiteral("Select A Report"), this)), DBGridReports(new BoundGrid(this)),
      Label3(new QLabel(QStringLiteral("Filter your report by a Name"), this)),
      Label7(new QLabel(QStringLiteral("Select Recipes"), this)), clbRecipeName(new QListWidget(this)),
      Label8(new QLabel(QStringLiteral("Filter your report by a Category"), this)),
      rbCategory(new RadioGroup(QStringLiteral("Category"), this)),
      Label9(new QLabel(QStringLiteral("Filter your report by an Assigned Date"), this)),
      Label4(new QLabel(QStringLiteral("From"), this)), edFrom(new QLineEdit(this)),
      DateLookupButton1(new TDateLookupButton(this)), Label5(new QLabel(QStringLiteral("To"), this)),
      edTo(new QLineEdit(this)), DateLookupButton2(new TDateLookupButton(this)),
      chkCombineNames(new QCheckBox(QStringLiteral("Combine quantities"), this)),
      chkCombineDates(new QCheckBox(QStringLiteral("Combine quantities"), this))
{
    buildWindow();
}

TReportForm::~TReportForm() = default;

void TReportForm::RunReportWizard(const QDate &calendarDate)
{
    LoadWizard(calendarDate);
    exec();
}

void TReportForm::LoadWizard(const QDate &calendarDate)
{
    m_calendarDate = calendarDate.isValid() ? calendarDate : QDate::currentDate();
    fillRecipeNames();
    ResetWizard();
    DBGridReports->setFocus();
}

// Close is no cancel button, so Esc does nothing: the wizard is left through Close alone.
void TReportForm::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    TAbsRegularForm::keyPressEvent(event);
}

void TReportForm::fillRecipeNames()
{
    const QSignalBlocker blocker(clbRecipeName);
    clbRecipeName->clear();
    TTable &recipes = dmMain1->tblRecipeLookup;
    recipes.refresh();  // the editors change the recipes through another view
    const int nameField = recipes.fieldIndex(QStringLiteral("Name"));
    for (int row = 0; row < recipes.recordCount(); ++row) {
        auto *item = new QListWidgetItem(recipes.valueAt(row, nameField).toString(), clbRecipeName);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QString TReportForm::currentDescription() const
{
    TTable &reports = dmMain1->tblReport;
    return reports.isEmpty() ? QString() : reports.fieldByName(QStringLiteral("Description")).asString();
}

void TReportForm::btnNextClick()
{
    const std::optional<ReportKind> kind = ReportKinds::fromDescription(currentDescription());
    const int page = Notebook1->currentIndex();
    if (page == SelectPage) {
        btnBack->setEnabled(true);
        btnNext->setText(QStringLiteral("&Print"));
        if (kind)
            ShowFilterPage(*kind);
        return;
    }
    // A failure here leaves the wizard on its filter page, so the user can correct the choice.
    if (kind && int(ReportKinds::filterOf(*kind)) == page) {
        if (ReportKinds::isShoppingList(*kind))
            SysInfo->write(Settings::CombineQuantities, combineBox()->isChecked());
        PrintReport(requestFor(*kind));
    }
    ResetWizard();
}

void TReportForm::btnBackClick()
{
    if (Notebook1->currentIndex() != SelectPage)
        ResetWizard();
}

void TReportForm::ShowFilterPage(ReportKind kind)
{
    const bool shoppingList = ReportKinds::isShoppingList(kind);
    const bool combine = SysInfo->read(Settings::CombineQuantities);
    for (QCheckBox *box : {chkCombineNames, chkCombineDates}) {
        box->setVisible(shoppingList);
        box->setChecked(combine);
    }
    switch (ReportKinds::filterOf(kind)) {
    case ReportFilter::Name:
        ShowNamePage();
        break;
    case ReportFilter::Category:
        ShowCategoryPage();
        break;
    case ReportFilter::Date:
        ShowDatePage();
        break;
    }
}

void TReportForm::ShowNamePage()
{
    Notebook1->setCurrentIndex(NamePage);
}

void TReportForm::ShowCategoryPage()
{
    rbCategory->clearItems();
    Notebook1->setCurrentIndex(CategoryPage);
    TTable &categories = dmMain1->tblCategory;
    categories.refresh();
    const int categoryField = categories.fieldIndex(QStringLiteral("Category"));
    for (int row = 0; row < categories.recordCount(); ++row)
        rbCategory->addItem(categories.valueAt(row, categoryField).toString());
    rbCategory->setColumns(std::clamp(int(rbCategory->items().size()) / 4, 1, 16));
}

void TReportForm::ShowDatePage()
{
    Notebook1->setCurrentIndex(DatePage);
    edFrom->setFocus();
    const ReportDatePreset preset(SysInfo->read(Settings::ReportDate), SysInfo->read(Settings::StartOnToday));
    if (const auto range = preset.rangeFor(m_calendarDate, QDate::currentDate())) {
        edFrom->setText(DateText::toDisplay(range->from));
        edTo->setText(DateText::toDisplay(range->to));
    }
}

void TReportForm::ResetWizard()
{
    btnBack->setEnabled(false);
    btnNext->setText(QStringLiteral("&Next"));
    Notebook1->setCurrentIndex(SelectPage);
}

QStringList TReportForm::tickedNames() const
{
    QStringList names;
    for (int row = 0; row < clbRecipeName->count(); ++row)
        if (clbRecipeName->item(row)->checkState() == Qt::Checked)
            names << clbRecipeName->item(row)->text();
    return names;
}

ReportRequest TReportForm::requestFor(ReportKind kind) const
{
    ReportRequest request;
    request.kind = kind;
    request.names = tickedNames();
    request.category = rbCategory->selectedItem();
    request.from = edFrom->text();
    request.to = edTo->text();
    request.combine = ReportKinds::isShoppingList(kind) && combineBox()->isChecked();
    return request;
}

QCheckBox *TReportForm::combineBox() const
{
    return Notebook1->currentIndex() == DatePage ? chkCombineDates : chkCombineNames;
}

void TReportForm::PrintReport(const ReportRequest &request)
{
    std::unique_ptr<BandedReport> report;
    try {
        report = ReportSelection(*dmMain1).prepare(request);
    } catch (const ReportRequestError &failure) {
        if (!failure.isNotice())
            throw;
        Prompter::instance().inform(failure.message());
        throw SilentAbort();
    }
    previewReport(*report, *this);
}
