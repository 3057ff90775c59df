#include "ui/Waitbox.h"

#include "ui/FormDefaults.h"
#include "ui/UserInputBlock.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

TWaitForm *WaitForm = nullptr;

TWaitForm::TWaitForm(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), DescriptionText(new QLabel),
      btnStop(new QPushButton(QStringLiteral("&Stop")))
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
    btnStop->setCursor(Qt::ArrowCursor);
    btnStop->setFocusPolicy(Qt::NoFocus);
    btnStop->hide();
    connect(btnStop, &QPushButton::clicked, this, &TWaitForm::requestStop);

    auto *sunken = new QFrame;
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *inner = new QHBoxLayout(sunken);
    inner->addWidget(DescriptionText, 1);
    inner->addWidget(btnStop);
    auto *raised = new QFrame;
    raised->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *raisedLayout = new QHBoxLayout(raised);
    raisedLayout->setContentsMargins(8, 4, 8, 4);
    raisedLayout->addWidget(sunken);
    auto *window = new QHBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->addWidget(raised);
}

TWaitForm::~TWaitForm() = default;

void TWaitForm::ShowText(const QString &text)
{
    DescriptionText->setText(text);
    const bool appears = !isVisible();
    show();
    raise();
    paintNow();
    if (appears)
        waitUntilDrawn();
}

void TWaitForm::ShowProgress(const QString &text)
{
    if (!isVisible() || (m_sincePainted.isValid() && m_sincePainted.elapsed() < kProgressIntervalMs))
        return;
    DescriptionText->setText(text);
    paintNow();
    // The user's input is blocked meanwhile (m_inputBlock).
    QCoreApplication::processEvents();
}

// The caller keeps the thread busy, so the event loop will not paint the box: pending update
// requests are delivered here and the box is painted at once.
void TWaitForm::paintNow()
{
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    repaint();
    m_sincePainted.start();
}

// A window the windowing system has only just been asked to show cannot be painted on yet:
// the event loop runs until the box is on the screen and drawn, for a moment at most.
void TWaitForm::waitUntilDrawn()
{
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < kShowWaitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

void TWaitForm::PushText(const QString &text)
{
    if (m_messages.isEmpty())
        m_inputBlock = std::make_unique<UserInputBlock>(this, [this] { requestStop(); });
    ShowText(text);
    m_messages.prepend(text);
}

void TWaitForm::PopText()
{
    if (m_messages.isEmpty())
        return;
    m_messages.removeFirst();
    if (m_messages.isEmpty()) {
        hide();
        setStoppable(false);
        m_inputBlock.reset();
    } else {
        ShowText(m_messages.first());
    }
}

void TWaitForm::setStoppable(bool stoppable)
{
    m_stoppable = stoppable;
    m_stopRequested = false;
    btnStop->setVisible(stoppable);
    btnStop->setEnabled(true);
}

void TWaitForm::requestStop()
{
    if (!m_stoppable)
        return;
    m_stopRequested = true;
    btnStop->setEnabled(false);
}

void TWaitForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        requestStop();
    else
        QWidget::keyPressEvent(event);
}
