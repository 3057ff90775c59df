#include "editing/Setup.h"

#include "data/SysInfo.h"
#include "ui/AbsBase.h"
#include "ui/Misc.h"
#include "ui/NiftyMan.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

void setFlag(QCheckBox *box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

bool isExistingFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

void TSetupForm::LoadOptions(int pageChoice)
{
    setFlag(cbEnableNiftyForms, SysInfo->read(Settings::EnableNiftyForms));
    // The preview follows the path as it is filled in.
    edNiftyFormsFile->setText(SysInfo->read(Settings::NiftyFormsFile));
    rgItemsClick();
    PageControl1->setCurrentIndex(pageChoice == 0 ? 0 : 1);
    loadReportDate();
    setFlag(cbStartOnToday, SysInfo->read(Settings::StartOnToday));
    setFlag(cbViewBtnCaptions, SysInfo->read(Settings::ViewButtonCaptions));
    setFlag(cbAutoSelectRecipe, SysInfo->read(Settings::AutoSelect));
    setFlag(cbViewHints, SysInfo->read(Settings::ViewHints));
    cbViewHintsClick();
    setFlag(cbViewCoolButtons, SysInfo->read(Settings::ViewCoolButtons));
    setFlag(cbViewCalendar, SysInfo->read(Settings::ViewCalendar));
}

// Any text but the four values leaves no item selected.
void TSetupForm::loadReportDate()
{
    const auto choice = Settings::reportDateChoice(SysInfo->read(Settings::ReportDate));
    const QSignalBlocker blocker(rgReportDate);
    rgReportDate->setExclusive(false);
    for (QAbstractButton *item : rgReportDate->buttons())
        item->setChecked(false);
    rgReportDate->setExclusive(true);
    if (choice)
        rgReportDate->button(int(*choice))->setChecked(true);
}

void TSetupForm::SaveOptions()
{
    SysInfo->write(Settings::EnableNiftyForms, cbEnableNiftyForms->isChecked());
    // An empty path is written as the default.
    SysInfo->write(Settings::NiftyFormsFile, edNiftyFormsFile->text());
    SysInfo->write(Settings::StartOnToday, cbStartOnToday->isChecked());
    SysInfo->write(Settings::ViewButtonCaptions, cbViewBtnCaptions->isChecked());
    SysInfo->write(Settings::AutoSelect, cbAutoSelectRecipe->isChecked());
    SysInfo->write(Settings::ViewHints, cbViewHints->isChecked());
    SysInfo->write(Settings::ViewCoolButtons, cbViewCoolButtons->isChecked());
    SysInfo->write(Settings::ViewCalendar, cbViewCalendar->isChecked());
    saveReportDate();
}

// With no item selected the stored value stays as it was.
void TSetupForm::saveReportDate()
{
    const int item = rgReportDate->checkedId();
    if (item >= 0 && item < Settings::kReportDateChoices)
        SysInfo->write(Settings::ReportDate, Settings::reportDateText(Settings::ReportDateChoice(item)));
}

// Only this window follows at once; the others when they next read "View Hints".
void TSetupForm::cbViewHintsClick()
{
    showHints(cbViewHints->isChecked());
}

void TSetupForm::cbEnableNiftyFormsClick()
{
    AbsBaseForm->NiftyManager1->setActive(cbEnableNiftyForms->isChecked());
}

// A path that names no file leaves the preview as it is; a file that is no picture is an error.
void TSetupForm::edNiftyFormsFileChange()
{
    const QString path = edNiftyFormsFile->text();
    if (!isExistingFile(path))
        return;
    imgNiftyFormBmp->setPixmap(QPixmap::fromImage(ReadPictureFile(path)));
}

void TSetupForm::SpeedButton1Click()
{
    const QString folder = QFileInfo(edNiftyFormsFile->text()).path();
    const QString chosen = choosePicture(*this, folder);
    if (!chosen.isEmpty())
        edNiftyFormsFile->setText(chosen);
}

void TSetupForm::btnApplyClick()
{
    const QString path = edNiftyFormsFile->text();
    if (isExistingFile(path))
        AbsBaseForm->NiftyManager1->loadPicture(path);
}
