#include "editing/Setup.h"

#include "data/DataSet.h"
#include "data/EngineError.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "editing/PictureFileDialog.h"
#include "editing/SetupEdit.h"
#include "ui/BoundGrid.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

TSetupForm::TSetupForm(QWidget *owner)
    : TAbsRegularForm(owner),
      PageControl1(new QTabWidget(this)),
      BitBtn4(new QPushButton(QStringLiteral("&Close"), this)),
      rgItems(new QButtonGroup(this)),
      DBGrid(new BoundGrid(this)),
      rgReportDate(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Setup"));
    PageControl1->addTab(createGeneralPage(), QStringLiteral("  General Options   "));
    PageControl1->addTab(createEditableValuesPage(), QStringLiteral("  Editable Values   "));
    PageControl1->addTab(createReportPage(), QStringLiteral("  Report Options  "));
    PageControl1->addTab(createNiftyPage(), QStringLiteral("Nifty Forms"));
    BitBtn4->setDefault(true);
    BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::accept);
    // Close comes after the controls of whichever page shows.
    setTabOrder(btnApply, BitBtn4);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TSetupForm::shareCloseAccessKey);
    shareCloseAccessKey();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(540, 400);
    choosePicture = [](QWidget &owner, const QString &folder) {
        return PictureFileDialog::getPictureFile(&owner, folder);
    };
}

void TSetupForm::ShowSetup(int pageChoice)
{
    LoadOptions(pageChoice);
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
    SaveOptions();
    PostIfModified(dmMain1->tblMeasurement);
    PostIfModified(dmMain1->tblDescription);
}

// Two owners of one access key would cancel each other out. "View &Calendar" and "&CookTime"
// keep Alt+C on their pages, where Enter still closes; on the other pages it is Close's.
void TSetupForm::shareCloseAccessKey()
{
    const QKeySequence closeKey = QKeySequence::mnemonic(BitBtn4->text());
    bool pageUsesKey = false;
    for (const QAbstractButton *control : PageControl1->currentWidget()->findChildren<QAbstractButton *>())
        pageUsesKey = pageUsesKey || QKeySequence::mnemonic(control->text()) == closeKey;
    BitBtn4->setShortcut(pageUsesKey ? QKeySequence() : closeKey);
}

QString TSetupForm::selectedListName() const
{
    QAbstractButton *item = rgItems->checkedButton();
    return item ? item->text().remove(item->text().indexOf(QLatin1Char('&')), 1) : QString();
}

void TSetupForm::rgItemsClick()
{
    if (DBGrid->dataSet())
        PostIfModified(*DBGrid->dataSet());
    if (TDataSource *source = listSource(selectedListName())) {
        DBGrid->bind(*source);
        // The ingredient list shows only the names; its key stays hidden.
        for (int column = 0; column < DBGrid->model()->columnCount(); ++column)
            DBGrid->setColumnHidden(column, DBGrid->model()->headerData(column, Qt::Horizontal).toString()
                                                == QLatin1String("Ingredient_ID"));
    }
}

TDataSource *TSetupForm::listSource(const QString &listName) const
{
    TdmMain1 &dm = *dmMain1;
    const std::pair<const char *, TDataSource *> lists[] = {
        {"Ingredient", &dm.dsIngredientLookup}, {"Meal", &dm.dsMeal},
        {"PrepTime", &dm.dsPrepTime},           {"CookTime", &dm.dsCookTime},
        {"Measurement", &dm.dsMeasurement},     {"Description", &dm.dsDescription},
        {"Category", &dm.dsCategory}};
    for (const auto &[name, source] : lists) {
        if (listName == QLatin1String(name))
            return source;
    }
    return nullptr;
}

// Add always opens the editor; Edit only when the shown list has a row to edit.
void TSetupForm::btnClick(QPushButton *button)
{
    TDataSet *list = DBGrid->dataSet();
    if (!list)
        return;
    if (button->objectName() == QLatin1String("Edit") && list->recordCount() <= 0)
        return;
    TSetupEditForm editor(this);
    editor.EditValue(*listSource(selectedListName()), selectedListName(), button->objectName());
}

// The data module's before-delete rule of each list asks first and keeps the row on No.
void TSetupForm::DeleteSetup()
{
    TDataSet *list = DBGrid->dataSet();
    if (list && list->recordCount() >= 1)
        list->remove();
}

// Esc does nothing here: only Close or the close box end the window.
void TSetupForm::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    TAbsRegularForm::keyPressEvent(event);
}

void TSetupForm::setHint(QWidget *control, const QString &hint)
{
    m_hints.insert(control, hint);
}

void TSetupForm::showHints(bool on)
{
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it)
        it.key()->setToolTip(on ? it.value() : QString());
}
