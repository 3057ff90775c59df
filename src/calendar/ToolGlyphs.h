#pragma once

#include <QList>
#include <QPixmap>

// The nine 16 by 16 glyphs both tool bars of the main window draw from, by position:
// 0 add, 1 edit, 2 delete, 3 assign, 4 shove left, 5 shove right, 6 previous, 7 next, 8 today.
namespace ToolGlyphs {

constexpr int kSize = 16;
constexpr int kCount = 9;

QList<QPixmap> draw();

} // namespace ToolGlyphs
