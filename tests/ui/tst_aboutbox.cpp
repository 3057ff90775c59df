#include "data/EngineError.h"
#include "ui/about.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

namespace {

// Runs ShowAbout with the action applied once the box shows; true when it returned normally.
bool showAbout(TAboutForm &about, const std::function<void()> &action)
{
    QTimer::singleShot(0, &about, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        action();
        if (about.isVisible())
            about.close();
    });
    try {
        about.ShowAbout();
        return true;
    } catch (const SilentAbort &) {
        return false;
    }
}

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT
private slots:
    void showsNameAndVersionOverThePicture();
    void nextAndPrevWrapAround();
    void onlyFinishReturns();
};

void TestAboutBox::showsNameAndVersionOverThePicture()
{
    TAboutForm about;
    QCOMPARE(about.windowTitle(), "About");
    QCOMPARE(about.Notebook1->count(), 1);
    QCOMPARE(about.Notebook1->widget(0)->objectName(), "About");
    QCOMPARE(about.ProgramName->text(), "Platewright");
    QCOMPARE(about.Version->text(), "v 1.4");
    QCOMPARE(about.ProgramName->parentWidget(), about.ProgramIcon);
    QCOMPARE(TAboutForm::aboutPicture().size(), QSize(266, 200));
    QVERIFY(about.btnFinish->isEnabled());
}

void TestAboutBox::nextAndPrevWrapAround()
{
    TAboutForm about;
    about.btnNext->click();
    QCOMPARE(about.Notebook1->currentIndex(), 0);
    about.Notebook1->addWidget(new QWidget);
    about.Notebook1->addWidget(new QWidget);
    about.btnPrev->click();
    QCOMPARE(about.Notebook1->currentIndex(), 2);
    about.btnNext->click();
    QCOMPARE(about.Notebook1->currentIndex(), 0);
    about.btnFinish->setEnabled(false);
    about.btnNext->click();
    QVERIFY(!about.btnFinish->isEnabled());
    about.btnNext->click();
    QCOMPARE(about.Notebook1->currentIndex(), 2);
    QVERIFY(about.btnFinish->isEnabled());
}

void TestAboutBox::onlyFinishReturns()
{
    TAboutForm about;
    QVERIFY(showAbout(about, [&] {
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(about.isVisible());
        about.btnFinish->click();
    }));
    QVERIFY(!showAbout(about, [&] { about.close(); }));
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
