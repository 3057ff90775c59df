#include "exchange_ui/impexptb.h"

#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "exchange/TextEncoding.h"
#include "ui/CommandGuard.h"
#include "ui/NiftyForm.h"
#include "ui/NiftyMan.h"
#include "ui/Waitbox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

template <typename T>
T &required(T *object, const char *what)
{
    if (!object)
        throw std::logic_error(what);
    return *object;
}

} // namespace

TImportExportTableForm::TImportExportTableForm(QWidget *owner, TdmMain1 *dataModule, TSysInfo *settings)
    : TAbsRegularForm(owner),
      runOpenDialog([](QFileDialog &dialog) { return dialog.exec() == QDialog::Accepted; }),
      waitBox(WaitForm),
      Panel2(new QFrame), PageControl1(new QTabWidget), Import(new QWidget), Label3(new QLabel),
      edImportFile(new QLineEdit), SpeedButton1(new QToolButton), rgFormat(new QGroupBox), lbEncoding(new QLabel),
      cbEncoding(new QComboBox), Export(new QWidget),
      Label1(new QLabel), edExportFile(new QLineEdit), SpeedButton2(new QToolButton), Label2(new QLabel),
      clbRecipeName(new QListWidget), rgExportFormat(new QGroupBox), Panel1(new QFrame), btnImport(new QPushButton), btnExport(new QPushButton),
      btnOK(new QPushButton), OpenDialog(new QFileDialog(this)),
      m_dataModule(required(dataModule ? dataModule : dmMain1, "The import/export dialog needs the data module.")),
      m_settings(required(settings ? settings : SysInfo, "The import/export dialog needs the settings store.")),
      m_formats(new QButtonGroup(this)),
      m_exportFormats(new QButtonGroup(this))
{
    // No tiled background on this window, whatever the preferences say.
    NiftyForm1->setNiftyManager(nullptr);
    setWindowTitle(QStringLiteral("Import / Export Recipe Wizard"));
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    setStyleSheet(QStringLiteral("TImportExportTableForm { color: black; }"));
    resize(295, 239);
    OpenDialog->setWindowTitle(QStringLiteral("Select A File"));
    OpenDialog->setFileMode(QFileDialog::AnyFile);
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    buildWindow();
    connectControls();
    FormCreate();
}

TImportExportTableForm::~TImportExportTableForm() = default;

void TImportExportTableForm::buildWindow()
{
    PageControl1->addTab(buildImportPage(), QStringLiteral("  Import  "));
    PageControl1->addTab(buildExportPage(), QStringLiteral("  Export  "));
    auto *pages = new QVBoxLayout(Panel2);
    pages->setContentsMargins(5, 5, 5, 5);
    pages->addWidget(PageControl1);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(Panel2, 1);
    window->addWidget(buildButtonStrip());
}

QWidget *TImportExportTableForm::buildFileRow(QLineEdit *edit, QToolButton *browse)
{
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setAutoRaise(true);
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    return row;
}

QWidget *TImportExportTableForm::buildImportPage()
{
    Label3->setText(QStringLiteral("&File To Import"));
    Label3->setBuddy(edImportFile);
    rgFormat->setTitle(QStringLiteral("Import Format"));
    fillFormatGroup(rgFormat, m_formats, {QStringLiteral("Platewright"), QStringLiteral("Meal-Master v8.00")});
    setFormatIndex(0);
    auto *layout = new QVBoxLayout(Import);
    layout->addWidget(Label3);
    layout->addWidget(buildFileRow(edImportFile, SpeedButton1));
    layout->addWidget(rgFormat);
    layout->addWidget(buildEncodingRow());
    layout->addStretch(1);
    return Import;
}

// The native format reads its lines by a rule of its own: the choice is for Meal-Master files.
QWidget *TImportExportTableForm::buildEncodingRow()
{
    lbEncoding->setText(QStringLiteral("Text encoding"));
    lbEncoding->setBuddy(cbEncoding);
    for (TextEncoding encoding : {TextEncoding::Automatic, TextEncoding::Cp437, TextEncoding::Cp1252, TextEncoding::Utf8})
        cbEncoding->addItem(TextEncodings::description(encoding));
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lbEncoding);
    layout->addWidget(cbEncoding, 1);
    return row;
}

QWidget *TImportExportTableForm::buildExportPage()
{
    Label1->setText(QStringLiteral("&File To Export to"));
    Label1->setBuddy(edExportFile);
    Label2->setText(QStringLiteral("Select A Recipe"));
    auto *layout = new QVBoxLayout(Export);
    layout->addWidget(Label1);
    layout->addWidget(buildFileRow(edExportFile, SpeedButton2));
    layout->addWidget(Label2);
    layout->addWidget(clbRecipeName, 1);
    rgExportFormat->setTitle(QStringLiteral("Export Format"));
    fillFormatGroup(rgExportFormat, m_exportFormats, {QStringLiteral("Platewright"), QStringLiteral("Meal-Master")});
    setExportFormatIndex(0);
    layout->addWidget(rgExportFormat);
    return Export;
}

// A radio group of two columns, one item each, numbered from 0.
void TImportExportTableForm::fillFormatGroup(QGroupBox *group, QButtonGroup *buttons, const QStringList &items)
{
    auto *formats = new QHBoxLayout(group);
    for (int k = 0; k < items.size(); ++k) {
        auto *button = new QRadioButton(items[k]);
        buttons->addButton(button, k);
        formats->addWidget(button);
    }
}

QFrame *TImportExportTableForm::buildButtonStrip()
{
    btnImport->setText(QStringLiteral("&Import"));
    btnImport->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    btnExport->setText(QStringLiteral("&Export"));
    btnExport->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    btnOK->setText(QStringLiteral("Close"));
    for (QPushButton *button : {btnImport, btnExport, btnOK})
        button->setAutoDefault(false);
    auto *layout = new QHBoxLayout(Panel1);
    layout->addWidget(btnImport);
    layout->addWidget(btnExport);
    layout->addStretch(1);
    layout->addWidget(btnOK);
    return Panel1;
}

void TImportExportTableForm::connectControls()
{
    connect(PageControl1, &QTabWidget::currentChanged, this, guarded(this, &TImportExportTableForm::PageControl1Change));
    connect(m_formats, &QButtonGroup::idToggled, this, guarded(this, &TImportExportTableForm::rgFormatChange));
    connect(SpeedButton1, &QToolButton::clicked, this, guarded(this, &TImportExportTableForm::SpeedButton1Click));
    connect(SpeedButton2, &QToolButton::clicked, this, guarded(this, &TImportExportTableForm::SpeedButton2Click));
    connect(btnImport, &QPushButton::clicked, this, guarded(this, &TImportExportTableForm::btnImportClick));
    connect(btnExport, &QPushButton::clicked, this, guarded(this, &TImportExportTableForm::btnExportClick));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}
