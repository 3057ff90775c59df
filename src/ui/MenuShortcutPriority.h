#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QWidget;

// Runs a window's menu commands by their shortcuts ahead of the access keys of its menu bar
// and buttons, as a menu item's own shortcut should take precedence. Left to the shortcut map,
// Alt+P of "&Prev Month" and the access key of "Re&ports" cancel each other out as ambiguous
// and neither runs. A disabled command leaves its key to the access keys.
class MenuShortcutPriority : public QObject {
    Q_OBJECT
public:
    // Watches the keys typed into the window; the window owns the watcher.
    MenuShortcutPriority(QWidget &window, QList<QAction *> actions);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *commandFor(QObject *receiver, const QKeyEvent &event) const;

    QWidget &m_window;
    QList<QPointer<QAction>> m_actions;
};
