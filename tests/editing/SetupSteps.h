#pragma once

#include "EditorFixture.h"

#include "editing/Setup.h"
#include "editing/SetupEdit.h"
#include "ui/BoundGrid.h"
#include "ui/BoundLineEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>

// Steps a user takes in the setup window, each through the real windows.

// Runs the setup window on the page choice; the action runs while it is shown and should close
// it. True when it returned normally (Close).
inline bool runSetup(int pageChoice, const std::function<void(TSetupForm &)> &action)
{
    TSetupForm setup;
    whenShown<TSetupForm>(action);
    return runCommand([&] { setup.ShowSetup(pageChoice); });
}

inline void chooseList(TSetupForm &setup, int item)
{
    setup.rgItems->button(item)->click();
}

// Clicks the button and, in the single-value editor that opens, types the text and confirms
// with OK or Cancel. Returns the editor's caption.
inline QString editValueThrough(QPushButton *button, const QString &typed, bool ok)
{
    QString caption;
    whenShown<TSetupEditForm>([&](TSetupEditForm &editor) {
        caption = editor.windowTitle();
        editor.DBEdit1->selectAll();
        if (!typed.isEmpty())
            QTest::keyClicks(editor.DBEdit1, typed);
        (ok ? editor.btnOK : editor.BitBtn5)->click();
    });
    button->click();
    return caption;
}

inline QStringList gridColumn(const TSetupForm &setup)
{
    QStringList values;
    const QAbstractItemModel *model = setup.DBGrid->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        if (setup.DBGrid->isColumnHidden(column))
            continue;
        for (int row = 0; row < model->rowCount(); ++row)
            values << model->index(row, column).data().toString();
    }
    return values;
}
