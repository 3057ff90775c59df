#include "ui/Misc.h"

#include <QImage>
#include <QImageReader>
#include <QObject>
#include <cfenv>
#include <cmath>
#include <stdexcept>

namespace {

// Halves go to the even neighbour.
int roundHalfEven(double value)
{
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return int(rounded);
}

} // namespace

QColor AverageColor(const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        throw std::runtime_error("Cannot take the average color of an empty bitmap");
    const QRgb first = bitmap.pixel(0, 0);
    double red = qRed(first), green = qGreen(first), blue = qBlue(first);
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb pixel = bitmap.pixel(x, y);
            red = (red + qRed(pixel)) * 0.5;
            green = (green + qGreen(pixel)) * 0.5;
            blue = (blue + qBlue(pixel)) * 0.5;
        }
    }
    return QColor(roundHalfEven(red), roundHalfEven(green), roundHalfEven(blue));
}

QImage ReadPictureFile(const QString &fileName)
{
    QImageReader reader(fileName);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error(QStringLiteral("Cannot load the picture %1: %2")
                                     .arg(fileName, reader.errorString())
                                     .toLocal8Bit()
                                     .toStdString());
    return picture;
}

bool IsAnyClass(const QList<const QMetaObject *> &classes, const QObject *object)
{
    if (!object)
        return false;
    for (const QMetaObject *meta = object->metaObject(); meta; meta = meta->superClass()) {
        if (classes.contains(meta))
            return true;
    }
    return false;
}

void SetPropIfClass(const QList<const QMetaObject *> &classes, QObject *object, const QVariant &value,
                    const char *propertyName)
{
    if (IsAnyClass(classes, object))
        object->setProperty(propertyName, value);
}
