#include "calendar/ToolGlyphs.h"

#include "ui/PixelRatio.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>

namespace ToolGlyphs {
namespace {

const QColor kOutline(0x40, 0x40, 0x40);
const QColor kGreen(0x1e, 0x8c, 0x2a);
const QColor kRed(0xc8, 0x1e, 0x1e);
const QColor kBlue(0x1f, 0x4e, 0xb4);

// Drawn at the screen's density; the painter keeps the 16-unit coordinates.
QPixmap paintGlyph(const std::function<void(QPainter &)> &paint)
{
    const qreal ratio = screenPixelRatio();
    const int pixels = devicePixels(kSize, ratio);
    QPixmap pixmap(pixels, pixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

void page(QPainter &painter)
{
    QPainterPath sheet;
    sheet.moveTo(2.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(2.5, 14.5);
    sheet.closeSubpath();
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1));
    for (double y = 6.5; y < 13; y += 2)
        painter.drawLine(QPointF(4.5, y), QPointF(10.5, y));
}

void calendarPage(QPainter &painter)
{
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 2.5, 13, 12));
    painter.fillRect(QRectF(2, 3, 12, 3), kRed);
    painter.setPen(QPen(kOutline, 1.2));
    painter.drawLine(QPointF(4.5, 1), QPointF(4.5, 4));
    painter.drawLine(QPointF(11.5, 1), QPointF(11.5, 4));
}

void plus(QPainter &painter)
{
    painter.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(12, 8), QPointF(12, 16));
    painter.drawLine(QPointF(8, 12), QPointF(16, 12));
}

void pencil(QPainter &painter)
{
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(QColor(0xf2, 0xc2, 0x2e));
    painter.drawPolygon(QPolygonF({QPointF(14, 3), QPointF(16, 5), QPointF(8, 13), QPointF(6, 11)}));
    painter.setBrush(kOutline);
    painter.drawPolygon(QPolygonF({QPointF(6, 11), QPointF(8, 13), QPointF(5, 14)}));
}

void cross(QPainter &painter)
{
    painter.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void check(QPainter &painter)
{
    painter.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({QPointF(4.5, 10), QPointF(7, 12.5), QPointF(12, 7.5)}));
}

// A solid triangle pointing left or right, centred on x.
void triangle(QPainter &painter, double x, bool right, const QColor &colour)
{
    const double tip = right ? x + 3.5 : x - 3.5;
    const double base = right ? x - 3.5 : x + 3.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({QPointF(base, 2.5), QPointF(tip, 8), QPointF(base, 13.5)}));
}

void todayMark(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawRect(QRectF(6, 8, 4, 4));
}

} // namespace

QList<QPixmap> draw()
{
    return {
        paintGlyph([](QPainter &p) { page(p); plus(p); }),
        paintGlyph([](QPainter &p) { page(p); pencil(p); }),
        paintGlyph(cross),
        paintGlyph([](QPainter &p) { calendarPage(p); check(p); }),
        paintGlyph([](QPainter &p) { triangle(p, 5, false, kBlue); triangle(p, 11, false, kBlue); }),
        paintGlyph([](QPainter &p) { triangle(p, 5, true, kBlue); triangle(p, 11, true, kBlue); }),
        paintGlyph([](QPainter &p) { triangle(p, 8, false, kOutline); }),
        paintGlyph([](QPainter &p) { triangle(p, 8, true, kOutline); }),
        paintGlyph([](QPainter &p) { calendarPage(p); todayMark(p); }),
    };
}

} // namespace ToolGlyphs
