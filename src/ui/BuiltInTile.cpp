#include "ui/BuiltInTile.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace BuiltInTile {
namespace {

quint32 mix(quint32 x, quint32 y, quint32 seed)
{
    quint32 h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    return h ^ (h >> 15);
}

double latticeValue(int x, int y, int cells, quint32 seed)
{
    const auto wrap = [cells](int v) { return quint32((v % cells + cells) % cells); };
    return mix(wrap(x), wrap(y), seed) / 4294967295.0;
}

double smoothStep(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

// Value noise on a lattice of cells x cells that wraps at the tile's edges.
double periodicNoise(int px, int py, int cells, quint32 seed)
{
    const double scale = double(cells) / kSize;
    const double x = px * scale, y = py * scale;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double tx = smoothStep(x - x0), ty = smoothStep(y - y0);
    const double top = std::lerp(latticeValue(x0, y0, cells, seed), latticeValue(x0 + 1, y0, cells, seed), tx);
    const double bottom =
        std::lerp(latticeValue(x0, y0 + 1, cells, seed), latticeValue(x0 + 1, y0 + 1, cells, seed), tx);
    return std::lerp(top, bottom, ty);
}

// Octaves from coarse blotches to fine grain, each half as strong as the one before; 0..1.
double stone(int px, int py)
{
    double sum = 0.0, weight = 1.0, total = 0.0;
    for (int cells = 4; cells <= 64; cells *= 2) {
        sum += weight * periodicNoise(px, py, cells, quint32(cells));
        total += weight;
        weight *= 0.55;
    }
    return sum / total;
}

int channel(double base, double variation, double value, double grain)
{
    return std::clamp(int(std::lround(base + variation * (value - 0.5) + grain)), 0, 255);
}

// A stone texture whose channels vary around the given base values.
QImage stoneTexture(const int (&base)[3], const int (&variation)[3])
{
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < kSize; ++x) {
            const double value = stone(x, y);
            const double grain = (mix(quint32(x), quint32(y), 7u) % 13) - 6.0;
            for (int c = 0; c < 3; ++c)
                line[3 * x + c] = uchar(channel(base[c], variation[c], value, grain));
        }
    }
    return image;
}

} // namespace

QImage picture()
{
    return stoneTexture({204, 200, 190}, {70, 66, 58});
}

QImage grayRock()
{
    return stoneTexture({168, 168, 170}, {96, 96, 92});
}

} // namespace BuiltInTile
