#include "ui/Waitbox.h"

#include "ui/FormDefaults.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

TWaitForm *WaitForm = nullptr;

TWaitForm::TWaitForm(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), DescriptionText(new QLabel)
{
    setWindowTitle(QStringLiteral("Working..."));
    setFont(FormDefaults::formFont());
    setAttribute(Qt::WA_QuitOnClose, false);
    setCursor(Qt::WaitCursor);
    setFixedSize(333, 60);
    FormDefaults::centreWhenFirstShown(*this);

    QFont textFont = font();
    textFont.setBold(true);
    textFont.setPixelSize(12);
    DescriptionText->setFont(textFont);
    DescriptionText->setStyleSheet(QStringLiteral("color: navy;"));
    DescriptionText->setAlignment(Qt::AlignCenter);
    DescriptionText->setWordWrap(true);

    auto *sunken = new QFrame;
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    (new QHBoxLayout(sunken))->addWidget(DescriptionText);
    auto *raised = new QFrame;
    raised->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *raisedLayout = new QHBoxLayout(raised);
    raisedLayout->setContentsMargins(8, 4, 8, 4);
    raisedLayout->addWidget(sunken);
    auto *window = new QHBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->addWidget(raised);
}

void TWaitForm::ShowText(const QString &text)
{
    DescriptionText->setText(text);
    show();
    raise();
    paintNow();
}

void TWaitForm::ShowProgress(const QString &text)
{
    if (!isVisible() || (m_sincePainted.isValid() && m_sincePainted.elapsed() < kProgressIntervalMs))
        return;
    DescriptionText->setText(text);
    paintNow();
}

// The caller keeps the thread busy, so the event loop will not paint the box: pending update
// requests are delivered here and the box is painted at once.
void TWaitForm::paintNow()
{
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    repaint();
    m_sincePainted.start();
}

void TWaitForm::PushText(const QString &text)
{
    ShowText(text);
    m_messages.prepend(text);
}

void TWaitForm::PopText()
{
    if (m_messages.isEmpty())
        return;
    m_messages.removeFirst();
    if (m_messages.isEmpty())
        hide();
    else
        ShowText(m_messages.first());
}
