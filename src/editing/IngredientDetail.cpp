#include "editing/IngredientDetail.h"

#include "data/Prompter.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "editing/Ingredient.h"
#include "editing/TabChain.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/CommandGuard.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString field(const char *name) { return QString::fromLatin1(name); }

} // namespace

TIngredientDetailForm::TIngredientDetailForm(QWidget *owner)
    : RecordEditor(owner),
      BitBtn1(new QPushButton(QStringLiteral("Lookup Ingredient"), this)),
      DBText1(new BoundLabel(this)),
      DBEdit1(new BoundLineEdit(this)),
      cbMeasurement(new BoundComboBox(this)),
      cbDescription(new BoundComboBox(this)),
      m_dm(*dmMain1)
{
    setObjectName(QStringLiteral("IngredientDetailForm"));
    BitBtn1->setAutoDefault(false);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    DBText1->bind(m_dm.dsRecipeIngredient, field("Ingredient"));
    DBEdit1->bind(m_dm.dsRecipeIngredient, field("Amount"));
    for (BoundComboBox *combo : {cbMeasurement, cbDescription})
        combo->setEditable(true);
    cbMeasurement->bind(m_dm.dsRecipeIngredient, field("Measurement"));
    cbDescription->bind(m_dm.dsRecipeIngredient, field("Description"));
    layOut();
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TIngredientDetailForm::BitBtn1Click));
}

void TIngredientDetailForm::layOut()
{
    auto *grid = new QGridLayout;
    grid->addWidget(BitBtn1, 0, 0);
    DBText1->setFrameShape(QFrame::StyledPanel);
    DBText1->setFrameShadow(QFrame::Sunken);
    grid->addWidget(DBText1, 0, 1, 1, 2);
    const char *captions[] = {"Amount", "Measurement", "Description"};
    QWidget *fields[] = {DBEdit1, cbMeasurement, cbDescription};
    for (int column = 0; column < 3; ++column) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[column]), this), 1, column);
        grid->addWidget(fields[column], 2, column);
        grid->setColumnStretch(column, 1);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(createButtonPanel(BitBtn4, BitBtn5));
    setTabChain({BitBtn1, DBEdit1, cbMeasurement, cbDescription, BitBtn4, BitBtn5});
    // As wide as the recipe editor it opens over: wider, its fields would line up with the
    // editor's edges and seem to have no margins where no window frame is drawn.
    resize(400, 150);
}

QString TIngredientDetailForm::duplicateMessage(const QString &ingredientName)
{
    return QStringLiteral("The ingredient ") + ingredientName + QStringLiteral(" is already in this recipe's ingredient list.")
           + QChar(13) + QStringLiteral("Choose another one, or go and edit ") + ingredientName;
}

void TIngredientDetailForm::InsertLine()
{
    setWindowTitle(QStringLiteral("Editing Ingredient Detail"));
    RunLineEditor(Mode::Insert);
}

void TIngredientDetailForm::EditLine()
{
    setWindowTitle(QStringLiteral("Editing Ingredient Detail"));
    RunLineEditor(Mode::Edit);
}

void TIngredientDetailForm::RunLineEditor(Mode mode)
{
    run(m_dm.tblRecipeIngredient, mode);
}

void TIngredientDetailForm::beforeShow()
{
    FillComboFromTable(m_dm.tblMeasurement, *cbMeasurement, field("Measurement"));
    FillComboFromTable(m_dm.tblDescription, *cbDescription, field("Description"));
    BitBtn1->setFocus();
}

void TIngredientDetailForm::beforePost()
{
    TTable &line = m_dm.tblRecipeIngredient;
    const QString description = line.fieldByName(field("Description")).asString();
    const QString measurement = line.fieldByName(field("Measurement")).asString();
    AddMissingListValue(m_dm.tblDescription, field("Description"), description);
    AddMissingListValue(m_dm.tblMeasurement, field("Measurement"), measurement);
}

void TIngredientDetailForm::storeRecord(TTable &table)
{
    PostIfModified(table);
    // A new line on which nothing was entered is not stored, and leaves no pending record.
    if (table.isEditing())
        table.cancel();
}

void TIngredientDetailForm::BitBtn1Click()
{
    TIngredientForm picker(this);
    const QString current = m_dm.tblRecipeIngredient.fieldByName(field("Ingredient_ID")).asString();
    const QString chosen = picker.SelectIngredient(current);
    if (chosen != current)
        chooseIngredient(chosen);
    moveFocusOnFromButton();
}

// Queued, like MoveFocusToNext, but along this window's own focus chain: just after the picker
// closes, the application's focus widget may not be back in this window yet.
void TIngredientDetailForm::moveFocusOnFromButton()
{
    QTimer::singleShot(0, this, [this] { focusNextChild(); });
}

void TIngredientDetailForm::chooseIngredient(const QString &ingredientId)
{
    TTable &line = m_dm.tblRecipeIngredient;
    TTable &stored = m_dm.tblRecipeIngredientLookup;
    // The lookup view is a second view of the line table: let it see the lines stored since.
    stored.refresh();
    if (stored.findKey({line.fieldByName(field("Recipe_ID")).asString(), ingredientId})) {
        Prompter::instance().inform(duplicateMessage(stored.fieldByName(field("Ingredient")).asString()));
        return;
    }
    line.fieldByName(field("Ingredient_ID")).setAsString(ingredientId);
}
