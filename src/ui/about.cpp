#include "ui/about.h"

#include "data/EngineError.h"
#include "ui/AboutPicture.h"
#include "ui/FormDefaults.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TAboutForm *AboutForm = nullptr;

namespace {

QFont captionFont(const QFont &base, int pixelSize)
{
    QFont font(QStringLiteral("Scribble"));
    font.setFamilies({QStringLiteral("Scribble"), QStringLiteral("URW Chancery L"), QStringLiteral("Z003"),
                      QStringLiteral("Comic Sans MS"), base.family()});
    font.setStyleHint(QFont::Decorative);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QLabel *whiteLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->adjustSize();
    return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      Notebook1(new QStackedWidget),
      ProgramIcon(new QLabel),
      ProgramName(whiteLabel(QStringLiteral("Platewright"), captionFont(font(), 21), ProgramIcon)),
      Version(whiteLabel(QStringLiteral("v 1.4"), captionFont(font(), 16), ProgramIcon)),
      btnPrev(new QPushButton(QStringLiteral("&Prev"))),
      btnNext(new QPushButton(QStringLiteral("&Next"))),
      btnFinish(new QPushButton(QStringLiteral("Finish")))
{
    setWindowTitle(QStringLiteral("About"));
    setFont(FormDefaults::formFont());
    setFixedSize(377, 269);
    FormDefaults::centreWhenFirstShown(*this);
    Notebook1->addWidget(createAboutPage());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createBookPanel(), 1);
    layout->addWidget(createButtonPanel());
    setTabOrder(btnNext, btnPrev);
    setTabOrder(btnPrev, btnFinish);
    connect(btnNext, &QPushButton::clicked, this, &TAboutForm::btnNextClick);
    connect(btnPrev, &QPushButton::clicked, this, &TAboutForm::btnPrevClick);
    connect(btnFinish, &QPushButton::clicked, this, &QDialog::accept);
}

// The picture fills the page; the name sits at its top centre, the version below and right.
QWidget *TAboutForm::createAboutPage()
{
    ProgramIcon->setObjectName(QStringLiteral("About"));
    ProgramIcon->setPixmap(QPixmap::fromImage(aboutPicture()));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setMinimumSize(1, 1);
    auto *versionRow = new QHBoxLayout;
    versionRow->addStretch(3);
    versionRow->addWidget(Version);
    versionRow->addStretch(1);
    auto *layout = new QVBoxLayout(ProgramIcon);
    layout->setContentsMargins(4, 6, 4, 4);
    layout->setSpacing(0);
    layout->addWidget(ProgramName, 0, Qt::AlignHCenter);
    layout->addLayout(versionRow);
    layout->addStretch();
    return ProgramIcon;
}

QWidget *TAboutForm::createBookPanel()
{
    auto *outer = new QFrame(this);
    auto *inner = new QFrame(outer);
    inner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    inner->setLineWidth(2);
    auto *outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(10, 10, 10, 10);
    outerLayout->addWidget(inner);
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(2, 2, 2, 2);
    Notebook1->setParent(inner);
    Notebook1->setStyleSheet(QStringLiteral("background: silver;"));
    innerLayout->addWidget(Notebook1);
    return outer;
}

QWidget *TAboutForm::createButtonPanel()
{
    auto *panel = new QWidget(this);
    panel->setFixedHeight(32);
    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(10, 0, 10, 4);
    buttons->addStretch();
    for (QPushButton *button : {btnPrev, btnNext, btnFinish}) {
        button->setParent(panel);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    return panel;
}

void TAboutForm::ShowAbout()
{
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
}

void TAboutForm::btnNextClick()
{
    const int count = Notebook1->count();
    Notebook1->setCurrentIndex((Notebook1->currentIndex() + 1) % count);
    if (Notebook1->currentIndex() == count - 1)
        btnFinish->setEnabled(true);
}

void TAboutForm::btnPrevClick()
{
    const int count = Notebook1->count();
    Notebook1->setCurrentIndex((Notebook1->currentIndex() + count - 1) % count);
}

// There is no cancel button, so Esc does nothing.
void TAboutForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QImage TAboutForm::aboutPicture()
{
    return AboutPicture::draw();
}
