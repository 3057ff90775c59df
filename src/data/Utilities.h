#pragma once

#include <QDate>
#include <QString>

class TDataSet;

// Days in the month; 0 for a month number outside 1..12.
int MonthLength(int year, int month);
// The calendar day after the given one.
QDate NextDayDate(const QDate &date);

QString BoolToText(bool value);
// True exactly when the text is "TRUE" in any letter case.
bool TextToBool(const QString &text);

// Stores the view's pending record only when it is being edited or inserted and was changed.
void PostIfModified(TDataSet &view);
