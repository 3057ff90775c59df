#include "exchange_ui/impexptb.h"

#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "data/Prompter.h"
#include "exchange/ImportSession.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterExporter.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"
#include "exchange_ui/BackgroundImport.h"
#include "ui/WaitBoxScope.h"
#include "ui/Waitbox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <memory>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString kImporting = QStringLiteral("Importing Recipies...Please Wait...");
const QString kExporting = QStringLiteral("Exporting Recipies...Please Wait...");
const QString kNoFileName = QStringLiteral("Please Select A file Name");
// Each entry of the recipe list carries the key of its recipe: equal names stay apart.
constexpr int kRecipeKeyRole = Qt::UserRole;

template <typename Importer>
BackgroundImport::Work importWith(LineReader &lines, std::function<void(Importer &)> setUp = {})
{
    return [&lines, setUp](TdmMain1 &tables, const ImportSession::Progress &progress) {
        Importer importer(tables);
        importer.setProgress(progress);
        if (setUp)
            setUp(importer);
        return importer.importFrom(lines);
    };
}

} // namespace

void TImportExportTableForm::RunImportExport()
{
    LoadFileNames();
    exec();
    SaveFileNames();
}

void TImportExportTableForm::LoadFileNames()
{
    edImportFile->setText(m_settings.read(Settings::RecipeImportDir));
    edExportFile->setText(m_settings.read(Settings::RecipeExportDir));
    const auto encoding = TextEncodings::fromOptionName(m_settings.read(Settings::RecipeImportEncoding));
    cbEncoding->setCurrentIndex(int(encoding.value_or(TextEncoding::Automatic)));
}

void TImportExportTableForm::SaveFileNames()
{
    m_settings.write(Settings::RecipeImportDir, edImportFile->text());
    m_settings.write(Settings::RecipeExportDir, edExportFile->text());
    m_settings.write(Settings::RecipeImportEncoding, TextEncodings::optionName(TextEncoding(cbEncoding->currentIndex())));
}

