#pragma once

class QWidget;

// Queues a move of the keyboard focus to the next control of the window in tab order; it takes
// effect once the current event handler has returned.
void MoveFocusToNext(QWidget *window);
