#include "TestSupport.h"
#include "ui/NiftyMan.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <stdexcept>

namespace {

QByteArray encoded(const char *format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A bitmap header that promises a picture of gigabytes, followed by a few bytes of it.
QByteArray giantBitmapHeader()
{
    QByteArray bytes = encoded("BMP", 4, 4);
    qToLittleEndian<qint32>(60000, bytes.data() + 18);
    qToLittleEndian<qint32>(60000, bytes.data() + 22);
    return bytes;
}

QByteArray randomBytes(int size)
{
    QRandomGenerator random(7);
    QByteArray bytes(size, 0);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

// Files chosen as the tiled-background picture that are no pictures, or no whole ones: the
// shared manager refuses them with a message naming the file and keeps its picture, and
// nothing crashes or tries to hold gigabytes. A decoder may give back what it could read of a
// picture cut short, at the picture's own size, or refuse it; either way the manager holds a
// picture it can tile.
class TestBadPictures : public QObject {
    Q_OBJECT
private slots:
    void badFilesAreRefusedOrLoadAtTheirSize_data();
    void badFilesAreRefusedOrLoadAtTheirSize();
};

void TestBadPictures::badFilesAreRefusedOrLoadAtTheirSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");  // invalid where the file must be refused
    QTest::newRow("text file") << "tile.bmp" << QByteArray("These are my grandmother's recipes.\r\n").repeated(50) << QSize();
    QTest::newRow("random bytes") << "tile.bmp" << randomBytes(64 * 1024) << QSize();
    QTest::newRow("empty file") << "tile.bmp" << QByteArray() << QSize();
    QTest::newRow("bitmap of 60000 x 60000 pixels") << "tile.bmp" << giantBitmapHeader() << QSize();
    QTest::newRow("bitmap header only") << "tile.bmp" << encoded("BMP", 8, 8).left(40) << QSize();
    for (const char *format : {"BMP", "PNG", "JPG"}) {
        const QByteArray whole = encoded(format, 300, 200);
        QTest::addRow("%s cut in the middle", format) << "tile" << whole.left(whole.size() / 2) << QSize(300, 200);
        QTest::addRow("%s cut after its header", format) << "tile" << whole.left(120) << QSize(300, 200);
    }
}

void TestBadPictures::badFilesAreRefusedOrLoadAtTheirSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeFile(path, bytes));
    TNiftyManager manager;
    QImage before(3, 3, QImage::Format_RGB32);
    before.fill(qRgb(10, 20, 30));
    manager.setPicture(before);
    try {
        manager.loadPicture(path);
        QVERIFY2(size.isValid(), "the file was taken as a picture");
        QCOMPARE(manager.picture().size(), size);
    } catch (const std::runtime_error &e) {
        QVERIFY2(QString::fromLocal8Bit(e.what()).contains(path), e.what());
        QCOMPARE(manager.picture(), before);
    }
}

QTEST_MAIN(TestBadPictures)
#include "tst_badpictures.moc"
