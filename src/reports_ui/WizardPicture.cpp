#include "reports_ui/WizardPicture.h"

#include "ui/PixelRatio.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int kWidth = 119;
constexpr int kHeight = 226;

void drawPage(QPainter &painter, const QRectF &page, double angle)
{
    painter.save();
    painter.translate(page.center());
    painter.rotate(angle);
    const QRectF sheet(-page.width() / 2, -page.height() / 2, page.width(), page.height());
    painter.setPen(QColor(110, 110, 110));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.fillRect(QRectF(sheet.left() + 6, sheet.top() + 7, sheet.width() * 0.6, 5), QColor(0, 128, 128));
    painter.setPen(QColor(0, 0, 128));
    for (double y = sheet.top() + 20; y < sheet.bottom() - 6; y += 7)
        painter.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.right() - (int(y) % 3 == 0 ? 14 : 6), y));
    painter.restore();
}

void drawPrinter(QPainter &painter)
{
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(QColor(170, 170, 180));
    painter.drawRoundedRect(QRectF(14, 150, 91, 40), 6, 6);
    painter.setBrush(QColor(120, 120, 130));
    painter.drawRect(QRectF(24, 162, 71, 6));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawEllipse(QPointF(94, 180), 3, 3);
}

} // namespace

QPixmap wizardPicture()
{
    const qreal ratio = screenPixelRatio();
    QPixmap picture(devicePixels(kWidth, ratio), devicePixels(kHeight, ratio));
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0, 64, 128));
    sky.setColorAt(1, QColor(0, 128, 128));
    painter.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    drawPage(painter, QRectF(22, 26, 60, 78), -8);
    drawPage(painter, QRectF(34, 60, 60, 78), 5);
    drawPage(painter, QRectF(30, 100, 60, 66), 0);
    drawPrinter(painter);
    return picture;
}
