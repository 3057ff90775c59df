#include "data/Settings.h"

#include "data/SysInfo.h"
#include "data/Utilities.h"

namespace Settings {

const Flag EnableNiftyForms{"Enable Nifty Forms", Store::SettingsFile, true};
const Text NiftyFormsFile{"Nifty Forms File", Store::SettingsFile, &TSysInfo::defaultNiftyFormsFile};
// A new user starts with the calendar, the button captions and the hints on.
const Flag StartOnToday{"Start On Today", Store::Database, false};
const Flag ViewButtonCaptions{"View Button Captions", Store::Database, true};
const Flag AutoSelect{"Auto Select", Store::Database, false};
const Flag ViewHints{"View Hints", Store::Database, true};
const Flag ViewCoolButtons{"View Cool Buttons", Store::Database, true};
const Flag ViewCalendar{"View Calendar", Store::Database, true};
const Text ReportDate{"Report Date", Store::Database, [] { return reportDateText(ReportDateChoice::NoDate); }};
const Text RecipeImportDir{"Recipe Import Dir", Store::Database, nullptr};
const Text RecipeExportDir{"Recipe Export Dir", Store::Database, nullptr};
// The import page's "Text encoding" for Meal-Master files, by its command-line name (auto, cp437, ...).
const Text RecipeImportEncoding{"Recipe Import Encoding", Store::Database, nullptr};
// The report wizard's "Combine quantities" box on the shopping lists' pages.
const Flag CombineQuantities{"Combine Quantities", Store::Database, false};

QList<std::pair<QString, QString>> starterRows()
{
    QList<std::pair<QString, QString>> rows;
    for (const Flag *flag : {&ViewCalendar, &ViewButtonCaptions, &ViewHints, &ViewCoolButtons, &AutoSelect})
        rows.append({QLatin1String(flag->key), BoolToText(flag->defaultValue)});
    rows.append({QLatin1String(ReportDate.key), ReportDate.defaultValue()});
    rows.append({QLatin1String(StartOnToday.key), BoolToText(StartOnToday.defaultValue)});
    return rows;
}

namespace {
const char *const kReportDateTexts[kReportDateChoices] = {"NoDate", "Today", "ThisWeek", "ThisMonth"};
}

QString reportDateText(ReportDateChoice choice)
{
    return QLatin1String(kReportDateTexts[int(choice)]);
}

std::optional<ReportDateChoice> reportDateChoice(const QString &text)
{
    for (int choice = 0; choice < kReportDateChoices; ++choice) {
        if (text == QLatin1String(kReportDateTexts[choice]))
            return ReportDateChoice(choice);
    }
    return std::nullopt;
}

} // namespace Settings
