#include "calendar/Main.h"

#include "calendar/MonthCalendar.h"
#include "calendar/ToolBarButton.h"
#include "calendar/ToolGlyphs.h"
#include "data/dmmain.h"
#include "ui/BoundGrid.h"
#include "ui/incremen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kRecipePanelWidth = 204;
constexpr int kSpacerWidth = 18;

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kTeal(0x00, 0x80, 0x80);

void setTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

void setFontStyle(QWidget *control, bool bold, int pixelSize = 0)
{
    QFont font = control->font();
    font.setBold(bold);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    control->setFont(font);
}

QFrame *loweredPanel(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return panel;
}

QFrame *edgeLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}

} // namespace

void TMainForm::buildWindow()
{
    ImageList1 = ToolGlyphs::draw();
    buildMenu();
    auto *client = new QHBoxLayout(this);
    client->setMenuBar(MainMenu1);
    client->setContentsMargins(5, 3, 0, 5);
    client->setSpacing(0);
    client->addWidget(buildRecipePanel());
    client->addWidget(buildSpacerPanel());
    client->addWidget(buildCalendarPanel(), 1);
    m_calendarMargin = new QWidget(this);  // shown and hidden with the calendar panel
    m_calendarMargin->setFixedWidth(kCalendarRightMargin);
    client->addWidget(m_calendarMargin);
    resize(kDesignWidth, kDesignHeight);
    connectCommands();
}

QFrame *TMainForm::buildRecipePanel()
{
    pnlRecipe = loweredPanel(this);
    pnlRecipe->setFixedWidth(kRecipePanelWidth);
    auto *panel = new QVBoxLayout(pnlRecipe);
    panel->setContentsMargins(1, 1, 1, 1);
    panel->setSpacing(0);
    addHeader(panel, QStringLiteral("Recipies"));
    buildRecipeToolBar();
    panel->addWidget(tbRecipe);
    panel->addWidget(edgeLine(pnlRecipe));
    panel->addWidget(buildSearchStrip());
    DBGrid1 = new BoundGrid(pnlRecipe);
    DBGrid1->setRowIndicator(true);
    DBGrid1->bind(dmMain1->dsRecipe);
    setHint(DBGrid1, QStringLiteral("This Shows The Recipes In Your DataBase"));
    auto *gridMargin = new QVBoxLayout;
    gridMargin->setContentsMargins(5, 5, 5, 5);
    gridMargin->addWidget(DBGrid1);
    panel->addLayout(gridMargin, 1);
    return pnlRecipe;
}

QWidget *TMainForm::buildSearchStrip()
{
    auto *strip = new QWidget(pnlRecipe);
    strip->setFixedHeight(40);
    auto *grid = new QGridLayout(strip);
    grid->setContentsMargins(5, 1, 5, 1);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    SearchName = new TIncrementalSearch(strip);
    SearchName->setFixedWidth(111);
    SearchName->setDataSource(&dmMain1->dsRecipe);
    SearchName->setTimerIntervalSQL(700);
    SearchName->setTimerIntervalIndex(250);
    cbCategory = new QComboBox(strip);
    cbCategory->setEditable(true);
    cbCategory->setInsertPolicy(QComboBox::NoInsert);
    // The list filters on the text as typed: no completion, and no matching of a typed text to
    // an item in another letter case when the box loses the focus ("all" is not "ALL").
    cbCategory->setCompleter(nullptr);
    cbCategory->setFixedWidth(77);
    setHint(cbCategory, QStringLiteral("Sort Recipes By Their Category"));
    grid->addWidget(new QLabel(QStringLiteral("Search Recipe Name"), strip), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Sort Category"), strip), 0, 1);
    grid->addWidget(SearchName, 1, 0);
    grid->addWidget(cbCategory, 1, 1);
    grid->setColumnStretch(2, 1);
    return strip;
}

// Holds only the hidden carriers of the Alt shortcuts that are copied onto the menu items.
QFrame *TMainForm::buildSpacerPanel()
{
    SpacerPanel = new QFrame(this);
    SpacerPanel->setFixedWidth(kSpacerWidth);
    HotKey1 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_A));
    HotKey2 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_E));
    HotKey3 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_D));
    HotKey4 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_S));
    HotKey5 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_V));
    HotKey6 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_M));
    HotKey7 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_P));
    HotKey8 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_N));
    HotKey9 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_T));
    HotKey10 = addHotKey(QKeySequence(Qt::ALT | Qt::Key_X));
    return SpacerPanel;
}

QKeySequenceEdit *TMainForm::addHotKey(const QKeySequence &shortcut)
{
    auto *carrier = new QKeySequenceEdit(shortcut, SpacerPanel);
    carrier->hide();
    return carrier;
}

