#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// While it lives, the user's input (keys, mouse, wheel, touch, drops, closing a window) reaches
// no window of the program but the one it lets through, while every window still repaints:
// the event loop may run during a long operation without the user starting another one.
// Esc pressed in any window calls onEscape.
class UserInputBlock : public QObject {
public:
    explicit UserInputBlock(QWidget *letThrough = nullptr, std::function<void()> onEscape = {});
    ~UserInputBlock() override;
    UserInputBlock(const UserInputBlock &) = delete;
    UserInputBlock &operator=(const UserInputBlock &) = delete;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    bool isLetThrough(QObject *receiver) const;

    QPointer<QWidget> m_letThrough;
    std::function<void()> m_onEscape;
};
