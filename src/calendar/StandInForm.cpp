#include "calendar/StandInForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StandInForm::StandInForm(const QString &caption, QWidget *owner) : TAbsRegularForm(owner)
{
    setWindowTitle(caption);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1 is not available in this version.").arg(caption), this));
    layout->addWidget(buttons);
}

void StandInForm::run()
{
    exec();
}
