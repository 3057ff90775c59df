#include "exchange_ui/WaitBoxScope.h"

#include "ui/Waitbox.h"

WaitBoxScope::WaitBoxScope(TWaitForm *box, const QString &message) : m_box(box), m_message(message)
{
    if (m_box)
        m_box->PushText(m_message);
}

WaitBoxScope::~WaitBoxScope()
{
    if (m_box)
        m_box->PopText();
}

void WaitBoxScope::showRecipesRead(int count)
{
    if (m_box)
        m_box->ShowProgress(QStringLiteral("%1\n%2 recipes read").arg(m_message).arg(count));
}
