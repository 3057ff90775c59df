#pragma once

#include <QDate>
#include <QString>

// Dates as the user reads and types them (the locale's short date, always with a four-digit
// year so that no century is guessed) and as the database stores them (ISO 8601, which
// sorts and compares as text).
namespace DateText {

QString displayFormat();
QString toDisplay(const QDate &date);
// Accepts the display form, the locale's own short form and ISO 8601.
QDate parse(const QString &text);

QString toStorage(const QDate &date);
QDate fromStorage(const QVariant &value);

} // namespace DateText
