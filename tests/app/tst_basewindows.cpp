#include "TestSupport.h"

#include "ui/AbsBase.h"
#include "ui/AbsRegular.h"
#include "ui/BuiltInTile.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"
#include "ui/TileImage.h"

#include <QImage>
#include <QScreen>
#include <QtTest>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

bool isTiled(const TAbsRegularForm &window)
{
    return !window.NiftyForm1->tiles().isEmpty();
}

// Mean difference of neighbouring pixels in one channel across a column boundary.
double columnStep(const QImage &image, int left, int right)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        sum += std::abs(qGray(image.pixel(left, y)) - qGray(image.pixel(right, y)));
    return sum / image.height();
}

} // namespace

class TestBaseWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void regularWindowBeforeAbsBaseFormIsRefused();
    void everyRegularWindowFollowsTheSharedManager();
    void windowWithoutManagerStaysPlain();
    void regularWindowIsCentredWhenFirstShown();
    void regularWindowLargerThanTheScreenIsFitted();
    void builtInTileRepeatsSeamlessly();
};

void TestBaseWindows::cleanup()
{
    delete AbsBaseForm;
    AbsBaseForm = nullptr;
}

void TestBaseWindows::regularWindowBeforeAbsBaseFormIsRefused()
{
    QVERIFY(!AbsBaseForm);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, TAbsRegularForm());
}

void TestBaseWindows::everyRegularWindowFollowsTheSharedManager()
{
    AbsBaseForm = new TAbsBaseForm;
    TNiftyManager &manager = *AbsBaseForm->NiftyManager1;
    TAbsRegularForm first, second;
    first.ensurePolished();
    second.ensurePolished();
    QVERIFY(!isTiled(first));

    manager.setActive(true);
    QVERIFY(isTiled(first));
    QVERIFY(isTiled(second));
    QCOMPARE(first.NiftyForm1->tiles().first()->picture(), manager.picture());

    TAbsRegularForm later;
    later.ensurePolished();
    QVERIFY(isTiled(later));

    manager.setActive(false);
    QVERIFY(!isTiled(first));
    QVERIFY(!isTiled(second));
    QVERIFY(!isTiled(later));
}

void TestBaseWindows::windowWithoutManagerStaysPlain()
{
    AbsBaseForm = new TAbsBaseForm;
    TAbsRegularForm window;
    window.NiftyForm1->setNiftyManager(nullptr);
    window.ensurePolished();

    AbsBaseForm->NiftyManager1->setActive(true);

    QVERIFY(!isTiled(window));
    QVERIFY(!AbsBaseForm->NiftyManager1->attachedForms().contains(window.NiftyForm1));
}

void TestBaseWindows::regularWindowIsCentredWhenFirstShown()
{
    AbsBaseForm = new TAbsBaseForm;
    QWidget owner;  // in a corner: a dialog would otherwise centre on its owner
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    TAbsRegularForm window(&owner);
    window.resize(300, 200);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint offCentre = window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));

    window.hide();
    window.move(10, 20);
    window.show();
    QCOMPARE(window.pos(), QPoint(10, 20));
}

// A large scale factor on a small screen: the window must not reach past the screen's edges.
void TestBaseWindows::regularWindowLargerThanTheScreenIsFitted()
{
    AbsBaseForm = new TAbsBaseForm;
    TAbsRegularForm window;
    const QRect available = window.screen()->availableGeometry();
    window.resize(available.width() + 100, available.height() + 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(available.contains(window.frameGeometry()));
}

// Opposite edges must meet like any two neighbouring columns, or the repeat shows as a grid.
void TestBaseWindows::builtInTileRepeatsSeamlessly()
{
    const QImage tile = BuiltInTile::picture();
    QCOMPARE(tile.size(), QSize(128, 128));
    QCOMPARE(tile.depth(), 24);

    double inner = 0;
    for (int x = 0; x < 127; ++x)
        inner += columnStep(tile, x, x + 1);
    inner /= 127;
    QVERIFY2(columnStep(tile, 127, 0) < 2 * inner,
             qPrintable(QStringLiteral("edge %1, inside %2").arg(columnStep(tile, 127, 0)).arg(inner)));
    const QImage turned = tile.transformed(QTransform().rotate(90));
    QVERIFY(columnStep(turned, 127, 0) < 2 * inner);
}

QTEST_MAIN(TestBaseWindows)
#include "tst_basewindows.moc"
