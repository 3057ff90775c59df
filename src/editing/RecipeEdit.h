#pragma once

#include "editing/RecordEditor.h"

class BoundComboBox;
class BoundGrid;
class BoundLineEdit;
class BoundMemo;
class QGroupBox;
class QPushButton;
class QToolButton;
class TdmMain1;

// The recipe editor: name, meal, category, servings, times and instructions of the data
// module's current recipe, and the ordered list of its ingredient lines. The lines are stored
// one by one as they are added, changed, deleted or moved; the recipe itself on OK.
class TRecipeEditForm : public RecordEditor {
    Q_OBJECT
public:
    explicit TRecipeEditForm(QWidget *owner = nullptr);

    // Each returns once the recipe is stored, or ends with the silent abort when cancelled.
    void InsertRecipe();
    void EditRecipe();

    // The meals a recipe can belong to; fixed here, whatever the meal list holds.
    static const QStringList &mealChoices();

    BoundLineEdit *const DBEdit1;  // the recipe's name
    BoundComboBox *const dbcbMeal;
    BoundComboBox *const DBLookupComboBox1;  // its category
    BoundLineEdit *const DBEdit3;  // its servings
    BoundComboBox *const cbPrepTime;
    BoundComboBox *const cbCookTime;
    QGroupBox *const gbIngredients;
    QToolButton *const btnAdd;
    QToolButton *const btnEdit;
    QToolButton *const btnDelete;
    QToolButton *const btnSetup;
    QToolButton *const btnMoveDown;
    QToolButton *const btnMoveUp;
    BoundGrid *const DBGrid1;  // its ingredient lines
    BoundMemo *const DBMemo1;  // its instructions
    QPushButton *BitBtn4 = nullptr;  // OK
    QPushButton *BitBtn5 = nullptr;  // Cancel

protected:
    void beforeShow() override;
    void beforePost() override;
    void abandonRecord(TTable &table, Mode mode) override;

private:
    void RunEditor(Mode mode);
    void LoadTimeLists();
    void StoreNewTimeValues();
    void SetLineOrder(int value);
    void exchangeOrder(int movedOrder, int neighbourOrder);

    void btnAddClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnSetupClick();
    void btnMoveDownClick();
    void btnMoveUpClick();

    void bindControls();
    void setUpTools();
    void connectHandlers();
    void setUpHints();
    void layOut();
    QWidget *createFieldArea();
    QWidget *createIngredientGroup();

    TdmMain1 &m_dm;
    QString m_pendingRecipeId;  // the key of the record being edited, taken when the run starts
};
