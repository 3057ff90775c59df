#include "ui/AbsBase.h"

#include "ui/BuiltInTile.h"
#include "ui/FormDefaults.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"

#include <QImage>

TAbsBaseForm *AbsBaseForm = nullptr;

TAbsBaseForm::TAbsBaseForm(QWidget *owner)
    : QWidget(owner), NiftyManager1(new TNiftyManager(this)), NiftyForm1(new TNiftyForm(this, NiftyManager1))
{
    setWindowTitle(QStringLiteral("AbsBaseForm"));
    setFont(FormDefaults::formFont());
    FormDefaults::centreWhenFirstShown(*this);
    NiftyManager1->setPicture(BuiltInTile::picture());
}

// Detach the link before the manager goes, whatever order the children are destroyed in.
TAbsBaseForm::~TAbsBaseForm()
{
    NiftyForm1->setNiftyManager(nullptr);
}
