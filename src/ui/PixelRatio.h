#pragma once

#include <QGuiApplication>
#include <QtMath>

// The pixel density of the sharpest screen. Pictures the program draws itself are drawn at
// this density, so that a scaled display gets pixels of their own instead of magnified ones;
// their painters keep the pictures' own coordinates.
inline qreal screenPixelRatio()
{
    return qMax<qreal>(1, qGuiApp ? qGuiApp->devicePixelRatio() : 1);
}

// The number of device pixels a length of the picture's own coordinates takes at that ratio.
inline int devicePixels(int length, qreal ratio)
{
    return qCeil(length * ratio);
}
