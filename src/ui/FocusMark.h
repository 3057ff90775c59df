#pragma once

class QPainter;
class QPalette;
class QRect;

// The mark of the cell or row that the arrow keys move in a control that has the keyboard
// focus: a dark frame, with a dotted line inside it where there is room, plain to see on the
// selection colour.
void drawFocusMark(QPainter &painter, const QRect &rect, const QPalette &palette);
