#pragma once

#include <QList>
#include <QString>
#include <utility>
#include <optional>

// Every setting of the program by name, each with where it is kept and its default. The key
// texts are those of the users' files and databases and never change. Windows ask the
// settings store for a setting by these names (SysInfo->read(Settings::ViewHints)), never by
// its text.
namespace Settings {

enum class Store {
    // A row of the table "SYSTEM" (Topic, Data): travels with the recipes. A new database
    // starts with the default; a row that is missing or empty reads as the empty text (false).
    Database,
    // A key of the section "Setup" of the settings file "Recipe.Ini". A key that is missing or
    // empty reads as the default, which is written back for the next start.
    SettingsFile,
};

struct Flag {
    const char *key;
    Store store;
    bool defaultValue;
};

struct Text {
    const char *key;
    Store store;
    QString (*defaultValue)();  // null: none (the empty text)
};

extern const Flag EnableNiftyForms;
extern const Text NiftyFormsFile;
extern const Flag StartOnToday;
extern const Flag ViewButtonCaptions;
extern const Flag AutoSelect;
extern const Flag ViewHints;
extern const Flag ViewCoolButtons;
extern const Flag ViewCalendar;
extern const Text ReportDate;
extern const Text RecipeImportDir;
extern const Text RecipeExportDir;
extern const Text RecipeImportEncoding;
extern const Flag CombineQuantities;

// The rows of "SYSTEM" a new database starts with (key, value).
QList<std::pair<QString, QString>> starterRows();

// What "Report Date" holds, in the order the setup window lists the choices.
enum class ReportDateChoice { NoDate, Today, ThisWeek, ThisMonth };
inline constexpr int kReportDateChoices = 4;
QString reportDateText(ReportDateChoice choice);
// Any other text is no choice.
std::optional<ReportDateChoice> reportDateChoice(const QString &text);

} // namespace Settings
