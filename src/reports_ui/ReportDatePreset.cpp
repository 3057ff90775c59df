#include "reports_ui/ReportDatePreset.h"

#include "data/Utilities.h"

ReportDatePreset::ReportDatePreset(const QString &reportDate, bool startOnToday)
    : m_reportDate(reportDate), m_startOnToday(startOnToday)
{
}

std::optional<ReportDatePreset::Range> ReportDatePreset::rangeFor(const QDate &calendarDate, const QDate &today) const
{
    if (m_reportDate == QLatin1String("Today"))
        return Range{today, today};
    if (m_reportDate == QLatin1String("ThisWeek"))
        return week(calendarDate);
    if (m_reportDate == QLatin1String("ThisMonth"))
        return month(today);
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
