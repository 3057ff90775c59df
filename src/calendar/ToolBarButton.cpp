#include "calendar/ToolBarButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

ToolBarButton::ToolBarButton(QWidget *parent) : QToolButton(parent) {}

void ToolBarButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton face;
    initStyleOption(&face);
    face.icon = QIcon();
    face.text.clear();
    face.toolButtonStyle = Qt::ToolButtonIconOnly;
    painter.drawComplexControl(QStyle::CC_ToolButton, face);

    const int pressed = isDown() ? 1 : 0;
    const QRect area = rect().adjusted(1, 1, -1, -1).translated(pressed, pressed);
    const QPixmap glyph = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (toolButtonStyle() == Qt::ToolButtonIconOnly) {
        painter.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, iconSize(), area), glyph);
        return;
    }
    const int textHeight = fontMetrics().height();
    const int top = area.top() + qMax(0, area.height() - iconSize().height() - textHeight) / 2;
    painter.drawPixmap(area.left() + (area.width() - iconSize().width()) / 2, top, glyph);
    const QRect captionArea(area.left(), top + iconSize().height(), area.width(), textHeight);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
    if (isEnabled()) {
        style()->drawItemText(&painter, captionArea, flags, palette(), true, text(), QPalette::ButtonText);
        return;
    }
    // Engraved, so that a disabled caption stays legible on a tiled background too.
    painter.setPen(Qt::white);
    painter.drawText(captionArea.translated(1, 1), flags, text());
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawText(captionArea, flags, text());
}
