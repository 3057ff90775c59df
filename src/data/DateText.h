#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates as the user reads and types them (the locale's short date, always with a four-digit
// year so that no century is guessed) and as the database stores them (ISO 8601, which
// sorts and compares as text).
namespace DateText {

QString displayFormat();
QString toDisplay(const QDate &date);

// Reads a date as people type it in the user's locale: day, month and year in the order of
// the locale's short date, days and months with or without a leading zero, years of two or
// four digits, a month name where the locale writes one, any of the usual separators; and
// ISO 8601 (2026-12-24) in every locale.
QDate parse(const QString &text);
// The same in the given locale, placing two-digit years around the given year.
QDate parse(const QString &text, const QLocale &locale, int currentYear);

// A two-digit year is the year ending in those digits among the fifty years before the
// current one and the forty-nine after it, whatever the locale.
int expandTwoDigitYear(int twoDigits, int currentYear);

QString toStorage(const QDate &date);
QDate fromStorage(const QVariant &value);

} // namespace DateText
