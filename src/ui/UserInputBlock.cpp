#include "ui/UserInputBlock.h"

#include <QCoreApplication>
#include <QInputEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return dynamic_cast<const QInputEvent *>(event) != nullptr;
    }
}

} // namespace

UserInputBlock::UserInputBlock(QWidget *letThrough, std::function<void()> onEscape)
    : m_letThrough(letThrough), m_onEscape(std::move(onEscape))
{
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputBlock::~UserInputBlock()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool UserInputBlock::isLetThrough(QObject *receiver) const
{
    if (!m_letThrough)
        return false;
    if (auto *widget = qobject_cast<QWidget *>(receiver))
        return widget->window() == m_letThrough;
    if (auto *window = qobject_cast<QWindow *>(receiver))
        return window == m_letThrough->windowHandle();
    return false;
}

bool UserInputBlock::eventFilter(QObject *receiver, QEvent *event)
{
    if (!isUserInput(event) || isLetThrough(receiver))
        return false;
    // Blocked where it arrives first, a key press is seen here once.
    if (event->type() == QEvent::KeyPress && m_onEscape) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            m_onEscape();
    }
    return true;
}
