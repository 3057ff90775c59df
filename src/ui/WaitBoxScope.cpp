#include "ui/WaitBoxScope.h"

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

void WaitBoxScope::showCount(int count, const QString &counted)
{
    if (m_box)
        m_box->ShowProgress(QStringLiteral("%1\n%2 %3").arg(m_message).arg(count).arg(counted));
}

void WaitBoxScope::setStoppable(bool stoppable)
{
    if (m_box)
        m_box->setStoppable(stoppable);
}

bool WaitBoxScope::stopRequested() const
{
    return m_box && m_box->stopRequested();
}
