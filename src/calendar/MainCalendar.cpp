#include "calendar/Main.h"

#include "calendar/MonthCalendar.h"
#include "data/DateText.h"
#include "data/DayServings.h"
#include "data/EngineError.h"
#include "data/Prompter.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"

#include <QLabel>
#include <QToolButton>

namespace {

// The month caption is English whatever the user's locale.
const char *const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

} // namespace

void TMainForm::ShowDayRecipe()
{
    if (showDayStrip() && SysInfo->read(Settings::AutoSelect))
        autoSelectRecipe(lbRecipe->text());
}

// The day strip, the month caption and the calendar buttons, as the day table stands; true
// when the selected day is planned.
bool TMainForm::showDayStrip()
{
    const QDate date = Calendar1->date();
    lbRecipeText->setText(QStringLiteral("Recipe for ") + DateText::toDisplay(date) + QStringLiteral(" is : "));
    TTable &days = dmMain1->tblDay;
    const bool planned = days.findKey({date});
    btnShoveright->setEnabled(planned);
    btnRemove->setEnabled(planned);
    btnAssign->setEnabled(!planned);
    if (planned)
        lbRecipe->setText(days.fieldByName(QStringLiteral("RecipeName")).asString());
    else
        lbRecipe->clear();
    lbServings->setText(DayServings::stripText(planned ? dmMain1->CurrentDayServings() : std::nullopt));
    lbMonth->setText(QString::fromLatin1(kMonthNames[Calendar1->month() - 1]) + QLatin1Char(' ')
                     + QString::number(Calendar1->year()));
    return planned;
}

// Within the list as filtered: a recipe the filter hides leaves the list where it is.
void TMainForm::autoSelectRecipe(const QString &recipeName)
{
    dmMain1->tblRecipe.findKey({recipeName});
}

// A planned day gets its recipe replaced, so it keeps one entry; the servings stay as they were.
void TMainForm::btnAssignClick()
{
    if (!listShowsRecipe())
        return;
    dmMain1->PlanDay(Calendar1->date(), dmMain1->tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString());
    ShowDayRecipe();
}

void TMainForm::btnShoveRightClick()
{
    dmMain1->ShoveDays(Calendar1->date());
    ShowDayRecipe();
}

void TMainForm::btnRemoveClick()
{
    dmMain1->RemovePlannedDay(Calendar1->date());
    ShowDayRecipe();
}

// Asks how many eat on the selected day, starting from what is stored now; a text that is no
// number of servings is refused with its reason and asked for again.
void TMainForm::Servings1Click()
{
    dmMain1->Database1.catchUpWithOtherCopies();
    const QDate date = Calendar1->date();
    if (!dmMain1->tblDay.findKey({date})) {
        Prompter::instance().inform(DayServings::notPlannedNotice(date));
        return;
    }
    QString text = DayServings::toText(dmMain1->CurrentDayServings());
    const QString question = QStringLiteral("How many eat %1 on %2?\n(Leave empty for as many as the recipe serves.)")
                                 .arg(dmMain1->tblDay.fieldByName(QStringLiteral("RecipeName")).asString(),
                                      DateText::toDisplay(date));
    for (;;) {
        const std::optional<QString> answer = Prompter::instance().askText(QStringLiteral("Servings"), question, text);
        if (!answer)
            return;
        std::optional<int> servings;
        try {
            servings = DayServings::fromText(*answer);
        } catch (const EngineError &refused) {
            Prompter::instance().inform(refused.message());
            text = *answer;
            continue;
        }
        dmMain1->SetDayServings(date, servings);
        break;
    }
    ShowDayRecipe();
}

// The day is cut to the length of the month it lands in before the month changes; every step
// raises the calendar's change notification.
void TMainForm::btnPrevMonthClick()
{
    if (Calendar1->month() == 1) {
        Calendar1->setYear(Calendar1->year() - 1);
        Calendar1->setMonth(12);
        return;
    }
    const int length = MonthLength(Calendar1->year(), Calendar1->month() - 1);
    if (Calendar1->day() > length)
        Calendar1->setDay(length);
    Calendar1->setMonth(Calendar1->month() - 1);
}

void TMainForm::btnNextMonthClick()
{
    if (Calendar1->month() == 12) {
        Calendar1->setYear(Calendar1->year() + 1);
        Calendar1->setMonth(1);
        return;
    }
    const int length = MonthLength(Calendar1->year(), Calendar1->month() + 1);
    if (Calendar1->day() > length)
        Calendar1->setDay(length);
    Calendar1->setMonth(Calendar1->month() + 1);
}

void TMainForm::btnTodayClick()
{
    Calendar1->setDate(QDate::currentDate());
}

void TMainForm::Calendar1Change()
{
    ShowDayRecipe();
}
