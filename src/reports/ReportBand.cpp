#include "reports/ReportBand.h"

ReportBand::ReportBand(BandKind kind, const QString &name, double height)
    : m_kind(kind), m_name(name), m_height(height)
{
}

ReportItem &ReportBand::add(ItemKind kind, const QString &name, const QPointF &position)
{
    m_items.push_back(std::make_unique<ReportItem>(kind, name, position));
    return *m_items.back();
}

ReportItem &ReportBand::addLabel(const QString &name, const QString &text, const QPointF &position,
                                 const ItemStyle &style)
{
    ReportItem &item = add(ItemKind::Label, name, position);
    item.setText(text);
    item.setStyle(style);
    return item;
}

ReportItem &ReportBand::addData(const QString &name, ReportItem::Source source, const QPointF &position,
                                const ItemStyle &style)
{
    ReportItem &item = add(ItemKind::Data, name, position);
    item.setSource(std::move(source));
    item.setStyle(style);
    return item;
}

ReportItem &ReportBand::addLine(const QString &name, const QPointF &position, double length)
{
    ReportItem &item = add(ItemKind::Line, name, position);
    item.setWidth(length);
    return item;
}

ReportItem &ReportBand::addMemo(const QString &name, ReportItem::Source source, const QPointF &position,
                                double width, const ItemStyle &style)
{
    ReportItem &item = add(ItemKind::Memo, name, position);
    item.setSource(std::move(source));
    item.setWidth(width);
    item.setStyle(style);
    return item;
}

ReportItem *ReportBand::item(const QString &name) const
{
    for (const auto &item : m_items)
        if (item->name() == name)
            return item.get();
    return nullptr;
}
