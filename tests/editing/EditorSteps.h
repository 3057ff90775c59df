#pragma once

#include "EditorFixture.h"

#include "editing/Ingredient.h"
#include "editing/IngredientDetail.h"
#include "editing/RecipeEdit.h"
#include "ui/BoundLineEdit.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

// Steps a user takes in the editors, each through the real windows.

// Chooses the named ingredient in the picker that opens next.
inline void pickNext(const QString &ingredientName)
{
    whenShown<TIngredientForm>([ingredientName](TIngredientForm &picker) {
        QVERIFY(picker.tblIngredient.locate(QStringLiteral("Ingredient"), ingredientName));
        picker.OKButton->click();
    });
}

// In the open line editor: looks the ingredient up and types the amount.
inline void fillLine(TIngredientDetailForm &line, const QString &ingredientName, const QString &amount)
{
    pickNext(ingredientName);
    line.BitBtn1->click();
    QTest::keyClicks(line.DBEdit1, amount);
}

// Adds a line through the recipe editor's Add button, confirmed with OK.
inline void addLineThrough(TRecipeEditForm &editor, const QString &ingredientName, const QString &amount)
{
    whenShown<TIngredientDetailForm>([&](TIngredientDetailForm &line) {
        fillLine(line, ingredientName, amount);
        line.BitBtn4->click();
    });
    editor.btnAdd->click();
}

// The text of a grid row as the user reads it first: the leftmost column on screen.
inline QString shownFirst(QTableView *grid, int row)
{
    return grid->model()->index(row, grid->horizontalHeader()->logicalIndex(0)).data().toString();
}

// The stored lines of a recipe as "ingredient name:order", in order.
inline QStringList storedLines(EditorFixture &fixture, const QString &recipeId)
{
    return fixture.column(QStringLiteral("SELECT i.Ingredient || ':' || r.\"Order\" FROM REC_INGR r "
                                         "LEFT JOIN INGREDIE i ON i.Ingredient_ID = r.Ingredient_ID "
                                         "WHERE r.Recipe_ID = '%1' ORDER BY r.\"Order\"")
                              .arg(recipeId));
}
