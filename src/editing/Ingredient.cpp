#include "editing/Ingredient.h"

#include "data/EngineError.h"
#include "data/KeyGenerator.h"
#include "data/dmmain.h"
#include "editing/TabChain.h"
#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"
#include "ui/incremen.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

bool isEnter(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool isNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

TIngredientForm::TIngredientForm(QWidget *owner)
    : TAbsRegularForm(owner),
      tblIngredient(dmMain1->Database1),
      SearchName(new TIncrementalSearch(this)),
      btnInsert(new QPushButton(QStringLiteral("&Insert Ingredient"), this)),
      gbCriteria(new QGroupBox(QStringLiteral("Ingredients Fitting Criteria"), this)),
      SearchGrid(new BoundGrid(gbCriteria)),
      OKButton(new QPushButton(QStringLiteral("&Select"), this)),
      CancelBtn(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("IngredientForm"));
    setWindowTitle(QStringLiteral("Find/Enter Ingredient"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    tblIngredient.setTableName(QStringLiteral("INGREDIE.DB"));
    tblIngredient.setIndexFieldNames(QStringLiteral("Ingredient"));
    tblIngredient.setFieldVisible(QStringLiteral("Ingredient_ID"), false);
    tblIngredient.onNewRecord = [this](TDataSet &) { tblIngredientNewRecord(); };
    FormCreate();
    layOut();
    btnInsert->setToolTip(QStringLiteral("This button can be accessed by pressing Alt+I"));
    connect(btnInsert, &QPushButton::clicked, this, guarded(this, &TIngredientForm::btnInsertClick));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SearchGrid, &BoundGrid::doubleClicked, this, guarded([this] { SearchGridDblClick(); }));
    SearchName->installEventFilter(this);
    SearchGrid->installEventFilter(this);
}

// The controls bound to the picker's view go before the view itself.
TIngredientForm::~TIngredientForm()
{
    delete SearchName;
    delete SearchGrid;
}

void TIngredientForm::FormCreate()
{
    tblIngredient.open();
    SearchGrid->bind(dsIngredient);
    setUpSearch();
}

void TIngredientForm::setUpSearch()
{
    SearchName->setDataSource(&dsIngredient);
    SearchName->setTimerIntervalSQL(700);
    SearchName->setTimerIntervalIndex(250);
}

void TIngredientForm::layOut()
{
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(SearchName, 1);
    searchRow->addWidget(btnInsert);
    auto *gridLayout = new QVBoxLayout(gbCriteria);
    gridLayout->addWidget(SearchGrid);
    QPalette face = SearchGrid->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    SearchGrid->setPalette(face);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {btnInsert, OKButton, CancelBtn}) {
        button->setAutoDefault(false);
        if (button != btnInsert)
            buttons->addWidget(button);
    }
    OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    CancelBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Search for Ingredient "), this));
    layout->addLayout(searchRow);
    layout->addWidget(gbCriteria, 1);
    layout->addLayout(buttons);
    setTabChain({SearchName, btnInsert, SearchGrid, OKButton, CancelBtn});
    setFixedSize(340, 360);
}

QString TIngredientForm::SelectIngredient(const QString &initialKey)
{
    if (!initialKey.isEmpty())
        tblIngredient.locate(QStringLiteral("Ingredient_ID"), initialKey, true);
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
    return tblIngredient.fieldByName(QStringLiteral("Ingredient_ID")).asString();
}

bool TIngredientForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return TAbsRegularForm::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    bool handled = false;
    if (watched == SearchName)
        runGuarded([&] { handled = SearchNameKeyDown(key); });
    else if (watched == SearchGrid)
        runGuarded([&] { handled = SelectIngredientFromCriteria(key); });
    return handled || TAbsRegularForm::eventFilter(watched, event);
}

// Enter chooses; the keys that move through a list move the grid, while the focus and the
// typed text stay in the search box. With a modifier held the key stays with the box.
bool TIngredientForm::SearchNameKeyDown(const QKeyEvent &event)
{
    if (isEnter(event)) {
        accept();
        return true;
    }
    const auto modifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (!isNavigationKey(event.key()) || (event.modifiers() & modifiers))
        return false;
    QApplication::postEvent(SearchGrid, new QKeyEvent(QEvent::KeyPress, event.key(), Qt::NoModifier));
    return true;
}

void TIngredientForm::SearchGridDblClick()
{
    accept();
}

bool TIngredientForm::SelectIngredientFromCriteria(const QKeyEvent &event)
{
    if (!isEnter(event))
        return false;
    accept();
    return true;
}

// The new ingredient is named exactly as typed, empty or already taken alike, and is the one
// chosen.
void TIngredientForm::btnInsertClick()
{
    tblIngredient.insert();
    tblIngredient.fieldByName(QStringLiteral("Ingredient")).setAsString(SearchName->text());
    tblIngredient.post();
    dmMain1->tblIngredientLookup.refresh();
    accept();
}

void TIngredientForm::tblIngredientNewRecord()
{
    AssignNewKey(tblIngredient, QStringLiteral("Ingredient_ID"));
}
