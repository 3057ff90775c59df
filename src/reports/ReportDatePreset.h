#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The dates the date page starts with, by the setting "Report Date": "Today", "ThisWeek" (the
// week of the date selected in the main window's calendar, Sunday to Saturday, or seven days
// from that date with "Start On Today") and "ThisMonth" (today's month). "NoDate" and any
// other value preset nothing.
class ReportDatePreset {
public:
    ReportDatePreset(const QString &reportDate, bool startOnToday);

    struct Range {
        QDate from;
        QDate to;
    };

    std::optional<Range> rangeFor(const QDate &calendarDate, const QDate &today) const;

private:
    Range week(const QDate &calendarDate) const;
    static Range month(const QDate &today);

    QString m_reportDate;
    bool m_startOnToday;
};
