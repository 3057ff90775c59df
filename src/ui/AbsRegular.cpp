#include "ui/AbsRegular.h"

#include "ui/AbsBase.h"
#include "ui/FormDefaults.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"

#include <stdexcept>

TAbsRegularForm *AbsRegularForm = nullptr;

namespace {

TNiftyManager *sharedNiftyManager()
{
    if (!AbsBaseForm)
        throw std::logic_error("A regular window was created before AbsBaseForm, which holds the shared "
                               "tiled-background manager.");
    return AbsBaseForm->NiftyManager1;
}

} // namespace

TAbsRegularForm::TAbsRegularForm(QWidget *owner)
    : QDialog(owner), NiftyForm1(new TNiftyForm(this, sharedNiftyManager()))
{
    setWindowTitle(QStringLiteral("AbsRegularForm"));
    setFont(FormDefaults::formFont());
    FormDefaults::centreWhenFirstShown(*this);
}
