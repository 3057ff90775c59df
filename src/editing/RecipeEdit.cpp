#include "editing/RecipeEdit.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "editing/IngredientDetail.h"
#include "editing/Setup.h"
#include "editing/TabChain.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundGrid.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundMemo.h"
#include "ui/CommandGuard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The characters a drop-down field is sized for, whatever its list holds.
constexpr int kFieldLength = 10;

QToolButton *toolButton(const QString &caption, QStyle::StandardPixmap glyph, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setIcon(parent->style()->standardIcon(glyph));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

QString orderField() { return QStringLiteral("Order"); }

} // namespace

TRecipeEditForm::TRecipeEditForm(QWidget *owner)
    : RecordEditor(owner),
      DBEdit1(new BoundLineEdit(this)),
      dbcbMeal(new BoundComboBox(this)),
      DBLookupComboBox1(new BoundComboBox(this)),
      DBEdit3(new BoundLineEdit(this)),
      cbPrepTime(new BoundComboBox(this)),
      cbCookTime(new BoundComboBox(this)),
      gbIngredients(new QGroupBox(QStringLiteral("Ingredients"), this)),
      btnAdd(toolButton(QStringLiteral("&Add..."), QStyle::SP_FileIcon, gbIngredients)),
      btnEdit(toolButton(QStringLiteral("&Edit..."), QStyle::SP_FileDialogDetailedView, gbIngredients)),
      btnDelete(toolButton(QStringLiteral("&Delete"), QStyle::SP_TrashIcon, gbIngredients)),
      btnSetup(toolButton(QStringLiteral("&Setup"), QStyle::SP_FileDialogListView, gbIngredients)),
      btnMoveDown(toolButton(QStringLiteral("Do&wn"), QStyle::SP_ArrowDown, gbIngredients)),
      btnMoveUp(toolButton(QStringLiteral("&Up"), QStyle::SP_ArrowUp, gbIngredients)),
      DBGrid1(new BoundGrid(gbIngredients)),
      DBMemo1(new BoundMemo(this)),
      m_dm(*dmMain1)
{
    setObjectName(QStringLiteral("RecipeEditForm"));
    bindControls();
    setUpTools();
    layOut();
    connectHandlers();
    setUpHints();
    resize(400, 460);
}

const QStringList &TRecipeEditForm::mealChoices()
{
    static const QStringList meals{QStringLiteral("Breakfast"), QStringLiteral("Desert"), QStringLiteral("Dinner"),
                                   QStringLiteral("Lunch"),     QStringLiteral("Salad"),  QStringLiteral("Snack")};
    return meals;
}

void TRecipeEditForm::bindControls()
{
    DBEdit1->bind(m_dm.dsRecipe, QStringLiteral("Name"));
    dbcbMeal->setItems(mealChoices());
    dbcbMeal->setMaxVisibleItems(12);
    dbcbMeal->bind(m_dm.dsRecipe, QStringLiteral("Meal"));
    DBLookupComboBox1->setListSource(m_dm.dsCategory, QStringLiteral("Category"));
    DBLookupComboBox1->bind(m_dm.dsRecipe, QStringLiteral("Category"));
    DBEdit3->bind(m_dm.dsRecipe, QStringLiteral("Servings"));
    for (BoundComboBox *times : {cbPrepTime, cbCookTime})
        times->setEditable(true);
    cbPrepTime->bind(m_dm.dsRecipe, QStringLiteral("PrepTime"));
    cbCookTime->bind(m_dm.dsRecipe, QStringLiteral("CookTime"));
    DBGrid1->bind(m_dm.dsRecipeIngredient);
    DBGrid1->setColumnOrder({QStringLiteral("Ingredient"), QStringLiteral("Amount"), QStringLiteral("Measurement"),
                             QStringLiteral("Description")});
    DBGrid1->setRowIndicator(true);
    DBMemo1->bind(m_dm.dsRecipe, QStringLiteral("Instructions"));
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TRecipeEditForm::setUpTools()
{
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("Setup..")) + 12;
    for (QToolButton *button : {btnAdd, btnEdit, btnDelete, btnSetup, btnMoveDown, btnMoveUp})
        button->setMinimumWidth(width);
}

