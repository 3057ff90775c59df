#include "calendar/Main.h"

#include "calendar/FindByIngredientForm.h"
#include "data/Prompter.h"
#include "data/dmmain.h"
#include "ui/BoundGrid.h"

#include <QComboBox>
#include <QSignalBlocker>

void TMainForm::FindByIngredient1Click()
{
    FindByIngredientForm finder(*m_recipeFinder, this);
    showFoundRecipe(finder.FindRecipe());
}

// The found recipe becomes the list's current one; a category that hides it gives way to ALL.
void TMainForm::showFoundRecipe(const QString &recipeId)
{
    TTable &recipes = dmMain1->tblRecipe;
    const QString keyField = QStringLiteral("Recipe_ID");
    dmMain1->Database1.catchUpWithOtherCopies();  // the finder read the rows as stored now
    if (!recipes.locate(keyField, recipeId) && !recipes.filter().isEmpty()) {
        {
            const QSignalBlocker quiet(cbCategory);
            cbCategory->setEditText(QStringLiteral("ALL"));
        }
        Combo1Change();
        recipes.locate(keyField, recipeId);
    }
    if (recipes.fieldByName(keyField).asString() != recipeId)
        Prompter::instance().inform(QStringLiteral("That recipe has just been deleted by another copy of the program."));
    DBGrid1->setFocus();
}
