#pragma once

class QImage;

namespace AboutPicture {

inline constexpr int kWidth = 266;
inline constexpr int kHeight = 200;

// The picture of the about box: a dinner plate with fork and knife on a dusk-blue ground,
// dark enough at the top for white lettering. Drawn at the screen's pixel density.
QImage draw();

} // namespace AboutPicture
