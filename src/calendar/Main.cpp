#include "calendar/Main.h"

#include "calendar/StandInForm.h"
#include "data/FilterParser.h"
#include "data/Prompter.h"
#include "data/RecipeFinder.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "editing/RecipeEdit.h"
#include "editing/Setup.h"
#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"
#include "ui/FormDefaults.h"
#include "ui/about.h"
#include "ui/incremen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>
#include <stdexcept>
#include <utility>

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *owner) : TAbsRegularForm(owner)
{
    if (!dmMain1)
        throw std::logic_error("The main window was created before the data module it shows.");
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Platewright"));
    installDefaultWindows();
    buildWindow();
    FormCreate();
    watchOtherCopies();
}

TMainForm::~TMainForm()
{
    // The base dialog hides the window as it goes, and the focus leaving the category box can
    // change its text: no command of this window may run on what is left of it then.
    cbCategory->disconnect(this);
    FormDestroy();
}

// The windows this layer cannot see (import/export, reports) are stand-ins that return
// normally until the program installs the real ones.
void TMainForm::installDefaultWindows()
{
    auto standIn = [](const QString &caption) {
        return [caption](QWidget &owner) { StandInForm(caption, &owner).run(); };
    };
    insertRecipeWindow = [](QWidget &owner) {
        TRecipeEditForm editor(&owner);
        editor.InsertRecipe();
    };
    editRecipeWindow = [](QWidget &owner) {
        TRecipeEditForm editor(&owner);
        editor.EditRecipe();
    };
    setupWindow = [](QWidget &owner) {
        TSetupForm setup(&owner);
        setup.ShowSetup(0);
    };
    importExportWindow = standIn(QStringLiteral("Import / Export Recipe Wizard"));
    reportWizardWindow = standIn(QStringLiteral("Report Wizard"));
}

void TMainForm::FormCreate()
{
    SysInfo = new TSysInfo(dmMain1->Database1, this);
    ShowDayRecipe();
    copyShortcut(HotKey1, Add1);
    copyShortcut(HotKey2, Edit1);
    copyShortcut(HotKey3, Delete1);
    copyShortcut(HotKey10, Exit1);
}

// Other copies of the program may change the tables at any time: their changes show when
// this window is activated, and at the latest a second after they were stored.
void TMainForm::watchOtherCopies()
{
    m_recipeFinder = std::make_unique<RecipeFinder>(dmMain1->Database1);
    m_otherCopiesTimer = new QTimer(this);
    m_otherCopiesTimer->setInterval(kOtherCopiesIntervalMs);
    connect(m_otherCopiesTimer, &QTimer::timeout, this, [this] { showOtherCopiesChanges(); });
    m_otherCopiesTimer->start();
}

// Not while a dialog of this window is open: its records may be pending, and it catches up
// itself when it stores them. A failure here is not the user's command; the next command
// that reads the tables reports it.
void TMainForm::showOtherCopiesChanges()
{
    if (QApplication::activeModalWidget() || !isVisible())
        return;
    try {
        if (dmMain1->Database1.catchUpWithOtherCopies())
            showDayStrip();
        m_recipeFinder->readAhead();  // so that Find by Ingredient opens on rows read already
    } catch (...) {
    }
}

void TMainForm::changeEvent(QEvent *event)
{
    TAbsRegularForm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showOtherCopiesChanges();
}

void TMainForm::FormShow()
{
    ApplyOptions();
}

// Store a day edit that is still pending rather than lose it with the window.
void TMainForm::FormClose()
{
    PostIfModified(dmMain1->tblDay);
}

void TMainForm::FormDestroy()
{
    delete std::exchange(SysInfo, nullptr);
}

void TMainForm::showEvent(QShowEvent *event)
{
    TAbsRegularForm::showEvent(event);
    if (event->spontaneous())
        return;
    runGuarded([this] { FormShow(); });
    // Centred again at the width the preferences gave it, the first time only.
    if (!std::exchange(m_shownBefore, true))
        FormDefaults::centreOnScreen(*this);
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

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == DBGrid1 || watched == cbCategory)) {
        bool handled = false;
        runGuarded([&] { handled = DBGrid1KeyPress(*static_cast<QKeyEvent *>(event)); });
        return handled;
    }
    return TAbsRegularForm::eventFilter(watched, event);
}

// Enter opens the editor on the current recipe; every other key passes unchanged.
bool TMainForm::DBGrid1KeyPress(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    btnEditRecipeClick();
    return true;
}

// The commands act only on a recipe the user can see: with the list filtered empty there is
// none, even when the table holds recipes of other categories.
bool TMainForm::listShowsRecipe() const
{
    return dmMain1->tblRecipe.recordCount() > 0;
}

void TMainForm::btnAddRecipeClick()
{
    insertRecipeWindow(*this);
    dmMain1->tblRecipe.refresh();
}

void TMainForm::btnEditRecipeClick()
{
    if (!listShowsRecipe())
        return;
    editRecipeWindow(*this);
    dmMain1->tblRecipe.refresh();
}

// The recipe's planned days go with it: the day strip and the calendar buttons follow.
void TMainForm::btnDeleteRecipeClick()
{
    if (!listShowsRecipe())
        return;
    dmMain1->DeleteRecipe();
    showDayStrip();
}

// "ALL" is matched exactly: "all" typed in lower case is a category like any other.
void TMainForm::Combo1Change()
{
    const QString category = cbCategory->currentText();
    if (category.isEmpty() || category == QLatin1String("ALL"))
        dmMain1->tblRecipe.setFilter(QString());
    else
        dmMain1->tblRecipe.setFilter(QStringLiteral("Category=") + FilterParser::quotedText(category));
    SearchName->Search();
}

void TMainForm::Setup1Click()
{
    setupWindow(*this);
    ApplyOptions();
}

void TMainForm::Import1Click()
{
    importExportWindow(*this);
    dmMain1->tblRecipe.refresh();
}

void TMainForm::PrintReports1Click()
{
    reportWizardWindow(*this);
}

void TMainForm::About1Click()
{
    TAboutForm about(this);
    about.ShowAbout();
}

void TMainForm::Contents1Click()
{
    Prompter::instance().inform(QStringLiteral("Currently the Help is unavailable."));
}

void TMainForm::Exit1Click()
{
    close();
}
