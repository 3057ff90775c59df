#include "reports/PageRenderer.h"

#include "reports/ReportPage.h"
#include "reports/ReportUnits.h"

#include <QPaintDevice>
#include <QPainter>

using ReportUnits::toUnits;

void PageRenderer::render(QPainter &painter, const ReportPage &page)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(device->logicalDpiX() / ReportUnits::kUnitsPerInch, device->logicalDpiY() / ReportUnits::kUnitsPerInch);
    for (const PlacedItem &item : page.items) {
        if (item.kind == ItemKind::Line)
            drawLine(painter, item);
        else
            drawText(painter, item);
    }
    painter.restore();
}

void PageRenderer::drawText(QPainter &painter, const PlacedItem &item)
{
    painter.setFont(item.style.font());
    painter.setPen(item.style.color);
    const double left = toUnits(item.rect.left());
    for (int i = 0; i < item.lines.size(); ++i) {
        if (item.lines[i].isEmpty())
            continue;
        const double baseline = item.rect.top() + i * item.lineHeight + item.ascent;
        painter.drawText(QPointF(left, toUnits(baseline)), item.lines[i]);
    }
}

void PageRenderer::drawLine(QPainter &painter, const PlacedItem &item)
{
    QPen pen(item.style.color);
    pen.setWidthF(toUnits(kLineWidth));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const double y = toUnits(item.rect.top());
    painter.drawLine(QPointF(toUnits(item.rect.left()), y), QPointF(toUnits(item.rect.right()), y));
}
