#include "../exchange/ExchangeFixture.h"
#include "WindowFixture.h"
#include "exchange_ui/impexptb.h"
#include "ui/Waitbox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QtTest>

// The wait box as a real X server shows it, which the offscreen platform cannot tell: while an
// import from the dialog runs, the box's pixels on the screen hold its text, the count drawn
// there goes up, and a click on the dialog beneath does nothing.
class TestWaitBoxDrawn : public QObject {
    Q_OBJECT
private slots:
    void importDrawsItsCount();
};

namespace {

constexpr int kArchiveCopies = 10;  // 8,310 recipes: long enough for several counts

// The box's message is navy; nothing else on the box or the dialog beneath it is.
bool showsNavyText(const QImage &image)
{
    int navy = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 90 && c.red() < 50 && c.green() < 50)
                ++navy;
        }
    return navy > 20;
}

QString writeArchiveCopies(ExchangeFixture &fx)
{
    const QByteArray archive = readFile(mealMasterArchive("JJ_perl6-recipes-apress/apetizer.mmf"));
    if (archive.isEmpty())
        return {};
    fx.writeFile(QStringLiteral("archive.mmf"), archive.repeated(kArchiveCopies));
    return fx.path(QStringLiteral("archive.mmf"));
}

} // namespace

void TestWaitBoxDrawn::importDrawsItsCount()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    SKIP_WITHOUT_TESTDATA();
    ExchangeFixture fx;
    WindowFixture windows(fx.dm().Database1);
    TWaitForm box;
    TImportExportTableForm dialog(nullptr, &fx.dm(), &windows.settings());
    dialog.waitBox = &box;
    dialog.edImportFile->setText(writeArchiveCopies(fx));
    dialog.setFormatIndex(1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // Every grab of the box's place on the screen that shows text, by its pixels.
    QSet<QByteArray> drawn;
    bool clickedBeneath = false;
    QTimer grabber;
    connect(&grabber, &QTimer::timeout, this, [&] {
        if (!box.isVisible())
            return;
        const QImage shot = box.screen()->grabWindow(box.winId()).toImage();
        if (showsNavyText(shot))
            drawn.insert(QByteArray(reinterpret_cast<const char *>(shot.constBits()), int(shot.sizeInBytes())));
        if (!clickedBeneath) {
            clickedBeneath = true;
            QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
        }
    });
    grabber.start(50);
    dialog.btnImport->click();
    grabber.stop();

    QVERIFY(fx.prompter().errors.isEmpty());
    QCOMPARE(fx.count(QStringLiteral("Recipe.DB")), 831 * kArchiveCopies);
    QVERIFY2(drawn.size() >= 2, qPrintable(QStringLiteral("%1 different drawings of the box").arg(drawn.size())));
    QVERIFY(clickedBeneath);
    QVERIFY(dialog.isVisible());
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(TestWaitBoxDrawn)
#include "tst_waitboxdrawn.moc"
