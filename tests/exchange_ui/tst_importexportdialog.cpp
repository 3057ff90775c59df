#include "../exchange/ExchangeFixture.h"
#include "WindowFixture.h"
#include "data/SysInfo.h"
#include "exchange/TextEncoding.h"
#include "exchange_ui/impexptb.h"
#include "ui/AbsBase.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"
#include "ui/Waitbox.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

StoredRecipe named(const QString &name, const QString &category)
{
    return {{}, name, "Dinner", category, "5 min", "2", "10 min", {"Cook " + name + "."}, {}, {}};
}

const QString kNoFileName = QStringLiteral("Please Select A file Name");

} // namespace

class TestImportExportDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;
    std::unique_ptr<WindowFixture> m_windows;
    std::unique_ptr<TWaitForm> m_waitBox;
    TSysInfo *m_settings = nullptr;
    ScriptedPrompter *m_prompter = nullptr;

    std::unique_ptr<TImportExportTableForm> makeDialog()
    {
        auto dialog = std::make_unique<TImportExportTableForm>(nullptr, &m_fx->dm(), m_settings);
        dialog->waitBox = m_waitBox.get();
        return dialog;
    }

private slots:
    void init();
    void cleanup();

    void opensOnImportPageAndSwapsButtons();
    void neverFollowsTheSharedManager();
    void fileNamesAreRememberedWithoutAnImport();
    void importAsksForFormatThenFileName();
    void exportAsksForFileName();
    void missingImportFileDoesNothing();
    void importFramedByWaitBox();
    void failedImportIsShownAndHidesWaitBox();
    void stopKeepsWholeRecipesAndSaysSo_data();
    void stopKeepsWholeRecipesAndSaysSo();
    void exportWritesTickedRecipes();
    void exportWritesEachTickedRecipeByKey_data();
    void exportWritesEachTickedRecipeByKey();
    void importEndsWithTotalsAndOffersDetails_data();
    void importEndsWithTotalsAndOffersDetails();
    void listsEveryRecipeWhateverTheCategory();
    void browseButtonPutsChosenFileIntoItsBox();
    void keyboardImportsAndExports();
};

void TestImportExportDialog::init()
{
    m_fx = std::make_unique<ExchangeFixture>();
    m_windows = std::make_unique<WindowFixture>(m_fx->dm().Database1);
    m_waitBox = std::make_unique<TWaitForm>();
    m_settings = &m_windows->settings();
    m_prompter = &m_fx->prompter();
}

void TestImportExportDialog::cleanup()
{
    m_waitBox.reset();
    m_windows.reset();
    m_fx.reset();
}

void TestImportExportDialog::opensOnImportPageAndSwapsButtons()
{
    auto dialog = makeDialog();
    QCOMPARE(dialog->PageControl1->currentWidget(), dialog->Import);
    QVERIFY(dialog->btnImport->isVisibleTo(dialog.get()));
    QVERIFY(!dialog->btnExport->isVisibleTo(dialog.get()));
    QCOMPARE(dialog->formatIndex(), 0);
    dialog->PageControl1->setCurrentWidget(dialog->Export);
    QVERIFY(!dialog->btnImport->isVisibleTo(dialog.get()));
    QVERIFY(dialog->btnExport->isVisibleTo(dialog.get()));
    dialog->PageControl1->setCurrentWidget(dialog->Import);
    QVERIFY(dialog->btnImport->isVisibleTo(dialog.get()));
    QVERIFY(!dialog->btnExport->isVisibleTo(dialog.get()));
}

void TestImportExportDialog::neverFollowsTheSharedManager()
{
    auto dialog = makeDialog();
    QVERIFY(!dialog->NiftyForm1->niftyManager());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Import / Export Recipe Wizard"));
}

void TestImportExportDialog::fileNamesAreRememberedWithoutAnImport()
{
    m_settings->WriteSystemValue("Recipe Import Dir", "/old/in.txt");
    auto dialog = makeDialog();
    QTimer::singleShot(0, dialog.get(), [&dialog] {
        QCOMPARE(dialog->edImportFile->text(), QStringLiteral("/old/in.txt"));
        dialog->edImportFile->setText("/new/in.mmf");
        dialog->edExportFile->setText("/new/out.txt");
        dialog->cbEncoding->setCurrentIndex(int(TextEncoding::Cp437));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);  // Close answers Escape
    });
    dialog->RunImportExport();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_settings->ReadSystemValue("Recipe Import Dir"), QStringLiteral("/new/in.mmf"));
    QCOMPARE(m_settings->ReadSystemValue("Recipe Export Dir"), QStringLiteral("/new/out.txt"));
    QCOMPARE(m_settings->ReadSystemValue("Recipe Import Encoding"), QStringLiteral("cp437"));
    auto next = makeDialog();
    next->LoadFileNames();
    QCOMPARE(next->edExportFile->text(), QStringLiteral("/new/out.txt"));
    QCOMPARE(next->cbEncoding->currentIndex(), int(TextEncoding::Cp437));
}

