#include "reports/ReportPage.h"

QList<PlacedItem> ReportPage::itemsNamed(const QString &name) const
{
    QList<PlacedItem> result;
    for (const PlacedItem &item : items)
        if (item.name == name)
            result << item;
    return result;
}

QStringList ReportPage::textsOf(const QString &name) const
{
    QStringList result;
    for (const PlacedItem &item : items)
        if (item.name == name)
            result << item.text();
    return result;
}
