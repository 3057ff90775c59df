#include "calendar/Main.h"

#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "ui/AbsBase.h"
#include "ui/BoundGrid.h"
#include "ui/NiftyMan.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QKeySequenceEdit>
#include <QLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

void TMainForm::ApplyOptions()
{
    AbsBaseForm->NiftyManager1->setActive(SysInfo->read(Settings::EnableNiftyForms));
    showButtonCaptions(SysInfo->read(Settings::ViewButtonCaptions));
    showHints(SysInfo->read(Settings::ViewHints));
    makeButtonsFlat(tbRecipe, SysInfo->read(Settings::ViewCoolButtons));
    makeButtonsFlat(tbCalendar, SysInfo->read(Settings::ViewCoolButtons));
    showCalendar(SysInfo->read(Settings::ViewCalendar));
    fillCategories();
    const bool calendarShown = !pnlCalendar->isHidden();
    if (calendarShown) {
        resize(pnlCalendar->x() + pnlCalendar->width() + kCalendarRightMargin, height());
        copyShortcut(HotKey4, Assign1);
        copyShortcut(HotKey5, ShoveRight1);
        copyShortcut(HotKey6, Remove1);
        copyShortcut(HotKey7, PrevMonth1);
        copyShortcut(HotKey8, NextMonth1);
        copyShortcut(HotKey9, Today1);
    } else {
        resize(pnlCalendar->x(), height());
        // A hidden calendar cannot take the focus back when the window is active again.
        if (focusWidget() && !focusWidget()->isVisibleTo(this))
            DBGrid1->setFocus();
    }
    for (QAction *item : calendarItems())
        item->setEnabled(calendarShown);
}

void TMainForm::SetButtonSize(int height, int width)
{
    for (QToolButton *button : toolButtons())
        button->setFixedSize(width, height);
}

// Both tool bars follow the recipe bar's state.
void TMainForm::showButtonCaptions(bool shown)
{
    const Qt::ToolButtonStyle style = shown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    for (QToolButton *button : toolButtons())
        button->setToolButtonStyle(style);
    if (shown)
        SetButtonSize(30, 60);
    else
        SetButtonSize(25, 30);
}

void TMainForm::showHints(bool shown)
{
    for (const auto &[control, hint] : std::as_const(m_hints))
        control->setToolTip(shown ? hint : QString());
}

void TMainForm::makeButtonsFlat(QToolBar *toolBar, bool flat)
{
    for (QToolButton *button : toolBar->findChildren<QToolButton *>())
        button->setAutoRaise(flat);
}

// A hidden panel keeps its last geometry. Showing it lays the window out at once, so the
// window gets its width back first; hiding lowers the minimum width so it can narrow.
void TMainForm::showCalendar(bool shown)
{
    layout()->activate();
    if (shown && pnlCalendar->isHidden())
        resize(pnlCalendar->x() + pnlCalendar->width() + kCalendarRightMargin, height());
    pnlCalendar->setVisible(shown);
    m_calendarMargin->setVisible(shown);
    Calendar2->menuAction()->setVisible(shown);
    if (!shown)
        layout()->activate();
}

// The list is refilled, but the box keeps showing the category the recipes are filtered on.
void TMainForm::fillCategories()
{
    const QSignalBlocker blocker(cbCategory);
    const QString shown = cbCategory->currentText();
    cbCategory->clear();
    cbCategory->addItem(QStringLiteral("ALL"));
    TTable &categories = dmMain1->tblCategory;
    const int field = categories.fieldIndex(QStringLiteral("Category"));
    for (int row = 0; row < categories.recordCount(); ++row)
        cbCategory->addItem(categories.valueAt(row, field).toString());
    if (!shown.isEmpty())
        cbCategory->setEditText(shown);
}

void TMainForm::copyShortcut(const QKeySequenceEdit *hotKey, QAction *item)
{
    item->setShortcut(hotKey->keySequence());
}