void TestImportExportDialog::importAsksForFormatThenFileName()
{
    auto dialog = makeDialog();
    dialog->setFormatIndex(-1);
    dialog->btnImport->click();
    dialog->setFormatIndex(1);
    dialog->btnImport->click();
    QCOMPARE(m_prompter->notices, (QStringList{"Please select one of the available formats", kNoFileName}));
    QVERIFY(m_prompter->errors.isEmpty());
}

void TestImportExportDialog::exportAsksForFileName()
{
    m_fx->addRecipe(named("Soup", "Soups"));
    auto dialog = makeDialog();
    dialog->clbRecipeName->item(0)->setCheckState(Qt::Checked);
    dialog->btnExport->click();
    QCOMPARE(m_prompter->notices, QStringList{kNoFileName});
    QVERIFY(!m_waitBox->isVisible());
}

void TestImportExportDialog::missingImportFileDoesNothing()
{
    auto dialog = makeDialog();
    dialog->edImportFile->setText(m_fx->path("nowhere.txt"));
    dialog->btnImport->click();
    QVERIFY(m_prompter->notices.isEmpty());
    QVERIFY(m_prompter->errors.isEmpty());
    QVERIFY(m_waitBox->DescriptionText->text().isEmpty());
    QVERIFY(m_fx->recipes().isEmpty());
}

void TestImportExportDialog::importFramedByWaitBox()
{
    m_fx->writeFile("in.txt", nativeBlock("Name=Soup;Category=Soups;", {"Boil."}, {}, {"Ingredient=Leek;Order=0;"}));
    auto dialog = makeDialog();
    dialog->edImportFile->setText(m_fx->path("in.txt"));
    dialog->btnImport->click();
    QVERIFY(m_prompter->errors.isEmpty());
    QCOMPARE(m_fx->recipes().size(), 1);
    // The count read so far may follow the message.
    QVERIFY(m_waitBox->DescriptionText->text().startsWith(QStringLiteral("Importing Recipies...Please Wait...")));
    QVERIFY(!m_waitBox->isVisible());
}

void TestImportExportDialog::failedImportIsShownAndHidesWaitBox()
{
    m_fx->writeFile("bad.txt", nativeBlock("Name=Soup;", {}, {}, {"Ingredient=Leek;Order=first;"}));
    auto dialog = makeDialog();
    dialog->edImportFile->setText(m_fx->path("bad.txt"));
    m_waitBox->PushText("Outer");
    dialog->btnImport->click();
    QCOMPARE(m_prompter->errors.size(), 1);
    QCOMPARE(m_waitBox->DescriptionText->text(), QStringLiteral("Outer"));
    m_waitBox->PopText();
    QVERIFY(!m_waitBox->isVisible());
    QVERIFY(m_fx->recipes().isEmpty());
}

void TestImportExportDialog::stopKeepsWholeRecipesAndSaysSo_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Stop button") << false;
    QTest::newRow("Esc on the dialog") << true;
}

// Stopped after its first count is shown, the import keeps the recipes it stored, each with
// all its lines, and says how many; Esc stops the import, not the dialog.
void TestImportExportDialog::stopKeepsWholeRecipesAndSaysSo()
{
    QFETCH(bool, byEscape);
    constexpr int kRecipes = 20'000;
    QByteArray text;
    for (int i = 0; i < kRecipes; ++i)
        text += nativeBlock("Name=Dish " + QByteArray::number(i) + ";", {"Cook."}, {},
                            {"Ingredient=Leek;Order=0;", "Ingredient=Salt;Order=1;", "Ingredient=Oil;Order=2;"});
    m_fx->writeFile("many.txt", text);
    auto dialog = makeDialog();
    dialog->edImportFile->setText(m_fx->path("many.txt"));
    dialog->show();
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, this, [&] {
        if (!m_waitBox->DescriptionText->text().contains("recipes read"))
            return;
        stopper.stop();
        if (byEscape)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(m_waitBox->btnStop, Qt::LeftButton);
    });
    stopper.start(20);
    dialog->btnImport->click();
    QVERIFY(m_prompter->errors.isEmpty());
    const int stored = m_fx->count("Recipe.DB");
    QVERIFY2(stored > 0 && stored < kRecipes, qPrintable(QString::number(stored)));
    QCOMPARE(m_fx->count("REC_INGR.DB"), 3 * stored);
    QCOMPARE(m_prompter->notices, QStringList{QStringLiteral("The import was stopped: %1 %2.")
                                                    .arg(stored)
                                                    .arg(stored == 1 ? "recipe imported" : "recipes imported")});
    QVERIFY(dialog->isVisible());
    QVERIFY(!m_waitBox->isVisible());
}

