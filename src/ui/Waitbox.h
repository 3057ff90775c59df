#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <memory>

class QLabel;
class QPushButton;
class UserInputBlock;

// The borderless "Working..." box shown while a long operation runs. Its messages form a
// stack, so a nested operation restores the outer message when it ends. While it shows, the
// user's input reaches no other window of the program; those still repaint whenever the
// operation lets the event loop run (ShowProgress, or all along for work on another thread).
class TWaitForm : public QWidget {
    Q_OBJECT
public:
    explicit TWaitForm(QWidget *owner = nullptr);
    ~TWaitForm() override;

    // Shows the box with the text and paints it at once, before the caller's long work starts.
    void ShowText(const QString &text);
    void PushText(const QString &text);
    // Drops the top message; shows the one below it, or hides the box when none is left.
    void PopText();
    // Replaces the shown text while a long operation reports its progress, leaving the stack
    // as it is, and lets the event loop run so that every window repaints; both at most every
    // kProgressIntervalMs.
    void ShowProgress(const QString &text);

    // Offers the Stop button (and Esc) until the box hides; a press is read by stopRequested(),
    // from any thread.
    void setStoppable(bool stoppable);
    bool stopRequested() const { return m_stopRequested; }

    static constexpr int kProgressIntervalMs = 100;
    // How long showing the box may wait for the windowing system to draw it.
    static constexpr int kShowWaitMs = 150;

    QLabel *const DescriptionText;
    QPushButton *const btnStop;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintNow();
    void waitUntilDrawn();
    void requestStop();

    QStringList m_messages;  // the first entry is the top
    QElapsedTimer m_sincePainted;
    std::unique_ptr<UserInputBlock> m_inputBlock;
    bool m_stoppable = false;
    std::atomic<bool> m_stopRequested = false;
};

extern TWaitForm *WaitForm;
