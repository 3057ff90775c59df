#pragma once

#include "reports/ReportItem.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TDataSet;

// Title: once at the top of the first page. GroupHeader: before a record whenever its group
// value changes. Detail: once per record of the master data set. Child: right after the
// detail band. SubDetail: once per record of its own data set (which follows the master),
// and once with empty fields when that set has no records.
enum class BandKind { Title, GroupHeader, Detail, Child, SubDetail };

class ReportBand {
public:
    ReportBand(BandKind kind, const QString &name, double height);

    BandKind kind() const { return m_kind; }
    const QString &name() const { return m_name; }
    // The designed height in millimetres; a memo may stretch the printed band.
    double height() const { return m_height; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool startsNewPage() const { return m_startsNewPage; }
    void setStartsNewPage(bool on) { m_startsNewPage = on; }
    // A heading band that must not end a page: it moves to the next page with the band after it.
    bool keepsWithNext() const { return m_keepsWithNext; }
    void setKeepsWithNext(bool on) { m_keepsWithNext = on; }

    using GroupExpression = std::function<QVariant()>;
    const GroupExpression &groupExpression() const { return m_groupExpression; }
    void setGroupExpression(GroupExpression expression) { m_groupExpression = std::move(expression); }

    TDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet *dataSet) { m_dataSet = dataSet; }

    ReportItem &addLabel(const QString &name, const QString &text, const QPointF &position, const ItemStyle &style);
    ReportItem &addData(const QString &name, ReportItem::Source source, const QPointF &position,
                        const ItemStyle &style);
    ReportItem &addLine(const QString &name, const QPointF &position, double length);
    ReportItem &addMemo(const QString &name, ReportItem::Source source, const QPointF &position, double width,
                        const ItemStyle &style);

    const std::vector<std::unique_ptr<ReportItem>> &items() const { return m_items; }
    ReportItem *item(const QString &name) const;

private:
    ReportItem &add(ItemKind kind, const QString &name, const QPointF &position);

    BandKind m_kind;
    QString m_name;
    double m_height;
    bool m_enabled = true;
    bool m_startsNewPage = false;
    bool m_keepsWithNext = false;
    GroupExpression m_groupExpression;
    TDataSet *m_dataSet = nullptr;
    std::vector<std::unique_ptr<ReportItem>> m_items;
};
