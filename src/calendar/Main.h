#pragma once

#include "ui/AbsRegular.h"

#include <QList>
#include <QPair>
#include <QPixmap>
#include <functional>
#include <memory>

class BoundGrid;
class MonthCalendar;
class QAction;
class QComboBox;
class QFrame;
class QKeySequenceEdit;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QTimer;
class QToolButton;
class QVBoxLayout;
class RecipeFinder;
class TIncrementalSearch;

// The main window and hub: on the left the recipe list with its search box and category
// filter, on the right the meal calendar with its planning commands, and the menu that leads
// to every other window. It owns the settings store for the whole run; closing it ends the
// program.
class TMainForm : public TAbsRegularForm {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *owner = nullptr);
    ~TMainForm() override;

    // Runs a window of another part of the program: creates it with the given owner, shows it
    // modally and frees it, returning normally, or raising the silent abort when cancelled.
    using WindowRunner = std::function<void(QWidget &owner)>;
    // Add and Edit; the editor changes the data module's current recipe in place.
    WindowRunner insertRecipeWindow;
    WindowRunner editRecipeWindow;
    WindowRunner setupWindow;
    WindowRunner importExportWindow;
    WindowRunner reportWizardWindow;

    QMenuBar *MainMenu1 = nullptr;  // the menu bar
    QMenu *File1 = nullptr;  // the "&File" menu
    QAction *Setup1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Recipes = nullptr;
    QAction *Add1 = nullptr;
    QAction *Edit1 = nullptr;
    QAction *Delete1 = nullptr;
    QAction *FindByIngredient1 = nullptr;
    QAction *Import1 = nullptr;
    QMenu *Calendar2 = nullptr;  // the "&Calendar" menu (Calendar1 is the month grid)
    QAction *Assign1 = nullptr;
    QAction *ShoveRight1 = nullptr;
    QAction *Remove1 = nullptr;
    QAction *Servings1 = nullptr;
    QAction *PrevMonth1 = nullptr;
    QAction *NextMonth1 = nullptr;
    QAction *Today1 = nullptr;
    QMenu *R1 = nullptr;  // the "Re&ports" menu
    QAction *PrintReports1 = nullptr;
    QMenu *Help1 = nullptr;  // the "&Help" menu
    QAction *Contents1 = nullptr;
    QAction *About1 = nullptr;

    QList<QPixmap> ImageList1;  // the glyphs of both tool bars

    QFrame *pnlRecipe = nullptr;
    QToolBar *tbRecipe = nullptr;
    QToolButton *btnAdd = nullptr;
    QToolButton *btnEdit = nullptr;
    QToolButton *btnDelete = nullptr;
    TIncrementalSearch *SearchName = nullptr;
    QComboBox *cbCategory = nullptr;
    BoundGrid *DBGrid1 = nullptr;  // the recipe list

    QFrame *SpacerPanel = nullptr;
    QKeySequenceEdit *HotKey1 = nullptr;  // HotKey1..10: hidden carriers of the menu shortcuts
    QKeySequenceEdit *HotKey2 = nullptr;
    QKeySequenceEdit *HotKey3 = nullptr;
    QKeySequenceEdit *HotKey4 = nullptr;
    QKeySequenceEdit *HotKey5 = nullptr;
    QKeySequenceEdit *HotKey6 = nullptr;
    QKeySequenceEdit *HotKey7 = nullptr;
    QKeySequenceEdit *HotKey8 = nullptr;
    QKeySequenceEdit *HotKey9 = nullptr;
    QKeySequenceEdit *HotKey10 = nullptr;

    QFrame *pnlCalendar = nullptr;
    QToolBar *tbCalendar = nullptr;
    QToolButton *btnAssign = nullptr;
    QToolButton *btnShoveright = nullptr;
    QToolButton *btnRemove = nullptr;
    QToolButton *ToolButton1 = nullptr;  // "&Prev": the previous month
    QToolButton *ToolButton2 = nullptr;  // "&Next": the next month
    QToolButton *btnToday = nullptr;
    QLabel *lbRecipeText = nullptr;
    QLabel *lbRecipe = nullptr;
    QLabel *lbServings = nullptr;
    QLabel *lbMonth = nullptr;
    MonthCalendar *Calendar1 = nullptr;  // the month grid

    static constexpr int kDesignWidth = 640;
    static constexpr int kDesignHeight = 445;
    // Showing the calendar sets the window width to the panel's right edge plus this; the same
    // room is kept right of the panel, so the width stays put however often it is done.
    static constexpr int kCalendarRightMargin = 9;
    // How often the window looks for changes that other copies of the program stored.
    static constexpr int kOtherCopiesIntervalMs = 1000;

public slots:
    // Esc or a rejecting caller must not end the program as it would end a dialog.
    void reject() override {}

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Lifecycle and the recipe list (Main.cpp).
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void btnAddRecipeClick();
    void btnEditRecipeClick();
    void btnDeleteRecipeClick();
    void Combo1Change();
    bool DBGrid1KeyPress(const QKeyEvent &event);
    void Setup1Click();
    void Import1Click();
    void PrintReports1Click();
    void About1Click();
    void Contents1Click();
    void Exit1Click();
    bool listShowsRecipe() const;
    void installDefaultWindows();

    // Finding a recipe by its ingredients (MainFind.cpp).
    void FindByIngredient1Click();
    void showFoundRecipe(const QString &recipeId);
    void watchOtherCopies();
    void showOtherCopiesChanges();

    // The calendar commands (MainCalendar.cpp).
    void ShowDayRecipe();
    bool showDayStrip();
    void btnAssignClick();
    void btnShoveRightClick();
    void btnRemoveClick();
    void Servings1Click();
    void btnPrevMonthClick();
    void btnNextMonthClick();
    void btnTodayClick();
    void Calendar1Change();
    void autoSelectRecipe(const QString &recipeName);

    // The view preferences (MainOptions.cpp).
    void ApplyOptions();
    void SetButtonSize(int height, int width);
    void showButtonCaptions(bool shown);
    void showHints(bool shown);
    void makeButtonsFlat(QToolBar *toolBar, bool flat);
    void showCalendar(bool shown);
    void fillCategories();
    void copyShortcut(const QKeySequenceEdit *hotKey, QAction *item);

    // Building the window (MainLayout.cpp, MainMenu.cpp).
    void buildWindow();
    QFrame *buildRecipePanel();
    QFrame *buildSpacerPanel();
    QFrame *buildCalendarPanel();
    QWidget *buildSearchStrip();
    QWidget *buildDayStrip();
    void buildRecipeToolBar();
    void buildCalendarToolBar();
    void buildMenu();
    void buildRecipesMenu();
    void buildCalendarMenu();
    void buildHelpMenus();
    void connectCommands();
    QToolButton *addToolButton(QToolBar *toolBar, const QString &caption, const QString &hint, int glyph);
    QKeySequenceEdit *addHotKey(const QKeySequence &shortcut);
    QLabel *addHeader(QVBoxLayout *panel, const QString &caption);
    void setHint(QWidget *control, const QString &hint);
    QList<QToolButton *> toolButtons() const;
    QList<QAction *> calendarItems() const;

    QList<QPair<QWidget *, QString>> m_hints;  // every hinted control and its hint
    QWidget *m_calendarMargin = nullptr;
    bool m_shownBefore = false;
    QTimer *m_otherCopiesTimer = nullptr;
    // Kept between finds: it reads the recipes again only when the database has changed.
    std::unique_ptr<RecipeFinder> m_recipeFinder;
};

extern TMainForm *MainForm;
