#pragma once

#include "data/RecipeFinder.h"
#include "ui/AbsRegular.h"

#include <QStringListModel>
#include <QTimer>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// Finds recipes by what is in them: the cook types the ingredients a recipe must have and
// those it must not have, and the matching recipes are listed as they type.
class FindByIngredientForm : public TAbsRegularForm {
    Q_OBJECT
public:
    FindByIngredientForm(RecipeFinder &finder, QWidget *owner);

    // Returns the key of the chosen recipe, or ends with the silent abort when cancelled.
    QString FindRecipe();

    QLineEdit *const edWith;
    QLineEdit *const edWithout;
    QLabel *const lbCount;
    QListView *const lvRecipes;
    QPushButton *const btnShow;
    QPushButton *const btnCancel;

    // A burst of keystrokes costs one search, run after this pause.
    static constexpr int kSearchDelayMs = 200;
    // How often the list looks for recipes another copy of the program stored or deleted.
    static constexpr int kOtherCopiesIntervalMs = 1000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void searchSoon();
    enum class Choice { First, Kept };
    void searchNow(Choice choice = Choice::First);
    void followOtherCopies();
    void chooseRecipe();
    bool forwardKey(const QKeyEvent &event);

    RecipeFinder &m_finder;
    QList<FoundRecipe> m_found;
    QStringListModel m_names;
    QTimer m_searchDelay;
    QTimer m_otherCopiesTimer;
};
