#include "data/Utilities.h"

#include "data/DataSet.h"

int MonthLength(int year, int month)
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default:
        return 0;
    }
}

QDate NextDayDate(const QDate &date)
{
    const int length = MonthLength(date.year(), date.month());
    if (date.day() < length)
        return QDate(date.year(), date.month(), date.day() + 1);
    if (date.month() < 12)
        return QDate(date.year(), date.month() + 1, 1);
    return QDate(date.year() + 1, 1, 1);
}

QString BoolToText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool TextToBool(const QString &text)
{
    return text.toUpper() == QLatin1String("TRUE");
}

void PostIfModified(TDataSet &view)
{
    if (view.isEditing() && view.isModified())
        view.post();
}
