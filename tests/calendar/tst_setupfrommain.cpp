#include "MainWindowFixture.h"
#include "editing/Setup.h"
#include "ui/AbsBase.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

// The setup window as the main window's Setup command opens it, on the real program.
class TestSetupFromMain : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closeAppliesTheBackgroundSetting();
    void closeBoxAppliesNothing();
    void hidingTheCalendarGivesTheFocusToTheList();

private:
    // Triggers Setup and runs the action on the setup window once it shows.
    void runSetup(const std::function<void(TSetupForm &)> &action);

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestSetupFromMain::init()
{
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::SetupWindow::Real);
}

void TestSetupFromMain::cleanup()
{
    m_fixture.reset();
}

void TestSetupFromMain::runSetup(const std::function<void(TSetupForm &)> &action)
{
    bool ran = false;
    QTimer::singleShot(50, MainForm, [&] {
        QPointer<TSetupForm> setup = qobject_cast<TSetupForm *>(QApplication::activeModalWidget());
        QVERIFY(setup);
        ran = true;
        action(*setup);
        if (setup && setup->isVisible())
            setup->close();
    });
    MainForm->Setup1->trigger();
    QVERIFY(ran);
}

void TestSetupFromMain::closeAppliesTheBackgroundSetting()
{
    TNiftyManager &manager = *AbsBaseForm->NiftyManager1;
    QVERIFY(manager.isActive());
    QVERIFY(!MainForm->NiftyForm1->tiles().isEmpty());
    runSetup([&](TSetupForm &setup) {
        QCOMPARE(setup.PageControl1->currentIndex(), 0);
        QVERIFY(!setup.NiftyForm1->tiles().isEmpty());
        setup.cbEnableNiftyForms->click();
        QVERIFY(MainForm->NiftyForm1->tiles().isEmpty());
        setup.BitBtn4->click();
    });
    QVERIFY(!manager.isActive());
    QCOMPARE(SysInfo->ReadIniValue("Enable Nifty Forms", "unused"), "False");
    runSetup([&](TSetupForm &setup) {
        setup.cbEnableNiftyForms->click();
        setup.BitBtn4->click();
    });
    QVERIFY(manager.isActive());
    QVERIFY(!MainForm->NiftyForm1->tiles().isEmpty());
}

void TestSetupFromMain::closeBoxAppliesNothing()
{
    QVERIFY(!MainForm->pnlCalendar->isHidden());
    SysInfo->WriteSystemValue("View Calendar", "False");  // would hide the calendar if applied
    runSetup([&](TSetupForm &setup) { setup.close(); });
    QVERIFY(!MainForm->pnlCalendar->isHidden());
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

// The calendar had the focus; with it hidden the keys must still reach a control of the window.
void TestSetupFromMain::hidingTheCalendarGivesTheFocusToTheList()
{
    MainForm->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), MainForm);
    MainForm->Calendar1->setFocus();
    runSetup([&](TSetupForm &setup) {
        setup.cbViewCalendar->setChecked(false);
        setup.BitBtn4->click();
    });
    QVERIFY(MainForm->pnlCalendar->isHidden());
    MainForm->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), MainForm);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(MainForm->DBGrid1));
}

QTEST_MAIN(TestSetupFromMain)
#include "tst_setupfrommain.moc"
