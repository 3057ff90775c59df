#include "TestSupport.h"

#include "app/Startup.h"
#include "calendar/Main.h"
#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "ui/AbsBase.h"
#include "ui/AbsRegular.h"
#include "ui/Waitbox.h"
#include "ui/about.h"

#include <QApplication>
#include <QFileInfo>
#include <QtTest>

namespace {

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            windows << widget;
    }
    return windows;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void freshEnvironmentGetsDatabaseAndMainWindow();
    void missingDatabaseDirectoryEndsBeforeAnyWindow();
    void shutdownReleasesEveryObject();
};

void TestStartup::freshEnvironmentGetsDatabaseAndMainWindow()
{
    TempEnvironment env;
    ScriptedPrompter prompter;
    Startup startup;

    QVERIFY(startup.createObjects());
    QVERIFY(visibleWindows().isEmpty());
    startup.showMainWindow();

    QVERIFY(prompter.errors.isEmpty());
    QVERIFY(QFileInfo(env.dataHome() + QStringLiteral("/Platewright/Recipe/platewright.db")).isFile());
    const QList<QWidget *> shown = visibleWindows();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first(), MainForm);
    QCOMPARE(shown.first()->windowTitle(), QStringLiteral("Platewright"));
    QVERIFY(SysInfo);
    QCOMPARE(SysInfo->parent(), MainForm);
}

void TestStartup::missingDatabaseDirectoryEndsBeforeAnyWindow()
{
    TempEnvironment env;
    const QString missing = env.path() + QStringLiteral("/nowhere");
    env.setRecipeAlias(missing);
    ScriptedPrompter prompter;
    Startup startup;

    QVERIFY(!startup.createObjects());

    QCOMPARE(prompter.errors.size(), 1);
    QVERIFY2(prompter.errors.first().contains(missing), qPrintable(prompter.errors.first()));
    QVERIFY(!dmMain1);
    QVERIFY(!MainForm);
    QVERIFY(!AboutForm);
    QVERIFY(!WaitForm);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!QFileInfo::exists(missing));
}

void TestStartup::shutdownReleasesEveryObject()
{
    TempEnvironment env;
    ScriptedPrompter prompter;
    QPointer<QWidget> mainWindow;
    {
        Startup startup;
        QVERIFY(startup.createObjects());
        startup.showMainWindow();
        mainWindow = MainForm;
        QVERIFY(AbsBaseForm && AbsRegularForm && dmMain1 && MainForm && AboutForm && WaitForm);
    }
    QVERIFY(!mainWindow);
    QVERIFY(!SysInfo);
    QVERIFY(!AbsBaseForm && !AbsRegularForm && !dmMain1 && !MainForm && !AboutForm && !WaitForm);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(prompter.errors.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
