#include "ui/FocusMark.h"

#include <QPainter>
#include <QPalette>
#include <QRect>

void drawFocusMark(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    painter.save();
    const QColor selection = palette.color(QPalette::Active, QPalette::Highlight);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selection.darker(250), 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    // A grid row has no room for the dotted line beside its text.
    if (rect.height() >= painter.fontMetrics().height() + 12) {
        painter.setPen(QPen(palette.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(3, 3, -4, -4));
    }
    painter.restore();
}
