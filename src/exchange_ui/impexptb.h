#pragma once

#include "exchange_ui/BackgroundImport.h"
#include "ui/AbsRegular.h"

#include <QStringList>
#include <functional>

class LineReader;
struct ImportSummary;
class QButtonGroup;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;
class TSysInfo;
class TWaitForm;
class TdmMain1;

// The import/export dialog: on one page the user picks a file and imports its recipes, in the
// native or the Meal-Master format; on the other picks a file and exports the ticked recipes
// into it. The last file names are kept in the settings store.
class TImportExportTableForm : public TAbsRegularForm {
    Q_OBJECT
public:
    // The data module and settings store default to the program's own.
    explicit TImportExportTableForm(QWidget *owner = nullptr, TdmMain1 *dataModule = nullptr,
                                    TSysInfo *settings = nullptr);
    ~TImportExportTableForm() override;

    void RunImportExport();
    // The steps of RunImportExport around the modal showing; the text encoding is kept with the
    // file names.
    void LoadFileNames();
    void SaveFileNames();

    void ExportRecipes();
    void ImportNativeRecipes(LineReader &lines);
    void ImportMealMasterRecipes(LineReader &lines);

    // Runs the file dialog; true when the user confirmed a file. Tests replace it.
    std::function<bool(QFileDialog &dialog)> runOpenDialog;
    // The wait box framing each import and export; none leaves them unframed.
    TWaitForm *waitBox;

    QFrame *const Panel2;  // holds the pages
    QTabWidget *const PageControl1;  // the Import and Export pages
    QWidget *const Import;
    QLabel *const Label3;  // "&File To Import"
    QLineEdit *const edImportFile;
    QToolButton *const SpeedButton1;  // browse for the file to import
    QGroupBox *const rgFormat;
    QLabel *const lbEncoding;
    QComboBox *const cbEncoding;  // what a Meal-Master file is read as, in TextEncoding's order
    QWidget *const Export;
    QLabel *const Label1;  // "&File To Export to"
    QLineEdit *const edExportFile;
    QToolButton *const SpeedButton2;  // browse for the file to export to
    QLabel *const Label2;  // "Select A Recipe"
    QListWidget *const clbRecipeName;
    QGroupBox *const rgExportFormat;
    QFrame *const Panel1;  // the button strip
    QPushButton *const btnImport;
    QPushButton *const btnExport;
    QPushButton *const btnOK;
    QFileDialog *const OpenDialog;

    // The selected item of rgFormat: 0 the native format, 1 Meal-Master, -1 none.
    int formatIndex() const;
    void setFormatIndex(int index);
    // The selected item of rgExportFormat: 0 the native format, 1 Meal-Master.
    int exportFormatIndex() const;
    void setExportFormatIndex(int index);
    // The keys of the ticked recipes, in list order: what the export writes.
    QStringList tickedRecipeKeys() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Building the window (ImportExportPages.cpp).
    void buildWindow();
    QWidget *buildImportPage();
    QWidget *buildExportPage();
    QFrame *buildButtonStrip();
    QWidget *buildFileRow(QLineEdit *edit, QToolButton *browse);
    QWidget *buildEncodingRow();
    static void fillFormatGroup(QGroupBox *group, QButtonGroup *buttons, const QStringList &items);
    void connectControls();

    // The dialog's handlers (impexptb.cpp).
    void FormCreate();
    void PageControl1Change();
    void rgFormatChange();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void btnImportClick();
    void btnExportClick();
    void browseInto(QLineEdit *edit);
    void importFile(const QString &fileName, int format);
    void showImportSummary(const ImportSummary &summary);
    void runImport(const BackgroundImport::Work &work);

    TdmMain1 &m_dataModule;
    TSysInfo &m_settings;
    QButtonGroup *const m_formats;
    QButtonGroup *const m_exportFormats;
};
