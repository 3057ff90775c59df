#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

class QLabel;

// The borderless "Working..." box shown while a long operation runs. Its messages form a
// stack, so a nested operation restores the outer message when it ends.
class TWaitForm : public QWidget {
    Q_OBJECT
public:
    explicit TWaitForm(QWidget *owner = nullptr);

    // Shows the box with the text and paints it at once, before the caller's long work starts.
    void ShowText(const QString &text);
    void PushText(const QString &text);
    // Drops the top message; shows the one below it, or hides the box when none is left.
    void PopText();
    // Replaces the shown text while a long operation reports its progress, leaving the stack
    // as it is; the box is repainted at most every kProgressIntervalMs, and only painted: no
    // user input is processed meanwhile.
    void ShowProgress(const QString &text);

    static constexpr int kProgressIntervalMs = 250;

    QLabel *const DescriptionText;

private:
    void paintNow();

    QStringList m_messages;  // the first entry is the top
    QElapsedTimer m_sincePainted;
};

extern TWaitForm *WaitForm;
