#include "ui/MenuShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

MenuShortcutPriority::MenuShortcutPriority(QWidget &window, QList<QAction *> actions)
    : QObject(&window), m_window(window)
{
    for (QAction *action : actions)
        m_actions.append(action);
    // The focus widget gets the keys first, and a line edit would type the letter of Alt+P;
    // only the application sees every key before the widget it is meant for.
    qApp->installEventFilter(this);
}

bool MenuShortcutPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    QAction *command = commandFor(watched, *static_cast<QKeyEvent *>(event));
    if (!command)
        return false;
    // Claiming the override keeps the shortcut map out; the key press that follows runs it.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        command->trigger();
    return true;
}

QAction *MenuShortcutPriority::commandFor(QObject *receiver, const QKeyEvent &event) const
{
    const auto *widget = qobject_cast<const QWidget *>(receiver);
    if (!widget || widget->window() != &m_window)
        return nullptr;
    const QKeySequence typed(QKeyCombination(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key())));
    for (const QPointer<QAction> &action : m_actions) {
        if (action && action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == typed)
            return action;
    }
    return nullptr;
}