void TestImportExportDialog::exportWritesTickedRecipes()
{
    m_fx->addRecipe(named("Soup", "Soups"));
    m_fx->addRecipe(named("Stew", "Soups"));
    auto dialog = makeDialog();
    dialog->PageControl1->setCurrentWidget(dialog->Export);
    dialog->edExportFile->setText(m_fx->path("out.txt"));
    dialog->clbRecipeName->item(1)->setCheckState(Qt::Checked);
    dialog->btnExport->click();
    const QByteArray text = m_fx->readFile("out.txt");
    QCOMPARE(text.count("Platewright\r\n"), 1);
    QVERIFY(text.contains("Name=Stew;"));
    QVERIFY(m_waitBox->DescriptionText->text().startsWith(QStringLiteral("Exporting Recipies...Please Wait...")));
    QVERIFY(!m_waitBox->isVisible());
}

void TestImportExportDialog::exportWritesEachTickedRecipeByKey_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArrayList>("written");
    QTest::newRow("native") << 0 << QByteArrayList{"Name=Dup;", "Ingredient=Beef;", "Name=dup;", "Ingredient=Lamb;"};
    QTest::newRow("Meal-Master") << 1 << QByteArrayList{"Title: Dup\r\n", " lb Beef\r\n", "Title: dup\r\n", " lb Lamb\r\n"};
}
// Two recipes of one name, one outside the category the main window shows: each goes out,
// in the format chosen.
void TestImportExportDialog::exportWritesEachTickedRecipeByKey()
{
    QFETCH(int, format);
    QFETCH(QByteArrayList, written);
    m_fx->addRecipe(named("Dup", "Soups"), {"Beef|1|lb|"});
    m_fx->addRecipe(named("dup", "Breads"), {"Lamb|1|lb|"});
    m_fx->dm().tblRecipe.setFilter(QStringLiteral("Category='Soups'"));
    auto dialog = makeDialog();
    QCOMPARE(dialog->exportFormatIndex(), 0);
    dialog->setExportFormatIndex(format);
    dialog->edExportFile->setText(m_fx->path("out.txt"));
    for (int row = 0; row < 2; ++row)
        dialog->clbRecipeName->item(row)->setCheckState(Qt::Checked);
    dialog->btnExport->click();
    const QByteArray text = m_fx->readFile("out.txt");
    for (const QByteArray &part : written)
        QVERIFY2(text.contains(part), part.constData());
    QVERIFY(m_prompter->notices.isEmpty());
}

void TestImportExportDialog::importEndsWithTotalsAndOffersDetails_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QStringList>("details");
    const auto soup = [](const QByteArray &lines) { return nativeBlock("Name=Soup;", {}, {}, {lines}); };
    QTest::newRow("all stored") << 0 << TextEncoding::Automatic << soup("Ingredient=Leek;Order=0;")
                                << "1 recipe imported." << QStringList{};
    QTest::newRow("line dropped")
        << 0 << TextEncoding::Automatic << soup("Ingredient=Leek;Order=0;\r\nIngredient=LEEK;Order=1;")
        << "1 recipe imported, 1 ingredient line dropped."
        << QStringList{"Line 7, recipe \"Soup\": ingredient line \"LEEK\" dropped: the recipe lists this ingredient already"};
    // The encoding the user chose reads the file, not the one its bytes suggest (DOS).
    QTest::newRow("Meal-Master in the encoding chosen") << 1 << TextEncoding::Cp1252 << kMealMasterPate
                                                        << "1 recipe imported; text read as Windows (1252)."
                                                        << QStringList{};
}
void TestImportExportDialog::importEndsWithTotalsAndOffersDetails()
{
    QFETCH(int, format);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, file);
    QFETCH(QString, totals);
    QFETCH(QStringList, details);
    m_fx->writeFile("in.txt", file);
    auto dialog = makeDialog();
    dialog->setFormatIndex(format);
    dialog->cbEncoding->setCurrentIndex(int(encoding));
    dialog->edImportFile->setText(m_fx->path("in.txt"));
    dialog->btnImport->click();
    QCOMPARE(m_prompter->notices, QStringList{totals});
    QCOMPARE(m_prompter->details, details.isEmpty() ? QStringList{} : QStringList{details.join(u'\n')});
}

