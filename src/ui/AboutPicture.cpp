#include "ui/AboutPicture.h"

#include "ui/PixelRatio.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace AboutPicture {
namespace {

void drawGround(QPainter &painter)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(24, 38, 78));
    sky.setColorAt(0.55, QColor(70, 92, 140));
    sky.setColorAt(1.0, QColor(150, 112, 84));
    painter.fillRect(0, 0, kWidth, kHeight, sky);
}

void drawPlate(QPainter &painter, const QPointF &centre)
{
    QRadialGradient rim(centre, 58);
    rim.setColorAt(0.0, QColor(250, 250, 246));
    rim.setColorAt(0.75, QColor(232, 230, 222));
    rim.setColorAt(1.0, QColor(180, 176, 168));
    painter.setPen(QPen(QColor(120, 116, 110), 1.5));
    painter.setBrush(rim);
    painter.drawEllipse(centre, 62, 36);
    painter.setBrush(QColor(244, 242, 236));
    painter.drawEllipse(centre, 40, 23);
}

void drawCutlery(QPainter &painter, const QPointF &centre)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(210, 214, 220));
    const double forkX = centre.x() - 80, knifeX = centre.x() + 76, top = centre.y() - 40;
    painter.drawRoundedRect(QRectF(forkX - 2, top + 22, 5, 58), 2, 2);
    for (int tine = -1; tine <= 1; ++tine)
        painter.drawRect(QRectF(forkX + tine * 4 - 1, top, 2.5, 24));
    QPainterPath blade;
    blade.moveTo(knifeX, top);
    blade.cubicTo(knifeX + 9, top + 8, knifeX + 8, top + 26, knifeX + 4, top + 34);
    blade.lineTo(knifeX, top + 34);
    blade.closeSubpath();
    painter.drawPath(blade);
    painter.drawRoundedRect(QRectF(knifeX - 1, top + 32, 5, 48), 2, 2);
}

} // namespace

QImage draw()
{
    const qreal ratio = screenPixelRatio();
    QImage image(devicePixels(kWidth, ratio), devicePixels(kHeight, ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGround(painter);
    const QPointF centre(kWidth / 2.0, kHeight * 0.66);
    drawPlate(painter, centre);
    drawCutlery(painter, centre);
    return image;
}

} // namespace AboutPicture
