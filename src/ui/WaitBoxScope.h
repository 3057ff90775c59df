#pragma once

#include <QString>

class TWaitForm;

// Frames one long operation (an import, an export, a report) with a wait-box message: pushed
// when made, popped when destroyed, also when the operation fails. Without a wait box it does
// nothing.
class WaitBoxScope {
public:
    WaitBoxScope(TWaitForm *box, const QString &message);
    ~WaitBoxScope();
    WaitBoxScope(const WaitBoxScope &) = delete;
    WaitBoxScope &operator=(const WaitBoxScope &) = delete;

    // Adds the count so far under the message ("120 recipes read"); the box repaints, and
    // lets every window repaint, a few times a second.
    void showCount(int count, const QString &counted);
    void showRecipesRead(int count) { showCount(count, QStringLiteral("recipes read")); }
    // Offers the box's Stop button for the rest of the operation.
    void setStoppable(bool stoppable);
    // Whether the user pressed Stop (or Esc); may be asked from any thread.
    bool stopRequested() const;
    TWaitForm *box() const { return m_box; }

private:
    TWaitForm *m_box;
    QString m_message;
};
