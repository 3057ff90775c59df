#pragma once

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

    QLabel *const DescriptionText;

private:
    QStringList m_messages;  // the first entry is the top
};

extern TWaitForm *WaitForm;
