#include "calendar/Main.h"

#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "ui/CommandGuard.h"
#include "ui/DataSetTableModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>
#include <utility>

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *owner)
    : TAbsRegularForm(owner),
      MainMenu1(new QMenuBar(this)),
      File1(MainMenu1->addMenu(QStringLiteral("&File"))),
      Exit1(File1->addAction(QStringLiteral("E&xit"))),
      DBGrid1(new QTableView(this))
{
    if (!dmMain1)
        throw std::logic_error("The main window was created before the data module it shows.");
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Platewright"));
    resize(640, 445);
    buildMenu();
    buildRecipeGrid();
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(DBGrid1);
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::FormCreate()
{
    SysInfo = new TSysInfo(dmMain1->Database1, this);
    Exit1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
}

void TMainForm::FormDestroy()
{
    delete std::exchange(SysInfo, nullptr);
}

// Store a day edit that is still pending rather than lose it with the window.
void TMainForm::FormClose()
{
    PostIfModified(dmMain1->tblDay);
}

// Not QDialog's handler, which would reject; a day edit that cannot be stored keeps the
// window open, with the reason shown, so that nothing is lost silently.
void TMainForm::closeEvent(QCloseEvent *event)
{
    if (runGuarded([this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::buildMenu()
{
    connect(Exit1, &QAction::triggered, this, guarded(this, &TMainForm::Exit1Click));
}

void TMainForm::buildRecipeGrid()
{
    m_recipeModel = new DataSetTableModel(dmMain1->tblRecipe, this);
    DBGrid1->setModel(m_recipeModel);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    const int charWidth = DBGrid1->fontMetrics().averageCharWidth();
    for (int column = 0; column < m_recipeModel->columnCount(); ++column)
        DBGrid1->setColumnWidth(column, qMin(m_recipeModel->displayWidth(column), 30) * charWidth + 12);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded(this, &TMainForm::DBGrid1RowChanged));
}

void TMainForm::DBGrid1RowChanged(const QModelIndex &current)
{
    if (current.isValid())
        dmMain1->tblRecipe.setRecNo(current.row());
}
