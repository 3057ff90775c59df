#pragma once

class QFont;
class QWidget;

// What the program's windows share: the 8-point dialog font and centring on the screen.
namespace FormDefaults {

// "MS Sans Serif" 8 point, or a plain sans-serif of the same size where it is not installed.
QFont formFont();

// Shrinks a window larger than the available area of its screen (a large scale factor on a
// small screen) to fit it, as far as its layout allows.
void fitToScreen(QWidget &window);

// Fits the window to its screen and moves it to the middle of the available area of its screen.
void centreOnScreen(QWidget &window);

// Centres the window on its screen the first time it is shown; later showings keep the place
// the user gave it.
void centreWhenFirstShown(QWidget &window);

} // namespace FormDefaults
