#include "reports_ui/WizardPicture.h"
#include "ui/AboutPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QtTest>

// The pictures the program draws itself, on a display scaled by two as QT_SCALE_FACTOR=2
// gives: each must bring twice the pixels in each direction and be painted over all of them,
// rather than be drawn small and magnified by the screen.
class TestScaledPictures : public QObject {
    Q_OBJECT

    // Whether the pixel is within a few steps of the colour on every channel.
    static bool near(QRgb pixel, const QColor &colour)
    {
        return qAbs(qRed(pixel) - colour.red()) <= 12 && qAbs(qGreen(pixel) - colour.green()) <= 12
            && qAbs(qBlue(pixel) - colour.blue()) <= 12;
    }

private slots:
    void aboutPictureHasTheScreensPixels()
    {
        QCOMPARE(qGuiApp->devicePixelRatio(), 2.0);
        const QImage picture = AboutPicture::draw();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), QSize(2 * AboutPicture::kWidth, 2 * AboutPicture::kHeight));
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(AboutPicture::kWidth, AboutPicture::kHeight));
        // The ground reaches the bottom corners: a painter working in device pixels would have
        // covered only the upper left quarter.
        QVERIFY(near(picture.pixel(picture.width() - 1, picture.height() - 1), QColor(150, 112, 84)));
        QVERIFY(near(picture.pixel(0, picture.height() - 1), QColor(150, 112, 84)));
        // The plate sits in the middle of the lower half, in the picture's own coordinates.
        const QPoint plate(picture.width() / 2, int(picture.height() * 0.66));
        QVERIFY(near(picture.pixel(plate), QColor(244, 242, 236)));
    }

    void wizardPictureHasTheScreensPixels()
    {
        const QPixmap pixmap = wizardPicture();
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.size(), QSize(238, 452));
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(119, 226));
        const QImage picture = pixmap.toImage();
        QVERIFY(near(picture.pixel(picture.width() - 1, picture.height() - 1), QColor(0, 128, 128)));
        QVERIFY(near(picture.pixel(picture.width() - 1, 0), QColor(0, 64, 128)));
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QGuiApplication application(argc, argv);
    TestScaledPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaledpictures.moc"
