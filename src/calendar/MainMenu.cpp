#include "calendar/Main.h"

#include "calendar/MonthCalendar.h"
#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"
#include "ui/MenuShortcutPriority.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

void TMainForm::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    Setup1 = File1->addAction(QStringLiteral("&Setup..."));
    Setup1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    File1->addSeparator();
    Exit1 = File1->addAction(QStringLiteral("E&xit"));
    buildRecipesMenu();
    buildCalendarMenu();
    buildHelpMenus();
}

void TMainForm::buildRecipesMenu()
{
    Recipes = MainMenu1->addMenu(QStringLiteral("&Recipes"));
    Add1 = Recipes->addAction(QStringLiteral("&Add..."));
    Edit1 = Recipes->addAction(QStringLiteral("&Edit..."));
    Delete1 = Recipes->addAction(QStringLiteral("&Delete"));
    Recipes->addSeparator();
    FindByIngredient1 = Recipes->addAction(QStringLiteral("&Find by Ingredient..."));
    FindByIngredient1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Import1 = Recipes->addAction(QStringLiteral("&Import/Export..."));
}

void TMainForm::buildCalendarMenu()
{
    Calendar2 = MainMenu1->addMenu(QStringLiteral("&Calendar"));
    Assign1 = Calendar2->addAction(QStringLiteral("&Assign"));
    ShoveRight1 = Calendar2->addAction(QStringLiteral("&Shove Right"));
    Remove1 = Calendar2->addAction(QStringLiteral("Remo&ve"));
    Servings1 = Calendar2->addAction(QStringLiteral("Servin&gs..."));
    Servings1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    Calendar2->addSeparator();
    PrevMonth1 = Calendar2->addAction(QStringLiteral("&Prev Month"));
    NextMonth1 = Calendar2->addAction(QStringLiteral("&Next Month"));
    Today1 = Calendar2->addAction(QStringLiteral("&Today"));
}

void TMainForm::buildHelpMenus()
{
    R1 = MainMenu1->addMenu(QStringLiteral("Re&ports"));
    PrintReports1 = R1->addAction(QStringLiteral("Print &Reports..."));
    PrintReports1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Contents1 = Help1->addAction(QStringLiteral("&Contents"));
    Contents1->setShortcut(QKeySequence(Qt::Key_F1));
    Help1->addSeparator();
    About1 = Help1->addAction(QStringLiteral("&About..."));
}

QList<QAction *> TMainForm::calendarItems() const
{
    return {Assign1, ShoveRight1, Remove1, Servings1, PrevMonth1, NextMonth1, Today1};
}

// Every command has a tool button and a menu item sharing one handler, some only the item.
void TMainForm::connectCommands()
{
    using Handler = void (TMainForm::*)();
    auto bind = [this](QToolButton *button, QAction *item, Handler handler) {
        if (button)
            connect(button, &QToolButton::clicked, this, guarded(this, handler));
        connect(item, &QAction::triggered, this, guarded(this, handler));
    };
    bind(btnAdd, Add1, &TMainForm::btnAddRecipeClick);
    bind(btnEdit, Edit1, &TMainForm::btnEditRecipeClick);
    bind(btnDelete, Delete1, &TMainForm::btnDeleteRecipeClick);
    bind(btnAssign, Assign1, &TMainForm::btnAssignClick);
    bind(btnShoveright, ShoveRight1, &TMainForm::btnShoveRightClick);
    bind(btnRemove, Remove1, &TMainForm::btnRemoveClick);
    bind(ToolButton1, PrevMonth1, &TMainForm::btnPrevMonthClick);
    bind(ToolButton2, NextMonth1, &TMainForm::btnNextMonthClick);
    bind(btnToday, Today1, &TMainForm::btnTodayClick);
    bind(nullptr, Servings1, &TMainForm::Servings1Click);
    bind(nullptr, Setup1, &TMainForm::Setup1Click);
    bind(nullptr, Exit1, &TMainForm::Exit1Click);
    bind(nullptr, FindByIngredient1, &TMainForm::FindByIngredient1Click);
    bind(nullptr, Import1, &TMainForm::Import1Click);
    bind(nullptr, PrintReports1, &TMainForm::PrintReports1Click);
    bind(nullptr, Contents1, &TMainForm::Contents1Click);
    bind(nullptr, About1, &TMainForm::About1Click);

    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, guarded(this, &TMainForm::btnEditRecipeClick));
    DBGrid1->installEventFilter(this);
    cbCategory->installEventFilter(this);
    connect(cbCategory, &QComboBox::editTextChanged, this, guarded(this, &TMainForm::Combo1Change));
    connect(Calendar1, &MonthCalendar::changed, this, guarded(this, &TMainForm::Calendar1Change));
    connect(Calendar1, &MonthCalendar::clicked, this, guarded(this, &TMainForm::Calendar1Change));
    new MenuShortcutPriority(*this, {Setup1, Exit1, Add1, Edit1, Delete1, FindByIngredient1, Import1, Assign1,
                                     ShoveRight1, Remove1, Servings1, PrevMonth1, NextMonth1, Today1, PrintReports1,
                                     Contents1, About1});
}