void TRecipeEditForm::connectHandlers()
{
    connect(btnAdd, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnAddClick));
    connect(btnEdit, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnEditClick));
    connect(btnDelete, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnDeleteClick));
    connect(btnSetup, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnSetupClick));
    connect(btnMoveDown, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnMoveDownClick));
    connect(btnMoveUp, &QToolButton::clicked, this, guarded(this, &TRecipeEditForm::btnMoveUpClick));
    connect(DBGrid1, &BoundGrid::doubleClicked, this, guarded([this] { btnEditClick(); }));
}

void TRecipeEditForm::setUpHints()
{
    setHint(DBEdit1, QStringLiteral("This is the Name of the Recipe"));
    setHint(dbcbMeal, QStringLiteral("Which meal does this Recipe correspond to"));
    setHint(DBLookupComboBox1, QStringLiteral("What is the Category for this Recipe"));
    setHint(DBEdit3, QStringLiteral("How Many servings will this Recipe feed"));
    setHint(btnAdd, QStringLiteral("Add An Ingredient"));
    setHint(btnEdit, QStringLiteral("Edit An Ingredient"));
    setHint(btnDelete, QStringLiteral("Delete An Ingredient"));
    setHint(btnSetup, QStringLiteral("Setup Meals, Categories, PrepTimes, Cook Times, Measurements, Descriptions and "
                                     "Categories"));
    setHint(btnMoveDown, QStringLiteral("Alter the Order of Ingredient Lists by moving this one down"));
    setHint(btnMoveUp, QStringLiteral("Alter the Order of Ingredient Lists by moving this one up"));
    setHint(DBGrid1, QStringLiteral("Ingredient List Appears Here"));
    setHint(DBMemo1, QStringLiteral("Recipe Instructions appear Here"));
}

void TRecipeEditForm::layOut()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createFieldArea());
    layout->addWidget(createIngredientGroup(), 3);
    layout->addWidget(new QLabel(QStringLiteral("Instructions"), this));
    layout->addWidget(DBMemo1, 2);
    layout->addWidget(createButtonPanel(BitBtn4, BitBtn5));
    setTabChain({DBEdit1, dbcbMeal, DBLookupComboBox1, DBEdit3, cbPrepTime, cbCookTime, DBGrid1, DBMemo1, BitBtn4,
                 BitBtn5});
}

QWidget *TRecipeEditForm::createFieldArea()
{
    auto *area = new QWidget(this);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    auto label = [area](const char *text) { return new QLabel(QString::fromLatin1(text), area); };
    grid->addWidget(label("Name"), 0, 0);
    grid->addWidget(DBEdit1, 1, 0, 1, 3);
    grid->addWidget(label("Meal"), 2, 0);
    grid->addWidget(label("Category"), 2, 1);
    grid->addWidget(label("Servings"), 2, 2);
    grid->addWidget(dbcbMeal, 3, 0);
    grid->addWidget(DBLookupComboBox1, 3, 1);
    grid->addWidget(DBEdit3, 3, 2);
    grid->addWidget(label("Prep Time"), 4, 0);
    grid->addWidget(label("Cook Time"), 4, 1);
    grid->addWidget(cbPrepTime, 5, 0);
    grid->addWidget(cbCookTime, 5, 1);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    // The fields keep their widths whatever their lists hold, also when a longer value arrives
    // from the setup window. Their items have no icons to make room for.
    for (QComboBox *combo : {dbcbMeal, DBLookupComboBox1, cbPrepTime, cbCookTime}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kFieldLength);
        combo->setIconSize(QSize(0, 0));
    }
    return area;
}

QWidget *TRecipeEditForm::createIngredientGroup()
{
    auto *layout = new QVBoxLayout(gbIngredients);
    auto *tools = new QHBoxLayout;
    tools->setSpacing(2);
    for (QToolButton *button : {btnAdd, btnEdit, btnDelete, btnSetup, btnMoveDown, btnMoveUp})
        tools->addWidget(button);
    tools->addStretch();
    layout->addLayout(tools);
    layout->addWidget(DBGrid1);
    return gbIngredients;
}

// ---- running the editor ------------------------------------------------------------------

void TRecipeEditForm::InsertRecipe()
{
    setWindowTitle(QStringLiteral("Inserting a New Recipe"));
    RunEditor(Mode::Insert);
}