QFrame *TMainForm::buildCalendarPanel()
{
    pnlCalendar = loweredPanel(this);
    auto *panel = new QVBoxLayout(pnlCalendar);
    panel->setContentsMargins(1, 1, 1, 1);
    panel->setSpacing(0);
    addHeader(panel, QStringLiteral("Calendar"));
    buildCalendarToolBar();
    panel->addWidget(tbCalendar);
    panel->addWidget(edgeLine(pnlCalendar));
    panel->addWidget(buildDayStrip());
    lbMonth = new QLabel(QStringLiteral("September 1997"), pnlCalendar);
    lbMonth->setAlignment(Qt::AlignCenter);
    setTextColour(lbMonth, kTeal);
    setFontStyle(lbMonth, true, 16);
    setHint(lbMonth, QStringLiteral("Selected Month"));
    panel->addWidget(lbMonth);
    Calendar1 = new MonthCalendar(pnlCalendar);
    auto *calendarMargin = new QVBoxLayout;
    calendarMargin->setContentsMargins(5, 3, 5, 5);
    calendarMargin->addWidget(Calendar1);
    panel->addLayout(calendarMargin, 1);
    return pnlCalendar;
}

QWidget *TMainForm::buildDayStrip()
{
    auto *strip = new QWidget(pnlCalendar);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(5, 3, 5, 3);
    row->setSpacing(0);
    lbRecipeText = new QLabel(QStringLiteral("Recipe for  "), strip);
    setTextColour(lbRecipeText, kPurple);
    lbRecipe = new QLabel(strip);
    setTextColour(lbRecipe, kPurple);
    setFontStyle(lbRecipe, true, 13);
    setHint(lbRecipe, QStringLiteral("Selected Recipe Name Appears Here"));
    lbServings = new QLabel(strip);
    setTextColour(lbServings, kPurple);
    setHint(lbServings, QStringLiteral("How Many Eat On The Selected Day"));
    row->addWidget(lbRecipeText);
    row->addWidget(lbRecipe);
    row->addWidget(lbServings, 1);
    return strip;
}

void TMainForm::buildRecipeToolBar()
{
    tbRecipe = new QToolBar(pnlRecipe);
    setHint(tbRecipe, QStringLiteral("This Is The Recipe Toolbar"));
    btnAdd = addToolButton(tbRecipe, QStringLiteral("  &Add...  "), QStringLiteral("Add A Recipe "), 0);
    btnEdit = addToolButton(tbRecipe, QStringLiteral("  &Edit...  "), QStringLiteral("Edit A Recipe"), 1);
    btnDelete = addToolButton(tbRecipe, QStringLiteral("  &Delete  "), QStringLiteral("Delete A Recipe"), 2);
}

void TMainForm::buildCalendarToolBar()
{
    tbCalendar = new QToolBar(pnlCalendar);
    setHint(tbCalendar, QStringLiteral("This Is The Calendar Toolbar"));
    btnAssign = addToolButton(tbCalendar, QStringLiteral("A&ssign"), QStringLiteral("Assign a Recipe to Current Date"), 3);
    btnShoveright = addToolButton(tbCalendar, QStringLiteral("Sho&ve"),
                                  QStringLiteral("Shove From Selected Recipe, All Future Recipes One Day To The Right"), 5);
    btnRemove = addToolButton(tbCalendar, QStringLiteral("Re&move"),
                              QStringLiteral("Remove The Recipe Chosen For The Current Day"), 2);
    auto *gap = new QWidget(tbCalendar);
    gap->setFixedWidth(8);
    tbCalendar->addWidget(gap);
    ToolButton1 = addToolButton(tbCalendar, QStringLiteral("&Prev"), QStringLiteral("Move the Calendar to the previous month"), 6);
    ToolButton2 = addToolButton(tbCalendar, QStringLiteral("&Next"), QStringLiteral("Move the Calendar to the next month"), 7);
    btnToday = addToolButton(tbCalendar, QStringLiteral("&Today"), QStringLiteral("Move the Calendar to today's date"), 8);
}

// The access key of a caption stays a mark only: the menu item of the same command owns the
// Alt shortcut, and a second owner would make the key ambiguous.
QToolButton *TMainForm::addToolButton(QToolBar *toolBar, const QString &caption, const QString &hint, int glyph)
{
    auto *button = new ToolBarButton(toolBar);
    button->setText(caption);
    button->setShortcut(QKeySequence());
    button->setIcon(ImageList1.value(glyph));
    button->setIconSize(QSize(ToolGlyphs::kSize, ToolGlyphs::kSize));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::NoFocus);
    setHint(button, hint);
    toolBar->addWidget(button);
    return button;
}

QLabel *TMainForm::addHeader(QVBoxLayout *panel, const QString &caption)
{
    auto *header = new QLabel(caption, panel->parentWidget());
    header->setContentsMargins(5, 2, 5, 2);
    setTextColour(header, kNavy);
    setFontStyle(header, true);
    panel->addWidget(header);
    return header;
}

void TMainForm::setHint(QWidget *control, const QString &hint)
{
    control->setToolTip(hint);
    m_hints.append({control, hint});
}

QList<QToolButton *> TMainForm::toolButtons() const
{
    return {btnAdd, btnEdit, btnDelete, btnAssign, btnShoveright, btnRemove, ToolButton1, ToolButton2, btnToday};
}
