#include "SetupSteps.h"

#include "editing/PictureFileDialog.h"

#include "ui/AbsBase.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"
#include "ui/TileImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>

class TestSetupOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void missingEntriesShowDefaults();
    void preferencesAreSavedOnlyOnClose_data();
    void preferencesAreSavedOnlyOnClose();
    void reportDateFollowsTheStoredText_data();
    void reportDateFollowsTheStoredText();
    void emptyPathIsSavedAsTheDefault();
    void hintsFollowTheCheckBoxAtOnce();
    void enableNiftyFormsActsAtOnceButSavesOnlyOnClose();
    void applyRetilesWithAnExistingPicture();
    void unreadablePictureIsAnErrorAndChangesNothing();
    void chooserPutsThePathIntoTheBox();
    void chooserPreviewsTheCurrentFile();

private:
    QString readSystem(const char *topic) { return SysInfo->ReadSystemValue(QLatin1String(topic)); }
    QString writePicture(const QString &name, QRgb color);

    std::unique_ptr<EditorFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSetupOptions::init()
{
    m_fixture = std::make_unique<EditorFixture>();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSetupOptions::cleanup()
{
    m_dir.reset();
    m_fixture.reset();
}

QString TestSetupOptions::writePicture(const QString &name, QRgb color)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(color);
    const QString path = m_dir->filePath(name);
    image.save(path, "BMP");
    return path;
}

void TestSetupOptions::missingEntriesShowDefaults()
{
    m_fixture->count("DELETE FROM SYSTEM");
    runSetup(0, [&](TSetupForm &setup) {
        QVERIFY(setup.cbEnableNiftyForms->isChecked());
        QCOMPARE(setup.edNiftyFormsFile->text(), TSysInfo::defaultNiftyFormsFile());
        QCOMPARE(setup.rgReportDate->checkedId(), -1);
        for (QCheckBox *box : {setup.cbViewCalendar, setup.cbViewCoolButtons, setup.cbViewHints,
                               setup.cbViewBtnCaptions, setup.cbAutoSelectRecipe, setup.cbStartOnToday})
            QVERIFY(!box->isChecked());
        setup.close();
    });
}

void TestSetupOptions::preferencesAreSavedOnlyOnClose_data()
{
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("Close") << true;
    QTest::newRow("close box") << false;
}

void TestSetupOptions::preferencesAreSavedOnlyOnClose()
{
    QFETCH(bool, closeButton);
    const char *const topics[] = {"View Calendar", "Auto Select", "Start On Today", "Report Date", "View Hints"};
    SysInfo->WriteSystemValue("View Calendar", "true");
    SysInfo->WriteSystemValue("Auto Select", "False");
    SysInfo->WriteSystemValue("Start On Today", "");
    SysInfo->WriteSystemValue("Report Date", "NoDate");
    QStringList before;
    for (const char *topic : topics)
        before << readSystem(topic);
    const bool returned = runSetup(0, [&](TSetupForm &setup) {
        QVERIFY(setup.cbViewCalendar->isChecked());
        setup.cbViewCalendar->click();
        setup.cbAutoSelectRecipe->click();
        setup.cbStartOnToday->click();
        setup.rgReportDate->button(2)->click();
        closeButton ? setup.BitBtn4->click() : void(setup.close());
    });
    QCOMPARE(returned, closeButton);
    QStringList after;
    for (const char *topic : topics)
        after << readSystem(topic);
    QCOMPARE(after, closeButton ? QStringList({"False", "True", "True", "ThisWeek", "True"}) : before);
}

void TestSetupOptions::reportDateFollowsTheStoredText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("item");
    QTest::newRow("NoDate") << "NoDate" << 0;
    QTest::newRow("Today") << "Today" << 1;
    QTest::newRow("ThisWeek") << "ThisWeek" << 2;
    QTest::newRow("ThisMonth") << "ThisMonth" << 3;
    QTest::newRow("case matters") << "thismonth" << -1;
    QTest::newRow("unknown") << "Yesterday" << -1;
}

void TestSetupOptions::reportDateFollowsTheStoredText()
{
    QFETCH(QString, stored);
    QFETCH(int, item);
    SysInfo->WriteSystemValue("Report Date", stored);
    runSetup(0, [&](TSetupForm &setup) {
        QCOMPARE(setup.rgReportDate->checkedId(), item);
        setup.BitBtn4->click();
    });
    QCOMPARE(readSystem("Report Date"), stored);
}

void TestSetupOptions::emptyPathIsSavedAsTheDefault()
{
    runSetup(0, [&](TSetupForm &setup) {
        setup.edNiftyFormsFile->clear();
        setup.BitBtn4->click();
    });
    QCOMPARE(SysInfo->ReadIniValue("Nifty Forms File", "unused"), TSysInfo::defaultNiftyFormsFile());
}

void TestSetupOptions::hintsFollowTheCheckBoxAtOnce()
{
    SysInfo->WriteSystemValue("View Hints", "TRUE");
    runSetup(1, [&](TSetupForm &setup) {
        QCOMPARE(setup.Add->toolTip(), "Add a Value to this list");
        QCOMPARE(setup.gbReportDate->toolTip(),
                 "Select the Auto Value you want to be populated in the date firlds when you run a report");
        setup.cbViewHints->click();
        QVERIFY(setup.Add->toolTip().isEmpty());
        QVERIFY(setup.cbViewHints->toolTip().isEmpty());
        setup.close();
    });
    QCOMPARE(readSystem("View Hints"), "TRUE");
}

