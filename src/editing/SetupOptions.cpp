#include "editing/Setup.h"

#include "data/SysInfo.h"
#include "data/Utilities.h"
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

const QString kReportDates[] = {QStringLiteral("NoDate"), QStringLiteral("Today"), QStringLiteral("ThisWeek"),
                                QStringLiteral("ThisMonth")};

bool readFlag(const char *topic)
{
    return TextToBool(SysInfo->ReadSystemValue(QLatin1String(topic)));
}

void writeFlag(const char *topic, const QCheckBox *box)
{
    SysInfo->WriteSystemValue(QLatin1String(topic), BoolToText(box->isChecked()));
}

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
    setFlag(cbEnableNiftyForms,
            TextToBool(SysInfo->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True"))));
    // The preview follows the path as it is filled in.
    edNiftyFormsFile->setText(
        SysInfo->ReadIniValue(QStringLiteral("Nifty Forms File"), TSysInfo::defaultNiftyFormsFile()));
    rgItemsClick();
    PageControl1->setCurrentIndex(pageChoice == 0 ? 0 : 1);
    loadReportDate();
    setFlag(cbStartOnToday, readFlag("Start On Today"));
    setFlag(cbViewBtnCaptions, readFlag("View Button Captions"));
    setFlag(cbAutoSelectRecipe, readFlag("Auto Select"));
    setFlag(cbViewHints, readFlag("View Hints"));
    cbViewHintsClick();
    setFlag(cbViewCoolButtons, readFlag("View Cool Buttons"));
    setFlag(cbViewCalendar, readFlag("View Calendar"));
}

// Any text but the four values leaves no item selected.
void TSetupForm::loadReportDate()
{
    const QString value = SysInfo->ReadSystemValue(QStringLiteral("Report Date"));
    const QSignalBlocker blocker(rgReportDate);
    rgReportDate->setExclusive(false);
    for (QAbstractButton *item : rgReportDate->buttons())
        item->setChecked(false);
    rgReportDate->setExclusive(true);
    for (int item = 0; item < int(std::size(kReportDates)); ++item) {
        if (value == kReportDates[item]) {
            rgReportDate->button(item)->setChecked(true);
            break;
        }
    }
}

void TSetupForm::SaveOptions()
{
    SysInfo->WriteIniValue(QStringLiteral("Enable Nifty Forms"), BoolToText(cbEnableNiftyForms->isChecked()),
                           QStringLiteral("True"));
    // An empty path is written as the default.
    SysInfo->WriteIniValue(QStringLiteral("Nifty Forms File"), edNiftyFormsFile->text(),
                           TSysInfo::defaultNiftyFormsFile());
    writeFlag("Start On Today", cbStartOnToday);
    writeFlag("View Button Captions", cbViewBtnCaptions);
    writeFlag("Auto Select", cbAutoSelectRecipe);
    writeFlag("View Hints", cbViewHints);
    writeFlag("View Cool Buttons", cbViewCoolButtons);
    writeFlag("View Calendar", cbViewCalendar);
    saveReportDate();
}

// With no item selected the stored value stays as it was.
void TSetupForm::saveReportDate()
{
    const int item = rgReportDate->checkedId();
    if (item >= 0 && item < int(std::size(kReportDates)))
        SysInfo->WriteSystemValue(QStringLiteral("Report Date"), kReportDates[item]);
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
