#include "reports/ReportDatePreset.h"

#include "data/Settings.h"
#include "data/Utilities.h"

ReportDatePreset::ReportDatePreset(const QString &reportDate, bool startOnToday)
    : m_reportDate(reportDate), m_startOnToday(startOnToday)
{
}

std::optional<ReportDatePreset::Range> ReportDatePreset::rangeFor(const QDate &calendarDate, const QDate &today) const
{
    switch (Settings::reportDateChoice(m_reportDate).value_or(Settings::ReportDateChoice::NoDate)) {
    case Settings::ReportDateChoice::Today:
        return Range{today, today};
    case Settings::ReportDateChoice::ThisWeek:
        return week(calendarDate);
    case Settings::ReportDateChoice::ThisMonth:
        return month(today);
    case Settings::ReportDateChoice::NoDate:
        break;
    }
    return std::nullopt;
}

ReportDatePreset::Range ReportDatePreset::week(const QDate &calendarDate) const
{
    // dayOfWeek() counts Monday as 1 and Sunday as 7; the week here starts on Sunday.
    const QDate first = m_startOnToday ? calendarDate : calendarDate.addDays(-(calendarDate.dayOfWeek() % 7));
    return {first, first.addDays(6)};
}

ReportDatePreset::Range ReportDatePreset::month(const QDate &today)
{
    return {QDate(today.year(), today.month(), 1), QDate(today.year(), today.month(), MonthLength(today.year(), today.month()))};
}