void TRecipeEditForm::EditRecipe()
{
    setWindowTitle(QStringLiteral("Editing Recipe"));
    RunEditor(Mode::Edit);
}

void TRecipeEditForm::RunEditor(Mode mode)
{
    run(m_dm.tblRecipe, mode);
}

void TRecipeEditForm::beforeShow()
{
    m_pendingRecipeId = m_dm.tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString();
    showHints(SysInfo && SysInfo->read(Settings::ViewHints));
    LoadTimeLists();
}

void TRecipeEditForm::beforePost()
{
    StoreNewTimeValues();
}

void TRecipeEditForm::abandonRecord(TTable &table, Mode mode)
{
    RecordEditor::abandonRecord(table, mode);
    // Lines stored for a recipe that never came to be would belong to nothing.
    if (mode == Mode::Insert && !m_pendingRecipeId.isEmpty())
        m_dm.DiscardNewRecipeLines(m_pendingRecipeId);
}

void TRecipeEditForm::LoadTimeLists()
{
    FillComboFromTable(m_dm.tblPrepTime, *cbPrepTime, QStringLiteral("PrepTime"));
    FillComboFromTable(m_dm.tblCookTime, *cbCookTime, QStringLiteral("CookTime"));
}

void TRecipeEditForm::StoreNewTimeValues()
{
    auto addTyped = [this](TTable &list, const QString &field) {
        AddMissingListValue(list, field, m_dm.tblRecipe.fieldByName(field).asString());
    };
    addTyped(m_dm.tblCookTime, QStringLiteral("CookTime"));
    addTyped(m_dm.tblPrepTime, QStringLiteral("PrepTime"));
}

// ---- the ingredient lines ------------------------------------------------------------------

void TRecipeEditForm::btnAddClick()
{
    TIngredientDetailForm editor(this);
    editor.InsertLine();
}

void TRecipeEditForm::btnEditClick()
{
    if (m_dm.tblRecipeIngredient.recordCount() <= 0)
        return;
    TIngredientDetailForm editor(this);
    editor.EditLine();
}

void TRecipeEditForm::btnDeleteClick()
{
    if (m_dm.tblRecipeIngredient.recordCount() <= 0)
        return;
    m_dm.tblRecipeIngredient.remove();
}

void TRecipeEditForm::btnSetupClick()
{
    TSetupForm setup(this);
    setup.ShowSetup(1);
    LoadTimeLists();
}

void TRecipeEditForm::btnMoveDownClick()
{
    TTable &lines = m_dm.tblRecipeIngredient;
    if (lines.isEmpty())
        return;
    const int moved = lines.fieldByName(orderField()).asInteger();
    lines.next();
    if (lines.eof())
        return;
    const int neighbour = lines.fieldByName(orderField()).asInteger();
    lines.prior();
    exchangeOrder(moved, neighbour);
}

void TRecipeEditForm::btnMoveUpClick()
{
    TTable &lines = m_dm.tblRecipeIngredient;
    if (lines.isEmpty())
        return;
    const int moved = lines.fieldByName(orderField()).asInteger();
    lines.prior();
    if (lines.bof())
        return;
    const int neighbour = lines.fieldByName(orderField()).asInteger();
    lines.next();
    exchangeOrder(moved, neighbour);
}

// The current line takes the neighbour's number and the neighbour the current one's. The
// current line waits at -1 meanwhile, so no two lines of the recipe ever share a number, and
// it stays the current line.
void TRecipeEditForm::exchangeOrder(int movedOrder, int neighbourOrder)
{
    TTable &lines = m_dm.tblRecipeIngredient;
    const QString recipeId = lines.fieldByName(QStringLiteral("Recipe_ID")).asString();
    {
        TTransaction transaction(m_dm.Database1);
        SetLineOrder(-1);
        if (lines.findKey({recipeId, neighbourOrder}))
            SetLineOrder(movedOrder);
        if (lines.findKey({recipeId, -1}))
            SetLineOrder(neighbourOrder);
        transaction.commit();
    }
    lines.refresh();
}

void TRecipeEditForm::SetLineOrder(int value)
{
    TTable &lines = m_dm.tblRecipeIngredient;
    lines.edit();
    lines.fieldByName(orderField()).setAsInteger(value);
    lines.post();
}
