#pragma once

#include <QList>

class QWidget;

// The controls of one window as the tiled background sees them, and the kinds it treats.
namespace OwnedControls {

// Every control on the window, parents before their children, in creation order. Other
// windows parented to it, the tiles, and the inner parts of compound controls (a grid's
// headers, a combo box's list) are left out.
QList<QWidget *> of(QWidget &window);

// Panels, tab and notebook pages, the contents of scroll boxes, and group boxes.
bool isTileContainer(const QWidget &control);
// Grids, check boxes, group boxes, tool bars, radio buttons and calendars, and any control
// of a higher layer that asks for it with markColoured().
bool isColoured(const QWidget &control);
void markColoured(QWidget &control);
bool isGrid(const QWidget &control);

} // namespace OwnedControls