void TestImportExportDialog::listsEveryRecipeWhateverTheCategory()
{
    m_fx->addRecipe(named("Stew", "Soups"));
    m_fx->addRecipe(named("Bread", "Breads"));
    m_fx->addRecipe(named("Stew", "Soups"));
    m_fx->dm().tblRecipe.setFilter(QStringLiteral("Category='Breads'"));
    auto dialog = makeDialog();
    QStringList names;
    for (int row = 0; row < dialog->clbRecipeName->count(); ++row) {
        names << dialog->clbRecipeName->item(row)->text();
        QCOMPARE(dialog->clbRecipeName->item(row)->checkState(), Qt::Unchecked);
    }
    QCOMPARE(names, (QStringList{"Stew", "Bread", "Stew"}));
}

void TestImportExportDialog::browseButtonPutsChosenFileIntoItsBox()
{
    auto dialog = makeDialog();
    const QString kept = m_fx->path("kept.txt");
    dialog->edExportFile->setText(kept);
    QString offered;
    bool confirm = false;
    dialog->runOpenDialog = [&](QFileDialog &files) {
        offered = files.selectedFiles().value(0);
        files.selectFile(m_fx->path("chosen.txt"));
        return confirm;
    };
    dialog->SpeedButton2->click();
    QCOMPARE(dialog->edExportFile->text(), kept);
    QCOMPARE(offered, kept);
    confirm = true;
    dialog->SpeedButton2->click();
    QCOMPARE(dialog->edExportFile->text(), m_fx->path("chosen.txt"));
    QCOMPARE(dialog->OpenDialog->windowTitle(), QStringLiteral("Select A File"));
}

// The labels' access keys focus the file boxes of the page shown, Ctrl+Tab turns the page,
// Alt+I and Alt+E run the button of the page shown, and Esc closes.
void TestImportExportDialog::keyboardImportsAndExports()
{
    m_fx->addRecipe(named("Soup", "Soups"));
    m_fx->addRecipe(named("Stew", "Soups"));
    auto dialog = makeDialog();
    QList<QWidget *> focused;
    QStringList noticesOnImportPage;
    auto steps = [&] {
        TImportExportTableForm &d = *dialog;
        QTRY_COMPARE(QApplication::activeWindow(), &d);
        auto press = [&d](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(d.focusWidget(), Qt::Key(key), modifiers);
        };
        press(Qt::Key_F, Qt::AltModifier);
        focused << d.focusWidget();
        QTest::keyClicks(d.focusWidget(), m_fx->path("nowhere.txt"));
        press(Qt::Key_E, Qt::AltModifier);  // the export button is not on this page
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Delete);
        press(Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(m_prompter->notices.size(), 1);
        noticesOnImportPage = m_prompter->notices;
        press(Qt::Key_Tab, Qt::ControlModifier);
        press(Qt::Key_F, Qt::AltModifier);
        focused << d.focusWidget();
        QTest::keyClicks(d.focusWidget(), m_fx->path("out.txt"));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        focused << d.focusWidget();
        press(Qt::Key_Down);
        press(Qt::Key_Space);  // ticks Stew
        press(Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(m_fx->readFile("out.txt").contains("Name=Stew;"));
        press(Qt::Key_Escape);
    };
    QTimer::singleShot(0, dialog.get(), [&] {
        steps();
        if (dialog->isVisible())  // a failed step leaves the dialog open
            dialog->reject();
    });
    dialog->RunImportExport();
    QCOMPARE(focused, (QList<QWidget *>{dialog->edImportFile, dialog->edExportFile, dialog->clbRecipeName}));
    QCOMPARE(noticesOnImportPage, QStringList{kNoFileName});
    QCOMPARE(m_prompter->notices, QStringList{kNoFileName});
    QVERIFY(!m_fx->readFile("out.txt").contains("Name=Soup;"));
    QCOMPARE(m_settings->ReadSystemValue("Recipe Export Dir"), m_fx->path("out.txt"));
    QCOMPARE(m_settings->ReadSystemValue("Recipe Import Dir"), QString());
}

QTEST_MAIN(TestImportExportDialog)
#include "tst_importexportdialog.moc"
