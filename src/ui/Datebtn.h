#pragma once

#include <QPointer>
#include <QPushButton>

class QLineEdit;

// The small "..." button beside a date box: it opens the date finder on the box's date and
// writes the chosen date back into the box.
class TDateLookupButton : public QPushButton {
    Q_OBJECT
public:
    explicit TDateLookupButton(QWidget *parent = nullptr);

    // The box whose date the button edits; forgotten when the box is destroyed.
    QLineEdit *Edit() const { return m_edit; }
    void setEdit(QLineEdit *edit) { m_edit = edit; }
    // After a successful pick, move the focus on to the next control of the window.
    bool AutoNextControl() const { return m_autoNextControl; }
    void setAutoNextControl(bool on) { m_autoNextControl = on; }

    QSize sizeHint() const override { return {17, 21}; }

signals:
    // The date was picked or cleared and the box holds the result; not sent after Cancel.
    void dateChosen();

private:
    void Click();
    void moveFocusOn();

    QPointer<QLineEdit> m_edit;
    bool m_autoNextControl = true;
};
