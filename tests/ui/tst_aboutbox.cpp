#include "data/EngineError.h"
#include "ui/about.h"

#include <QLabel>
#include <QPushButton>
#include <QApplication>
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
    void keyboardStepsThePagesAndFinishes();
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

// Next has the focus first, then Prev and Finish; the access keys step through the pages.
void TestAboutBox::keyboardStepsThePagesAndFinishes()
{
    TAboutForm about;
    about.Notebook1->addWidget(new QWidget);
    about.Notebook1->addWidget(new QWidget);
    QList<int> pages;
    QList<QWidget *> focused;
    QVERIFY(showAbout(about, [&] {
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&about));
        focused << about.focusWidget();
        QTest::keyClick(&about, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(about.Notebook1->currentIndex(), 1);  // an access key clicks after a short delay
        QTest::keyClick(&about, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(about.Notebook1->currentIndex(), 0);
        QTest::keyClick(&about, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(about.Notebook1->currentIndex(), 2);
        for (int step = 0; step < 2; ++step) {
            QTest::keyClick(about.focusWidget(), Qt::Key_Tab);
            focused << about.focusWidget();
        }
        QTest::keyClick(about.focusWidget(), Qt::Key_Space);
    }));
    QCOMPARE(focused, (QList<QWidget *>{about.btnNext, about.btnPrev, about.btnFinish}));
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