void TestSetupOptions::enableNiftyFormsActsAtOnceButSavesOnlyOnClose()
{
    TNiftyManager &manager = *AbsBaseForm->NiftyManager1;
    manager.setActive(true);
    runSetup(0, [&](TSetupForm &setup) {
        QVERIFY(!setup.NiftyForm1->tiles().isEmpty());
        setup.cbEnableNiftyForms->click();
        QVERIFY(!manager.isActive());
        QVERIFY(setup.NiftyForm1->tiles().isEmpty());
        setup.close();
    });
    QVERIFY(!manager.isActive());
    QCOMPARE(SysInfo->ReadIniValue("Enable Nifty Forms", "unused"), "True");
    runSetup(0, [&](TSetupForm &setup) {
        QVERIFY(setup.cbEnableNiftyForms->isChecked());
        setup.cbEnableNiftyForms->click();
        setup.BitBtn4->click();
    });
    QCOMPARE(SysInfo->ReadIniValue("Enable Nifty Forms", "unused"), "False");
}

void TestSetupOptions::applyRetilesWithAnExistingPicture()
{
    TNiftyManager &manager = *AbsBaseForm->NiftyManager1;
    manager.setActive(true);
    const QImage before = manager.picture();
    const QString red = writePicture("red.bmp", qRgb(200, 0, 0));
    runSetup(0, [&](TSetupForm &setup) {
        setup.edNiftyFormsFile->setText(m_dir->filePath("missing.bmp"));
        setup.btnApply->click();
        QCOMPARE(manager.picture(), before);
        setup.edNiftyFormsFile->setText(red);
        QCOMPARE(setup.imgNiftyFormBmp->pixmap().size(), QSize(6, 4));
        setup.btnApply->click();
        QCOMPARE(manager.picture().size(), QSize(6, 4));
        QCOMPARE(manager.neutralColor(), QColor(200, 0, 0));
        QVERIFY(!setup.NiftyForm1->tiles().isEmpty());
        QCOMPARE(setup.NiftyForm1->tiles().first()->picture().size(), QSize(6, 4));
        setup.close();
    });
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

void TestSetupOptions::unreadablePictureIsAnErrorAndChangesNothing()
{
    TNiftyManager &manager = *AbsBaseForm->NiftyManager1;
    const QImage before = manager.picture();
    const QString green = writePicture("green.bmp", qRgb(0, 200, 0));
    const QString broken = m_dir->filePath("broken.bmp");
    QVERIFY(writeFile(broken, "this is no picture"));
    runSetup(0, [&](TSetupForm &setup) {
        setup.edNiftyFormsFile->setText(green);
        setup.edNiftyFormsFile->setText(broken);
        QCOMPARE(m_fixture->prompter().errors.size(), 1);
        QVERIFY(m_fixture->prompter().errors.first().contains("broken.bmp"));
        QCOMPARE(setup.imgNiftyFormBmp->pixmap().toImage().pixelColor(0, 0), QColor(0, 200, 0));
        setup.btnApply->click();
        QCOMPARE(m_fixture->prompter().errors.size(), 2);
        QCOMPARE(manager.picture(), before);
        setup.close();
    });
}

void TestSetupOptions::chooserPutsThePathIntoTheBox()
{
    const QString blue = writePicture("blue.bmp", qRgb(0, 0, 200));
    runSetup(0, [&](TSetupForm &setup) {
        QString askedFolder;
        setup.choosePicture = [&](QWidget &, const QString &folder) {
            askedFolder = folder;
            return blue;
        };
        setup.edNiftyFormsFile->setText(m_dir->filePath("nothing/here.bmp"));
        setup.SpeedButton1->click();
        QCOMPARE(askedFolder, m_dir->filePath("nothing"));
        QCOMPARE(setup.edNiftyFormsFile->text(), blue);
        QCOMPARE(setup.imgNiftyFormBmp->pixmap().size(), QSize(6, 4));
        setup.close();
    });
}

void TestSetupOptions::chooserPreviewsTheCurrentFile()
{
    const QString blue = writePicture("blue.bmp", qRgb(0, 0, 200));
    const QString broken = m_dir->filePath("broken.bmp");
    QVERIFY(writeFile(broken, "no picture"));
    runSetup(0, [&](TSetupForm &setup) {
        setup.edNiftyFormsFile->setText(blue);
        whenShown<PictureFileDialog>([&](PictureFileDialog &chooser) {
            QVERIFY(chooser.imgPreview->isVisible());
            // The user moves through the list, as with a click or the arrow keys.
            auto *list = chooser.findChild<QListView *>(QStringLiteral("listView"));
            QVERIFY(list);
            auto *files = qobject_cast<QFileSystemModel *>(list->model());
            QVERIFY(files);
            QTRY_VERIFY(files->index(broken).isValid() && files->index(blue).isValid());
            list->setCurrentIndex(files->index(blue));
            QCOMPARE(chooser.imgPreview->pixmap().size(), QSize(6, 4));
            QCOMPARE(chooser.imgPreview->pixmap().toImage().pixelColor(0, 0), QColor(0, 0, 200));
            list->setCurrentIndex(files->index(broken));
            QVERIFY(chooser.imgPreview->pixmap().isNull());
        });
        setup.SpeedButton1->click();
        setup.close();
    });
}

QTEST_MAIN(TestSetupOptions)
#include "tst_setupoptions.moc"
