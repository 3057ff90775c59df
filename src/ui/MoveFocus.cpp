#include "ui/MoveFocus.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void MoveFocusToNext(QWidget *window)
{
    QPointer<QWidget> target(window);
    QTimer::singleShot(0, window, [target] {
        if (!target)
            return;
        // Walk the focus chain as Tab does (focusNextChild is not public).
        // Right after a nested dialog closes the application has no focus widget yet; the
        // window still remembers which of its controls had it.
        QWidget *current = QApplication::focusWidget();
        if (!current || current->window() != target->window())
            current = target->window()->focusWidget();
        if (!current)
            current = target;
        QWidget *next = current->nextInFocusChain();
        auto takesTab = [&target](QWidget *w) {
            return w->isVisibleTo(target) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
        };
        while (next && next != current && !takesTab(next))
            next = next->nextInFocusChain();
        if (next)
            next->setFocus(Qt::TabFocusReason);
    });
}
