#pragma once

#include "editing/RecordEditor.h"

class BoundComboBox;
class BoundLabel;
class BoundLineEdit;
class QPushButton;
class TdmMain1;

// The line editor: which ingredient, the amount, the measurement and a description of one
// ingredient line of the current recipe. It refuses an ingredient the recipe already uses.
class TIngredientDetailForm : public RecordEditor {
    Q_OBJECT
public:
    explicit TIngredientDetailForm(QWidget *owner = nullptr);

    // Each returns once the line is handled, or ends with the silent abort when cancelled.
    void InsertLine();
    void EditLine();

    // The notice shown when the chosen ingredient is in another line of the recipe.
    static QString duplicateMessage(const QString &ingredientName);

    QPushButton *const BitBtn1;  // "Lookup Ingredient"
    BoundLabel *const DBText1;  // the line's ingredient name
    BoundLineEdit *const DBEdit1;  // the amount
    BoundComboBox *const cbMeasurement;
    BoundComboBox *const cbDescription;
    QPushButton *BitBtn4 = nullptr;  // OK
    QPushButton *BitBtn5 = nullptr;  // Cancel

protected:
    void beforeShow() override;
    void beforePost() override;
    void storeRecord(TTable &table) override;

private:
    void RunLineEditor(Mode mode);
    void BitBtn1Click();
    void chooseIngredient(const QString &ingredientId);
    void moveFocusOnFromButton();
    void layOut();

    TdmMain1 &m_dm;
};
