#include "editing/Setup.h"

#include "data/EngineError.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char *const kListCaptions[] = {"&Ingredient", "Mea&l", "&PrepTime", "&CookTime",
                                     "&Measurement", "De&scription", "Cate&gory"};

} // namespace

TSetupForm::TSetupForm(QWidget *owner)
    : TAbsRegularForm(owner),
      PageControl1(new QTabWidget(this)),
      rgItems(new QButtonGroup(this)),
      DBGrid(new BoundGrid(this)),
      BitBtn4(new QPushButton(QStringLiteral("&Close"), this))
{
    setWindowTitle(QStringLiteral("Setup"));
    PageControl1->addTab(new QWidget(PageControl1), QStringLiteral("  General Options   "));
    PageControl1->addTab(createEditableValuesPage(), QStringLiteral("  Editable Values   "));
    PageControl1->addTab(new QWidget(PageControl1), QStringLiteral("  Report Options  "));
    PageControl1->addTab(new QWidget(PageControl1), QStringLiteral("Nifty Forms"));
    BitBtn4->setDefault(true);
    BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(520, 380);
}

QWidget *TSetupForm::createEditableValuesPage()
{
    auto *page = new QWidget(PageControl1);
    auto *values = new QGroupBox(QStringLiteral("Values"), page);
    auto *radios = new QVBoxLayout(values);
    for (int item = 0; item < int(std::size(kListCaptions)); ++item) {
        auto *radio = new QRadioButton(QString::fromLatin1(kListCaptions[item]), values);
        rgItems->addButton(radio, item);
        radios->addWidget(radio);
    }
    radios->addStretch();
    rgItems->button(0)->setChecked(true);
    values->setToolTip(QStringLiteral("Select the Value you want to alter its respective elements"));
    DBGrid->setParent(page);
    DBGrid->setToolTip(QStringLiteral("Here are shown the respective elements of the Value chosen at the left"));
    connect(rgItems, &QButtonGroup::idClicked, this, guarded([this] { rgItemsClick(); }));
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(values);
    layout->addWidget(DBGrid, 1);
    return page;
}

void TSetupForm::ShowSetup(int pageChoice)
{
    LoadOptions(pageChoice);
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
    PostIfModified(dmMain1->tblMeasurement);
    PostIfModified(dmMain1->tblDescription);
}

void TSetupForm::LoadOptions(int pageChoice)
{
    PageControl1->setCurrentIndex(pageChoice == 0 ? 0 : 1);
    rgItemsClick();
}

void TSetupForm::rgItemsClick()
{
    if (DBGrid->dataSet())
        PostIfModified(*DBGrid->dataSet());
    if (TDataSource *source = listSource(rgItems->checkedId()))
        DBGrid->bind(*source);
}

TDataSource *TSetupForm::listSource(int item) const
{
    TdmMain1 &dm = *dmMain1;
    TDataSource *sources[] = {&dm.dsIngredientLookup, &dm.dsMeal,        &dm.dsPrepTime, &dm.dsCookTime,
                              &dm.dsMeasurement,      &dm.dsDescription, &dm.dsCategory};
    return item >= 0 && item < int(std::size(sources)) ? sources[item] : nullptr;
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
