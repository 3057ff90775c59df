#include "ui/Misc.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"
#include "ui/OwnedControls.h"
#include "ui/TileImage.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>
#include <stdexcept>

namespace {

QImage filled(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A window with one of each kind the background treats, linked to the manager once built.
struct TestWindow {
    explicit TestWindow(TNiftyManager *manager)
    {
        link = new TNiftyForm(&window, manager);
        auto *layout = new QVBoxLayout(&window);
        panel = new QFrame(&window);
        layout->addWidget(panel);
        label = new QLabel(QStringLiteral("Name"), panel);
        label->setAutoFillBackground(true);
        tabs = new QTabWidget(&window);
        tabs->addTab(new QWidget, QStringLiteral("One"));
        tabs->addTab(new QWidget, QStringLiteral("Two"));
        layout->addWidget(tabs);
        group = new QGroupBox(QStringLiteral("Group"), &window);
        check = new QCheckBox(QStringLiteral("Check"), group);
        layout->addWidget(group);
        grid = new QTableView(&window);
        layout->addWidget(grid);
        marked = new QWidget(&window);  // a control of a higher layer, as the month calendar
        OwnedControls::markColoured(*marked);
        layout->addWidget(marked);
        window.resize(300, 400);
        link->Loaded();
    }
    QWidget window;
    TNiftyForm *link;
    QFrame *panel;
    QLabel *label;
    QTabWidget *tabs;
    QGroupBox *group;
    QCheckBox *check;
    QTableView *grid;
    QWidget *marked;
};

} // namespace

class TestTiledBackground : public QObject {
    Q_OBJECT
private slots:
    void averageColor_data();
    void averageColor();
    void averageOfEmptyBitmapIsRefused();
    void tileColumnsAndRows_data();
    void tileColumnsAndRows();
    void activeManagerTilesEveryContainer();
    void switchingOffAndOnRecreatesTiles();
    void pictureLoadedWhileOffIsUsedWhenSwitchedOn();
    void linkWithoutManagerStaysPlain();
    void newPictureReachesExistingTiles();
    void destroyedContainerLeavesTheList();
    void managerAttachesOnlyOnceTheWindowIsBuilt();
};

void TestTiledBackground::averageColor_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("one pixel is its own colour") << filled(1, 1, qRgb(10, 200, 33)) << QColor(10, 200, 33);
    QImage pair = filled(2, 1, qRgb(0, 0, 0));
    pair.setPixel(1, 0, qRgb(255, 1, 3));
    // Red: (0 + 255) / 2 = 127.5 goes to 128; green 0.5 to 0; blue 1.5 to 2.
    QTest::newRow("halves go to the even neighbour") << pair << QColor(128, 0, 2);
    QImage column = filled(1, 2, qRgb(100, 100, 100));
    column.setPixel(0, 1, qRgb(0, 0, 0));
    QTest::newRow("the last row weighs a half") << column << QColor(50, 50, 50);
    QImage leaning = filled(3, 1, qRgb(200, 0, 0));
    leaning.setPixel(2, 0, qRgb(0, 0, 0));
    QTest::newRow("leans towards the last pixel") << leaning << QColor(100, 0, 0);
}

void TestTiledBackground::averageColor()
{
    QFETCH(QImage, bitmap);
    QFETCH(QColor, expected);
    QCOMPARE(AverageColor(bitmap), expected);
}

void TestTiledBackground::averageOfEmptyBitmapIsRefused()
{
    try {
        AverageColor(QImage());
        QFAIL("an empty bitmap was averaged");
    } catch (const std::runtime_error &e) {
        QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Cannot take the average color of an empty bitmap"));
    }
}

void TestTiledBackground::tileColumnsAndRows_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("smaller than a tile") << QSize(50, 20) << 1 << 1;
    QTest::newRow("exactly two tiles wide") << QSize(256, 100) << 3 << 1;
    QTest::newRow("two and a half by one and a bit") << QSize(320, 130) << 3 << 2;
}

void TestTiledBackground::tileColumnsAndRows()
{
    QFETCH(QSize, area);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const QList<QPoint> origins = TTileImage::tileOrigins(area, QSize(128, 128));
    QCOMPARE(origins.size(), columns * rows);
    QCOMPARE(origins.first(), QPoint(0, 0));
    QCOMPARE(origins.last(), QPoint((columns - 1) * 128, (rows - 1) * 128));
}

