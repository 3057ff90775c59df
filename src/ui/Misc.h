#pragma once

#include <QColor>
#include <QList>
#include <QVariant>

class QImage;
class QObject;
class QString;
struct QMetaObject;

// The neutral colour of a picture: a running half-mean over every pixel, row by row, so that
// the last pixels read weigh most. Raises std::runtime_error on an empty bitmap.
QColor AverageColor(const QImage &bitmap);

// Reads a picture file; raises std::runtime_error naming the file when it is no readable
// picture.
QImage ReadPictureFile(const QString &fileName);

// Whether the object is an instance of one of the classes or of a class derived from one.
bool IsAnyClass(const QList<const QMetaObject *> &classes, const QObject *object);

// Sets the object's property of that name when IsAnyClass holds.
void SetPropIfClass(const QList<const QMetaObject *> &classes, QObject *object, const QVariant &value,
                    const char *propertyName);
