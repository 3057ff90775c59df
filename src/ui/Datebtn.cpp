#include "ui/Datebtn.h"

#include "ui/CommandGuard.h"
#include "ui/Finddate.h"

#include <QLineEdit>
#include <QTimer>

TDateLookupButton::TDateLookupButton(QWidget *parent) : QPushButton(QStringLiteral("..."), parent)
{
    setFixedSize(sizeHint());
    connect(this, &QPushButton::clicked, this, guarded(this, &TDateLookupButton::Click));
}

// Cancel in the finder ends the click with the silent abort: the box keeps its text and the
// focus stays here.
void TDateLookupButton::Click()
{
    if (m_edit) {
        TFindDateForm finder(this);
        m_edit->setText(finder.Execute(m_edit->text()));
    }
    emit dateChosen();
    if (m_autoNextControl && parentWidget())
        moveFocusOn();
}

// The finder has only just closed and the window may not be active again yet, so there is no
// application focus widget to start from: the move starts from this button instead.
void TDateLookupButton::moveFocusOn()
{
    QTimer::singleShot(0, this, [this] {
        setFocus(Qt::OtherFocusReason);
        focusNextChild();
    });
}
