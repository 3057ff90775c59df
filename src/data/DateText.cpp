#include "data/DateText.h"

#include <QLocale>
#include <QRegularExpression>
#include <QVariant>

QString DateText::displayFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

QString DateText::toDisplay(const QDate &date)
{
    return date.isValid() ? QLocale().toString(date, displayFormat()) : QString();
}

QDate DateText::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QDate date = QLocale().toDate(trimmed, displayFormat());
    if (date.isValid())
        return date;
    date = QLocale().toDate(trimmed, QLocale::ShortFormat);
    if (date.isValid()) {
        // A two-digit year names the century closest to today.
        if (date.year() < 1950)
            date = date.addYears(100);
        return date;
    }
    return QDate::fromString(trimmed, Qt::ISODate);
}

QString DateText::toStorage(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate DateText::fromStorage(const QVariant &value)
{
    return value.isNull() ? QDate() : QDate::fromString(value.toString(), Qt::ISODate);
}