void TestTiledBackground::activeManagerTilesEveryContainer()
{
    TNiftyManager manager;
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(&manager);
    QVERIFY(test.link->tiles().isEmpty());

    manager.setActive(true);

    // The window, the panel, both tab pages and the group box.
    QCOMPARE(test.link->tiles().size(), 5);
    QCOMPARE(test.link->tiles().first()->parentWidget(), &test.window);
    QVERIFY(!test.label->autoFillBackground());
    QCOMPARE(test.check->palette().color(QPalette::Window), QColor(30, 60, 90));
    QCOMPARE(test.grid->palette().color(QPalette::Base), QColor(30, 60, 90));
    QCOMPARE(test.group->palette().color(QPalette::Window), QColor(30, 60, 90));
    QCOMPARE(test.marked->palette().color(QPalette::Window), QColor(30, 60, 90));
    for (TTileImage *tile : test.link->tiles()) {
        QCOMPARE(tile->picture(), manager.picture());
        QCOMPARE(tile->parentWidget()->children().indexOf(tile), 0);  // behind everything else
    }
}

void TestTiledBackground::switchingOffAndOnRecreatesTiles()
{
    TNiftyManager manager;
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(&manager);
    manager.setActive(true);
    QCOMPARE(test.link->tiles().size(), 5);
    const QPointer<TTileImage> first = test.link->tiles().first();

    manager.setActive(false);
    QVERIFY(first.isNull());
    QVERIFY(test.link->tiles().isEmpty());
    QVERIFY(!test.label->autoFillBackground());
    QCOMPARE(test.check->palette().color(QPalette::Window), TNiftyManager::buttonFaceColor());

    manager.setActive(true);
    QCOMPARE(test.link->tiles().size(), 5);
    QVERIFY(!test.label->autoFillBackground());
    QCOMPARE(test.check->palette().color(QPalette::Window), QColor(30, 60, 90));
}

void TestTiledBackground::pictureLoadedWhileOffIsUsedWhenSwitchedOn()
{
    TNiftyManager manager;
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(&manager);

    manager.setPicture(filled(4, 4, qRgb(200, 100, 50)));
    QCOMPARE(manager.neutralColor(), QColor(200, 100, 50));
    QVERIFY(test.link->tiles().isEmpty());
    QCOMPARE(test.check->palette().color(QPalette::Window), TNiftyManager::buttonFaceColor());

    manager.setActive(true);
    QVERIFY(!test.link->tiles().isEmpty());
    QCOMPARE(test.link->tiles().first()->picture(), manager.picture());
    QCOMPARE(test.check->palette().color(QPalette::Window), QColor(200, 100, 50));
}

void TestTiledBackground::linkWithoutManagerStaysPlain()
{
    TNiftyManager manager;
    manager.setActive(true);
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(nullptr);
    test.link->UpdateForm();
    QVERIFY(test.link->tiles().isEmpty());
    QCOMPARE(test.check->palette().color(QPalette::Window), TNiftyManager::buttonFaceColor());
}

void TestTiledBackground::newPictureReachesExistingTiles()
{
    TNiftyManager manager;
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(&manager);
    manager.setActive(true);
    const QList<TTileImage *> before = test.link->tiles();

    manager.setPicture(filled(16, 16, qRgb(1, 2, 3)));

    QCOMPARE(test.link->tiles(), before);
    for (TTileImage *tile : before)
        QCOMPARE(tile->picture().size(), QSize(16, 16));
    QCOMPARE(test.grid->palette().color(QPalette::Base), QColor(1, 2, 3));

    manager.setPicture(QImage());  // a cleared picture keeps the neutral colour
    QCOMPARE(manager.neutralColor(), QColor(1, 2, 3));
}

void TestTiledBackground::destroyedContainerLeavesTheList()
{
    TNiftyManager manager;
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    TestWindow test(&manager);
    manager.setActive(true);
    delete test.group;
    QCOMPARE(test.link->tiles().size(), 4);
    manager.setActive(false);
    QVERIFY(test.link->tiles().isEmpty());
}

void TestTiledBackground::managerAttachesOnlyOnceTheWindowIsBuilt()
{
    TNiftyManager manager;
    manager.setActive(true);
    manager.setPicture(filled(8, 8, qRgb(30, 60, 90)));
    QWidget window;
    auto *link = new TNiftyForm(&window, &manager);
    QVERIFY(link->isLoading());
    QVERIFY(manager.attachedForms().isEmpty());
    auto *group = new QGroupBox(&window);

    window.ensurePolished();

    QCOMPARE(manager.attachedForms(), QList<TNiftyForm *>{link});
    QCOMPARE(link->tiles().size(), 2);
    QCOMPARE(link->tiles().last()->parentWidget(), group);
    delete link;
    QVERIFY(manager.attachedForms().isEmpty());
}

QTEST_MAIN(TestTiledBackground)
#include "tst_tiledbackground.moc"
