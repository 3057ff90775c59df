#include "ui/incremen.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/EngineError.h"
#include "data/Table.h"
#include "ui/CommandGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace {

bool isNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

// What a field of the type takes as typed input: anything for text, a number's characters
// for numbers, digits and separators for dates.
bool fieldAccepts(FieldType type, QChar character)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Logical:
        return character.isDigit() || character == QLatin1Char('+') || character == QLatin1Char('-');
    case FieldType::Date:
        return character.isDigit() || (character.isPunct() && character != QLatin1Char('\''))
               || character.isSpace();
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return true;
}

} // namespace

TIncrementalSearch::TIncrementalSearch(QWidget *owner) : QLineEdit(owner)
{
    connect(&m_timer, &QTimer::timeout, this, guarded(this, &TIncrementalSearch::TimerExpired));
    connect(this, &QLineEdit::textChanged, this, guarded(this, &TIncrementalSearch::Change));
    m_lastSearch.clear();
    setText(QString());
    m_suppressed = false;
}

TIncrementalSearch::~TIncrementalSearch()
{
    m_timer.stop();
}

void TIncrementalSearch::setDataSource(TDataSource *dataSource)
{
    m_dataSource = dataSource;
    watchDataSet();
}

void TIncrementalSearch::setNavigationControl(QWidget *control)
{
    if (m_navigationControl)
        disconnect(m_navigationControl, &QObject::destroyed, this, nullptr);
    m_navigationControl = control;
    if (control)
        connect(control, &QObject::destroyed, this, &TIncrementalSearch::Notification);
}

// The link reports only the opening and closing of its dataset, which empties the box.
void TIncrementalSearch::watchDataSet()
{
    if (m_watchedDataSet)
        disconnect(m_watchedDataSet, nullptr, this, nullptr);
    m_watchedDataSet = dataSet();
    if (m_watchedDataSet)
        connect(m_watchedDataSet, &TDataSet::stateChanged, this,
                guarded(this, &TIncrementalSearch::dataSetStateChanged));
    dataSetStateChanged();
}

void TIncrementalSearch::dataSetStateChanged()
{
    const bool active = m_watchedDataSet && m_watchedDataSet->isActive();
    if (active == m_linkActive)
        return;
    m_linkActive = active;
    ActiveChanged();
}

void TIncrementalSearch::ActiveChanged()
{
    Clear();
}

void TIncrementalSearch::Notification(QObject *removed)
{
    if (removed == m_navigationControl)
        m_navigationControl = nullptr;
}

TDataSet *TIncrementalSearch::dataSet() const
{
    return m_dataSource ? m_dataSource->dataSet() : nullptr;
}

TTable *TIncrementalSearch::table() const
{
    return qobject_cast<TTable *>(dataSet());
}

bool TIncrementalSearch::isLinkActive() const
{
    const TDataSet *linked = dataSet();
    return linked && linked->isActive();
}

// The engine keeps every table in a local database file, so the shorter pause applies.
bool TIncrementalSearch::usesServerDatabase() const
{
    return false;
}

void TIncrementalSearch::Change()
{
    if (m_suppressed)
        return;
    if (text() != m_lastSearch && isLinkActive()) {
        m_timer.stop();
        m_timer.setInterval(usesServerDatabase() ? m_timerIntervalSql : m_timerIntervalIndex);
        m_timer.start();
    }
}

void TIncrementalSearch::TimerExpired()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    if (text() != m_lastSearch) {
        Search();
        m_lastSearch = text();
    }
}

void TIncrementalSearch::Search()
{
    TTable *searched = table();
    if (!searched || !searched->isActive())
        return;
    const QString fieldName = SearchField().fieldName();
    const QStringList indexFields = searched->indexFields();
    int at = -1;
    for (int i = 0; i < indexFields.size() && at < 0; ++i) {
        if (indexFields[i].compare(fieldName, Qt::CaseInsensitive) == 0)
            at = i;
    }
    // Key setting starts from cleared key fields; a field outside the index leaves them all clear.
    QVariantList key(qMax(at, 0) + 1);
    if (at >= 0)
        key[at] = text();
    searched->findNearest(key);
}

TField TIncrementalSearch::SearchField() const
{
    TDataSet *linked = dataSet();
    if (!linked)
        throw EngineError(EngineError::Inactive, QStringLiteral("The search box has no data source."));
    if (!m_searchFieldName.isEmpty())
        return linked->fieldByName(m_searchFieldName);
    const TTable *searched = table();
    if (!searched || searched->indexFields().isEmpty())
        throw EngineError(EngineError::FieldNotFound, QStringLiteral("The search box has no field to search on."));
    return linked->fieldByName(searched->indexFields().constLast());
}

void TIncrementalSearch::Clear()
{
    QScopedValueRollback<bool> suppress(m_suppressed, true);
    QLineEdit::clear();
    m_lastSearch.clear();
    m_timer.stop();
}

void TIncrementalSearch::keyPressEvent(QKeyEvent *event)
{
    runGuarded([&] {
        if (KeyDown(*event) || !KeyPress(*event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    });
}

// True when the key went to the navigation control instead of this box.
bool TIncrementalSearch::KeyDown(const QKeyEvent &event)
{
    if (!isNavigationKey(event.key()) || !m_navigationControl)
        return false;
    QCoreApplication::postEvent(m_navigationControl, new QKeyEvent(QEvent::KeyPress, event.key(), Qt::NoModifier));
    return true;
}

// False when a typed character is to be dropped: while the link is inactive, and when the
// search field would not take it. Keys that type nothing always pass.
bool TIncrementalSearch::KeyPress(const QKeyEvent &event) const
{
    const QString typed = event.text();
    const bool isBackspace = event.key() == Qt::Key_Backspace;
    if (!isBackspace && (typed.isEmpty() || !typed.front().isPrint()))
        return true;
    if (!isLinkActive())
        return false;
    return isBackspace || fieldAccepts(SearchField().dataType(), typed.front());
}
