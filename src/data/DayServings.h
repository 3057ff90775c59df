#pragma once

#include <QDate>
#include <QString>
#include <optional>

// How many eat on a planned day: a whole number, or none for as many as the recipe serves.
namespace DayServings {

inline constexpr int kMost = 999;

// An empty text is none; anything but a whole number from 1 to kMost raises a check error
// that says what is accepted.
std::optional<int> fromText(const QString &text);
QString toText(std::optional<int> servings);
// What the calendar's day strip shows after the recipe's name: empty for none.
QString stripText(std::optional<int> servings);
// Why a day without a recipe has no servings to set.
QString notPlannedNotice(const QDate &date);

} // namespace DayServings