// Every recipe is listed, whatever category the main window shows.
void TImportExportTableForm::FormCreate()
{
    clbRecipeName->clear();
    PageControl1->setCurrentWidget(Import);
    PageControl1Change();
    rgFormatChange();
    TTable &recipes = m_dataModule.tblRecipeLookup;
    recipes.refresh();  // the view keeps the rows it read, and recipes may have come since
    const int name = recipes.fieldIndex(QStringLiteral("Name"));
    const int key = recipes.fieldIndex(QStringLiteral("Recipe_ID"));
    for (int row = 0; row < recipes.recordCount(); ++row) {
        auto *item = new QListWidgetItem(recipes.valueAt(row, name).toString(), clbRecipeName);
        item->setData(kRecipeKeyRole, recipes.valueAt(row, key).toString());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TImportExportTableForm::PageControl1Change()
{
    btnImport->setVisible(PageControl1->currentWidget() == Import);
    btnExport->setVisible(PageControl1->currentWidget() == Export);
}

void TImportExportTableForm::rgFormatChange()
{
    cbEncoding->setEnabled(formatIndex() == 1);
    lbEncoding->setEnabled(cbEncoding->isEnabled());
}

void TImportExportTableForm::SpeedButton1Click()
{
    browseInto(edImportFile);
}

void TImportExportTableForm::SpeedButton2Click()
{
    browseInto(edExportFile);
}

// The export side uses the same dialog, where a new file name may be typed.
void TImportExportTableForm::browseInto(QLineEdit *edit)
{
    OpenDialog->selectFile(edit->text());
    if (runOpenDialog(*OpenDialog) && !OpenDialog->selectedFiles().isEmpty())
        edit->setText(OpenDialog->selectedFiles().first());
}

void TImportExportTableForm::btnImportClick()
{
    if (formatIndex() < 0) {
        Prompter::instance().inform(QStringLiteral("Please select one of the available formats"));
        return;
    }
    const QString fileName = edImportFile->text();
    if (fileName.isEmpty()) {
        Prompter::instance().inform(kNoFileName);
        return;
    }
    if (!QFileInfo::exists(fileName))
        return;
    importFile(fileName, formatIndex());
}

void TImportExportTableForm::importFile(const QString &fileName, int format)
{
    QFile file(fileName);
    ImportSession::openForReading(file);
    LineReader lines(file);
    if (format == 0)
        ImportNativeRecipes(lines);
    else
        ImportMealMasterRecipes(lines);
}

void TImportExportTableForm::btnExportClick()
{
    if (edExportFile->text().isEmpty())
        Prompter::instance().inform(kNoFileName);
    else
        ExportRecipes();
}

void TImportExportTableForm::ExportRecipes()
{
    const QStringList keys = tickedRecipeKeys();
    int written = 0;
    {
        WaitBoxScope wait(waitBox, kExporting);
        std::unique_ptr<RecipeExporter> exporter;
        if (exportFormatIndex() == 1)
            exporter = std::make_unique<MealMasterExporter>(m_dataModule);
        else
            exporter = std::make_unique<NativeExporter>(m_dataModule);
        exporter->setProgress([&wait](int count) { wait.showCount(count, QStringLiteral("recipes written")); });
        written = exporter->exportKeys(edExportFile->text(), keys);
    }
    // Another copy of the program may have deleted a ticked recipe since the list was filled.
    if (written < keys.size())
        Prompter::instance().inform(QStringLiteral("%1 of %2 ticked recipes exported; the others no longer exist.")
                                        .arg(written)
                                        .arg(keys.size()));
}

void TImportExportTableForm::ImportNativeRecipes(LineReader &lines)
{
    runImport(importWith<NativeImporter>(lines));
}

void TImportExportTableForm::ImportMealMasterRecipes(LineReader &lines)
{
    const TextEncoding encoding = TextEncoding(cbEncoding->currentIndex());
    runImport(importWith<MealMasterImporter>(lines, [encoding](MealMasterImporter &importer) {
        importer.setEncoding(encoding);
    }));
}

// The import runs away from the window's thread, so that the window stays painted and the
// wait box counts; the summary says how far a stopped import came.
void TImportExportTableForm::runImport(const BackgroundImport::Work &work)
{
    ImportSummary summary;
    {
        WaitBoxScope wait(waitBox, kImporting);
        summary = BackgroundImport(m_dataModule, wait).run(work);
    }
    showImportSummary(summary);
}

// The totals when the import ends; what was dropped or cut, item by item, behind them.
void TImportExportTableForm::showImportSummary(const ImportSummary &summary)
{
    const QString totals = summary.totalsText() + QLatin1Char('.');
    if (summary.lostAnything())
        Prompter::instance().informWithDetails(totals, summary.lossTexts().join(QLatin1Char('\n')));
    else
        Prompter::instance().inform(totals);
}

QStringList TImportExportTableForm::tickedRecipeKeys() const
{
    QStringList keys;
    for (int row = 0; row < clbRecipeName->count(); ++row)
        if (clbRecipeName->item(row)->checkState() == Qt::Checked)
            keys.append(clbRecipeName->item(row)->data(kRecipeKeyRole).toString());
    return keys;
}

int TImportExportTableForm::formatIndex() const
{
    return m_formats->checkedId();
}

void TImportExportTableForm::setFormatIndex(int index)
{
    if (QAbstractButton *button = m_formats->button(index)) {
        button->setChecked(true);
        return;
    }
    m_formats->setExclusive(false);
    if (QAbstractButton *checked = m_formats->checkedButton())
        checked->setChecked(false);
    m_formats->setExclusive(true);
}

int TImportExportTableForm::exportFormatIndex() const
{
    return m_exportFormats->checkedId();
}

void TImportExportTableForm::setExportFormatIndex(int index)
{
    if (QAbstractButton *button = m_exportFormats->button(index))
        button->setChecked(true);
}

// Close answers the Escape key, closing with the modal result OK.
void TImportExportTableForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnOK->click();
        return;
    }
    TAbsRegularForm::keyPressEvent(event);
}
