#pragma once

class QImage;

namespace BuiltInTile {

inline constexpr int kSize = 128;

// The tile that windows carry until the user picks a picture of their own: a light, speckled
// stone texture, 128 x 128 pixels of 24-bit colour, drawn from periodic noise so that its
// edges meet seamlessly when repeated.
QImage picture();

// A darker grey stone of the same size, the picture installed beside the program as
// GRAYROCK.bmp for the user to choose.
QImage grayRock();

} // namespace BuiltInTile
