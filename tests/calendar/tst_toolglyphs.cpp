#include "calendar/ToolGlyphs.h"

#include <QGuiApplication>
#include <QImage>
#include <QtTest>

// The tool-bar glyphs on a display scaled by two, as QT_SCALE_FACTOR=2 gives: each glyph must
// bring pixels of its own for that density rather than 16 by 16 ones the screen magnifies.
class TestToolGlyphs : public QObject {
    Q_OBJECT

    static int opaquePixels(const QImage &image, const QRect &area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        return count;
    }

private slots:
    void glyphsHaveThePixelsOfTheScreen();
    void drawingFillsTheWholeGlyph();
};

void TestToolGlyphs::glyphsHaveThePixelsOfTheScreen()
{
    QCOMPARE(qGuiApp->devicePixelRatio(), 2.0);
    const QList<QPixmap> glyphs = ToolGlyphs::draw();
    QCOMPARE(glyphs.size(), ToolGlyphs::kCount);
    for (const QPixmap &glyph : glyphs) {
        QCOMPARE(glyph.devicePixelRatio(), 2.0);
        QCOMPARE(glyph.size(), QSize(32, 32));
        QCOMPARE(glyph.deviceIndependentSize(), QSizeF(16, 16));
    }
}

// The plus of the "add" glyph lies in its lower right quarter: drawn without the painter scaled
// to the density, it would land in the upper left quarter of the pixels instead.
void TestToolGlyphs::drawingFillsTheWholeGlyph()
{
    const QImage add = ToolGlyphs::draw().value(0).toImage();
    const QImage plusQuarter = add.copy(QRect(24, 24, 8, 8)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(opaquePixels(plusQuarter, plusQuarter.rect()) > 16);
    // A one-unit outline is two pixels wide at this density: the sheet's left edge at x = 2.5
    // covers pixels 4 and 5 fully, where a magnified 16-pixel glyph would blur it over three.
    const QImage page = add.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(page.pixel(4, 16)), 255);
    QCOMPARE(qAlpha(page.pixel(5, 16)), 255);
    QCOMPARE(qAlpha(page.pixel(3, 16)), 0);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QGuiApplication application(argc, argv);
    TestToolGlyphs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_toolglyphs.moc"
