#include "ui/RowIndicatorHeader.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPolygon>

RowIndicatorHeader::RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionsClickable(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

QSize RowIndicatorHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setWidth(fontMetrics().height());
    return size;
}

void RowIndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->restore();

    const auto *view = qobject_cast<const QAbstractItemView *>(parentWidget());
    if (!view || !view->selectionModel() || view->selectionModel()->currentIndex().row() != logicalIndex)
        return;
    const int side = qMin(rect.width(), rect.height()) / 2;
    const QPoint centre = rect.center();
    const QPolygon triangle({QPoint(centre.x() - side / 2, centre.y() - side / 2),
                             QPoint(centre.x() + side / 2, centre.y()),
                             QPoint(centre.x() - side / 2, centre.y() + side / 2)});
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::WindowText));
    painter->drawPolygon(triangle);
    painter->restore();
}
