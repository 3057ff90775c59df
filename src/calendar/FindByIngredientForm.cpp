#include "calendar/FindByIngredientForm.h"

#include "data/EngineError.h"
#include "editing/TabChain.h"
#include "ui/CommandGuard.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

bool isNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

QString foundText(qsizetype count)
{
    if (count == 0)
        return QStringLiteral("No recipe found");
    return count == 1 ? QStringLiteral("1 recipe found") : QStringLiteral("%1 recipes found").arg(count);
}

} // namespace

FindByIngredientForm::FindByIngredientForm(RecipeFinder &finder, QWidget *owner)
    : TAbsRegularForm(owner),
      edWith(new QLineEdit(this)),
      edWithout(new QLineEdit(this)),
      lbCount(new QLabel(this)),
      lvRecipes(new QListView(this)),
      btnShow(new QPushButton(QStringLiteral("&Show"), this)),
      btnCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_finder(finder)
{
    setObjectName(QStringLiteral("FindByIngredientForm"));
    setWindowTitle(QStringLiteral("Find by Ingredient"));
    lvRecipes->setModel(&m_names);
    lvRecipes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvRecipes->setSelectionMode(QAbstractItemView::SingleSelection);
    lvRecipes->setUniformItemSizes(true);  // long lists lay out at once
    layOut();
    m_searchDelay.setSingleShot(true);
    m_searchDelay.setInterval(kSearchDelayMs);
    connect(&m_searchDelay, &QTimer::timeout, this, guarded([this] { searchNow(); }));
    m_otherCopiesTimer.setInterval(kOtherCopiesIntervalMs);
    connect(&m_otherCopiesTimer, &QTimer::timeout, this, [this] { followOtherCopies(); });
    m_otherCopiesTimer.start();
    for (QLineEdit *edit : {edWith, edWithout}) {
        connect(edit, &QLineEdit::textChanged, this, [this] { searchSoon(); });
        edit->installEventFilter(this);
    }
    connect(lvRecipes, &QListView::doubleClicked, this, guarded(this, &FindByIngredientForm::chooseRecipe));
    connect(btnShow, &QPushButton::clicked, this, guarded(this, &FindByIngredientForm::chooseRecipe));
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FindByIngredientForm::layOut()
{
    auto *fields = new QFormLayout;
    auto *withLabel = new QLabel(QStringLiteral("Must &have:"), this);
    auto *withoutLabel = new QLabel(QStringLiteral("Must &not have:"), this);
    withLabel->setBuddy(edWith);
    withoutLabel->setBuddy(edWithout);
    fields->addRow(withLabel, edWith);
    fields->addRow(withoutLabel, edWithout);
    auto *hint = new QLabel(QStringLiteral("Type the start of each ingredient's name, in any letter case, and "
                                           "separate the ingredients with commas: \"chick, garlic\"."),
                            this);
    hint->setWordWrap(true);
    edWith->setToolTip(hint->text());
    edWithout->setToolTip(hint->text());
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnShow);
    buttons->addWidget(btnCancel);
    btnShow->setDefault(true);  // Enter in either field or in the list shows the chosen recipe
    btnCancel->setAutoDefault(false);
    btnShow->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    btnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(hint);
    layout->addWidget(lbCount);
    layout->addWidget(lvRecipes, 1);
    layout->addLayout(buttons);
    setTabChain({edWith, edWithout, lvRecipes, btnShow, btnCancel});
    resize(360, 420);
}

QString FindByIngredientForm::FindRecipe()
{
    searchNow();
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
    return m_found.value(lvRecipes->currentIndex().row()).id;
}

void FindByIngredientForm::searchSoon()
{
    m_searchDelay.start();
}

void FindByIngredientForm::searchNow(Choice choice)
{
    const QString chosen = choice == Choice::Kept ? m_found.value(lvRecipes->currentIndex().row()).id : QString();
    m_searchDelay.stop();
    m_found = m_finder.find({RecipeFinder::namesFromText(edWith->text()), RecipeFinder::namesFromText(edWithout->text())});
    QStringList names;
    names.reserve(m_found.size());
    for (const FoundRecipe &recipe : std::as_const(m_found))
        names << recipe.name;
    m_names.setStringList(names);
    lbCount->setText(foundText(m_found.size()));
    const auto kept = std::find_if(m_found.cbegin(), m_found.cend(), [&](const FoundRecipe &r) { return r.id == chosen; });
    if (!m_found.isEmpty())
        lvRecipes->setCurrentIndex(m_names.index(kept != m_found.cend() ? int(kept - m_found.cbegin()) : 0));
}

// Another copy of the program may store or delete recipes while the cook looks. Once the
// finder has read them, on a thread of its own, the list follows, keeping the chosen recipe.
// Not the cook's command: a failure shows with the next search, which reads for itself.
void FindByIngredientForm::followOtherCopies()
{
    try {
        if (m_finder.readAhead() && !m_searchDelay.isActive())
            searchNow(Choice::Kept);
    } catch (...) {
    }
}

// What the list shows is what was typed, also when Enter comes before the pause ends.
void FindByIngredientForm::chooseRecipe()
{
    if (m_searchDelay.isActive())
        searchNow();
    if (lvRecipes->currentIndex().isValid())
        accept();
}

bool FindByIngredientForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == edWith || watched == edWithout)
        && forwardKey(static_cast<const QKeyEvent &>(*event)))
        return true;
    return TAbsRegularForm::eventFilter(watched, event);
}

// The keys that move through a list move the recipe list, while the focus and the typed text
// stay in the field. With a modifier held the key stays with the field.
bool FindByIngredientForm::forwardKey(const QKeyEvent &event)
{
    const auto modifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (!isNavigationKey(event.key()) || (event.modifiers() & modifiers))
        return false;
    QKeyEvent copy(QEvent::KeyPress, event.key(), Qt::NoModifier);
    QApplication::sendEvent(lvRecipes, &copy);
    return true;
}
