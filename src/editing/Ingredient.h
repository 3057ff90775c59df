#pragma once

#include "data/DataSource.h"
#include "data/Table.h"
#include "ui/AbsRegular.h"

class BoundGrid;
class QGroupBox;
class QKeyEvent;
class QPushButton;
class TIncrementalSearch;

// The ingredient picker: searches the ingredients by name as the user types, and returns the
// chosen ingredient's key, or a new ingredient named as typed.
class TIngredientForm : public TAbsRegularForm {
    Q_OBJECT
public:
    explicit TIngredientForm(QWidget *owner = nullptr);
    ~TIngredientForm() override;

    // Starts on the ingredient with the given key when there is one; returns the key of the
    // chosen ingredient, or ends with the silent abort when cancelled.
    QString SelectIngredient(const QString &initialKey);

    // The picker's own view of the ingredients, in order of their names.
    TTable tblIngredient;
    TDataSource dsIngredient{&tblIngredient};

    TIncrementalSearch *const SearchName;
    QPushButton *const btnInsert;
    QGroupBox *const gbCriteria;
    BoundGrid *const SearchGrid;
    QPushButton *const OKButton;
    QPushButton *const CancelBtn;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool SearchNameKeyDown(const QKeyEvent &event);
    void SearchGridDblClick();
    bool SelectIngredientFromCriteria(const QKeyEvent &event);
    void btnInsertClick();
    void tblIngredientNewRecord();
    void setUpSearch();
    void layOut();
};
