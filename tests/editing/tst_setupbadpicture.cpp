#include "SetupSteps.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

// The settings file names a "Nifty Forms File" that is no picture (the file was replaced,
// say): the setup window says so when it opens, still shows every other preference as
// stored, and closing it stores them unchanged.
class TestSetupBadPicture : public QObject {
    Q_OBJECT
private slots:
    void settingsFileNamingNoPictureLosesNoPreference();
};

void TestSetupBadPicture::settingsFileNamingNoPictureLosesNoPreference()
{
    EditorFixture fixture;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stone.bmp"));
    QVERIFY(writeFile(path, "<html>this download went wrong</html>"));
    SysInfo->WriteIniValue(QStringLiteral("Nifty Forms File"), path, QStringLiteral("unused"));
    SysInfo->WriteIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("False"), QStringLiteral("True"));
    SysInfo->WriteSystemValue(QStringLiteral("View Calendar"), QStringLiteral("True"));
    SysInfo->WriteSystemValue(QStringLiteral("View Hints"), QStringLiteral("False"));
    SysInfo->WriteSystemValue(QStringLiteral("Report Date"), QStringLiteral("ThisWeek"));

    const bool closed = runSetup(0, [&](TSetupForm &setup) {
        QCOMPARE(fixture.prompter().errors.size(), 1);
        QVERIFY2(fixture.prompter().errors.first().contains(path), qPrintable(fixture.prompter().errors.first()));
        QCOMPARE(setup.edNiftyFormsFile->text(), path);
        QVERIFY(!setup.cbEnableNiftyForms->isChecked());
        QVERIFY(setup.cbViewCalendar->isChecked());
        QVERIFY(!setup.cbViewHints->isChecked());
        QCOMPARE(setup.rgReportDate->checkedId(), 2);
        setup.BitBtn4->click();
    });
    QVERIFY(closed);
    QCOMPARE(fixture.prompter().errors.size(), 1);
    QCOMPARE(SysInfo->ReadIniValue(QStringLiteral("Nifty Forms File"), QStringLiteral("d")), path);
    QCOMPARE(SysInfo->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True")), QStringLiteral("False"));
    QCOMPARE(SysInfo->ReadSystemValue(QStringLiteral("View Calendar")), QStringLiteral("True"));
    QCOMPARE(SysInfo->ReadSystemValue(QStringLiteral("View Hints")), QStringLiteral("False"));
    QCOMPARE(SysInfo->ReadSystemValue(QStringLiteral("Report Date")), QStringLiteral("ThisWeek"));
}

QTEST_MAIN(TestSetupBadPicture)
#include "tst_setupbadpicture.moc"
