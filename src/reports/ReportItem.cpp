#include "reports/ReportItem.h"

ReportItem::ReportItem(ItemKind kind, const QString &name, const QPointF &position)
    : m_kind(kind), m_name(name), m_position(position)
{
}

QString ReportItem::text() const
{
    return m_source ? m_source() : m_text;
}
