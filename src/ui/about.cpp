#include "ui/about.h"

#include "data/EngineError.h"
#include "ui/FormDefaults.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ProgramName(new QLabel(QStringLiteral("Platewright"), this)),
      Version(new QLabel(QStringLiteral("v 1.4"), this)),
      btnFinish(new QPushButton(QStringLiteral("Finish"), this))
{
    setWindowTitle(QStringLiteral("About"));
    setFont(FormDefaults::formFont());
    setFixedSize(377, 269);
    FormDefaults::centreWhenFirstShown(*this);

    QFont nameFont = font();
    nameFont.setBold(true);
    nameFont.setPixelSize(21);
    ProgramName->setFont(nameFont);
    ProgramName->setAlignment(Qt::AlignCenter);
    QFont versionFont = nameFont;
    versionFont.setPixelSize(16);
    Version->setFont(versionFont);
    Version->setAlignment(Qt::AlignCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnFinish);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(ProgramName);
    layout->addWidget(Version);
    layout->addStretch();
    layout->addLayout(buttons);

    btnFinish->setDefault(true);
    connect(btnFinish, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::ShowAbout()
{
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
}
