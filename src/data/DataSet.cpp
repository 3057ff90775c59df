#include "data/DataSet.h"

#include "data/DataSetHelpers.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/EngineError.h"
#include "data/Table.h"

#include <QRegularExpression>

namespace {

// A view that is not open has failed to open at the start, which then ended; only a fault of
// the program itself brings a command here. Say what to do rather than what went wrong inside.
QString notOpenMessage(const TDataSet &dataSet)
{
    const auto *table = dynamic_cast<const TTable *>(&dataSet);
    const QString what = table ? QStringLiteral("The table \"%1\"").arg(Schema::baseName(table->tableName()))
                               : QStringLiteral("The query");
    return what + QStringLiteral(" is not open, so this cannot be done. Close Platewright and start it again; "
                                 "if the message comes back, put back a copy of the database from a backup.");
}

} // namespace

// ---- TField ---------------------------------------------------------------------------

QString TField::fieldName() const { return m_dataSet->fieldInfo(m_index).def.name; }
FieldType TField::dataType() const { return m_dataSet->fieldInfo(m_index).def.type; }
int TField::size() const { return m_dataSet->fieldInfo(m_index).def.size; }
bool TField::isLookup() const { return m_dataSet->fieldInfo(m_index).isLookup; }
QVariant TField::value() const { return m_dataSet->currentValue(m_index); }
void TField::setValue(const QVariant &value) { m_dataSet->setValue(m_index, value); }
bool TField::isNull() const { return FieldText::isBlank(value()); }

QString TField::asString() const
{
    return FieldText::toText(dataType(), value());
}

void TField::setAsString(const QString &text)
{
    setValue(FieldText::fromText(m_dataSet->fieldInfo(m_index).def, text));
}

int TField::asInteger() const
{
    const QVariant v = value();
    if (dataType() == FieldType::Integer || dataType() == FieldType::Logical)
        return v.toInt();
    return v.toString().trimmed().toInt();
}

void TField::setAsInteger(int value)
{
    if (dataType() == FieldType::Integer || dataType() == FieldType::Logical)
        setValue(qlonglong(value));
    else
        setAsString(QString::number(value));
}

QDate TField::asDate() const
{
    return dataType() == FieldType::Date ? DateText::fromStorage(value()) : DateText::parse(value().toString());
}

void TField::setAsDate(const QDate &date)
{
    if (dataType() == FieldType::Date)
        setValue(date.isValid() ? QVariant(DateText::toStorage(date)) : QVariant());
    else
        setAsString(DateText::toDisplay(date));
}

QStringList TField::asLines() const
{
    return FieldText::splitLines(value().toString());
}

void TField::setAsLines(const QStringList &lines)
{
    setAsString(lines.join(QLatin1Char('\n')));
}

// ---- TDataSet -------------------------------------------------------------------------

TDataSet::TDataSet(TDatabase &db, QObject *parent) : QObject(parent), m_db(&db) {}

TDataSet::~TDataSet()
{
    if (m_db)
        m_db->unregisterDataSet(this);
}

void TDataSet::error(int code, const QString &message) const
{
    throw EngineError(code, message);
}

void TDataSet::runEvent(const Event &event)
{
    if (event)
        event(*this);
}

void TDataSet::open()
{
    if (isActive())
        return;
    runEvent(beforeOpen);
    openRows();
    m_db->registerDataSet(this);
    m_state = DataSetState::Browse;
    m_modified = false;
    m_pos = rowCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = rowCount() == 0;
    loadCurrent();
    emit stateChanged();
    emit dataSetChanged();
    emit recordChanged();
    currentRecordChanged();
}

void TDataSet::close()
{
    if (!isActive())
        return;
    closeRows();
    m_db->unregisterDataSet(this);
    m_state = DataSetState::Inactive;
    m_modified = false;
    m_pos = -1;
    m_eof = m_bof = true;
    m_buffer.clear();
    emit stateChanged();
    emit dataSetChanged();
}

void TDataSet::setFields(const QList<FieldDef> &defs)
{
    std::vector<FieldInfo> fields;
    for (const auto &def : defs) {
        FieldInfo info;
        info.def = def;
        const int old = fieldIndex(def.name);
        if (old >= 0) {
            info.visible = m_fields[size_t(old)].visible;
            info.displayWidth = m_fields[size_t(old)].displayWidth;
        }
        fields.push_back(info);
    }
    for (const auto &f : m_fields)
        if (f.isLookup)
            fields.push_back(f);
    m_fields = std::move(fields);
    m_storedFieldCount = int(defs.size());
}

int TDataSet::fieldIndex(const QString &name) const
{
    // Names are nearly always written as declared: try that first, it is a plain comparison.
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].def.name == name)
            return int(i);
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].def.name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TField TDataSet::fieldByName(const QString &name)
{
    const int index = fieldIndex(name);
    if (index < 0 && !isActive())
        error(EngineError::Inactive, notOpenMessage(*this));  // its fields are known once it opens
    if (index < 0)
        error(EngineError::FieldNotFound, QStringLiteral("Field \"%1\" not found.").arg(name));
    return TField(this, index);
}

void TDataSet::addLookupField(const QString &name, int size, const LookupSpec &lookupSpec)
{
    if (isActive())
        error(EngineError::ActiveDataSet, QStringLiteral("Cannot add a field to an open dataset."));
    FieldInfo info;
    info.def = {name, FieldType::Text, size};
    info.isLookup = true;
    info.lookup = lookupSpec;
    m_fields.push_back(info);
}

void TDataSet::setFieldVisible(const QString &name, bool visible, int displayWidth)
{
    int index = fieldIndex(name);
    if (index < 0) {
        // Not known before the dataset opens: remember it for then.
        FieldInfo info;
        info.def.name = name;
        m_fields.insert(m_fields.begin() + m_storedFieldCount, info);
        ++m_storedFieldCount;
        index = fieldIndex(name);
    }
    m_fields[size_t(index)].visible = visible;
    m_fields[size_t(index)].displayWidth = displayWidth;
}

int TDataSet::recordCount() const
{
    settle();
    return isActive() ? rowCount() : 0;
}

QVariant TDataSet::currentValue(int index)
{
    settle();
    if (index < 0 || index >= fieldCount())
        error(EngineError::FieldNotFound, QStringLiteral("Field number %1 does not exist.").arg(index));
    if (!isActive())
        error(EngineError::Inactive, notOpenMessage(*this));
    const FieldInfo &info = m_fields[size_t(index)];
    if (info.isLookup)
        return lookupValue(info, m_buffer);
    return index < m_buffer.size() ? m_buffer[index] : QVariant();
}

QVariant TDataSet::valueAt(int position, int fieldIndex)
{
    settle();
    if (!isActive() || position < 0 || position >= rowCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return {};
    const QVector<QVariant> row = readRow(position);
    const FieldInfo &info = m_fields[size_t(fieldIndex)];
    if (info.isLookup)
        return lookupValue(info, row);
    return fieldIndex < row.size() ? row[fieldIndex] : QVariant();
}

QVariant TDataSet::lookupValue(const FieldInfo &field, const QVector<QVariant> &row)
{
    const LookupSpec &lookupSpec = field.lookup;
    const int keyIndex = fieldIndex(lookupSpec.keyField);
    if (!lookupSpec.lookupDataSet || keyIndex < 0 || keyIndex >= row.size() || row[keyIndex].isNull())
        return {};
    return lookupSpec.lookupDataSet->lookup(lookupSpec.lookupKeyField, row[keyIndex], lookupSpec.resultField);
}

void TDataSet::initField(int index, const QVariant &value)
{
    m_buffer[index] = FieldText::normalise(m_fields[size_t(index)].def, value);
}

void TDataSet::setValue(int index, const QVariant &value)
{
    if (!isEditing())
        error(EngineError::NotEditing, QStringLiteral("Dataset not in edit or insert mode."));
    const FieldInfo &info = m_fields[size_t(index)];
    if (info.isLookup)
        error(EngineError::ReadOnlyDataSet, QStringLiteral("Field \"%1\" cannot be modified.").arg(info.def.name));
    m_buffer[index] = FieldText::normalise(info.def, value);
    m_modified = true;
    emit fieldChanged(index);
    emit recordChanged();
    currentRecordChanged();
}

void TDataSet::loadCurrent()
{
    if (m_pos >= 0 && m_pos < rowCount())
        m_buffer = readRow(m_pos);
    else
        m_buffer = QVector<QVariant>(m_storedFieldCount);
    runEvent(onCalcFields);
}

void TDataSet::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void TDataSet::checkBrowseMode()
{
    settle();
    if (!isActive())
        error(EngineError::Inactive, notOpenMessage(*this));
    if (isEditing()) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void TDataSet::moveTo(int position, bool atEnd)
{
    m_pos = position;
    m_bof = position <= 0;
    m_eof = atEnd || rowCount() == 0;
    loadCurrent();
    emit recordChanged();
    runEvent(afterScroll);
    currentRecordChanged();
}

void TDataSet::first()
{
    checkBrowseMode();
    moveTo(rowCount() > 0 ? 0 : -1);
}

void TDataSet::next()
{
    checkBrowseMode();
    if (m_pos + 1 < rowCount()) {
        moveTo(m_pos + 1);
        m_bof = false;
    } else {
        m_eof = true;
    }
}

void TDataSet::prior()
{
    checkBrowseMode();
    if (m_pos > 0) {
        moveTo(m_pos - 1);
        m_bof = false;
    } else {
        m_bof = true;
    }
}

void TDataSet::last()
{
    checkBrowseMode();
    moveTo(rowCount() - 1, true);
    m_bof = rowCount() == 0;
}

void TDataSet::setRecNo(int position)
{
    checkBrowseMode();
    if (rowCount() == 0)
        return;
    moveTo(std::clamp(position, 0, rowCount() - 1));
}

void TDataSet::setPositionAfterReload(int position)
{
    m_pos = rowCount() == 0 ? -1 : std::clamp(position, 0, rowCount() - 1);
    m_bof = m_pos <= 0;
    m_eof = rowCount() == 0;
    loadCurrent();
    emit dataSetChanged();
    emit recordChanged();
    currentRecordChanged();
}

void TDataSet::refresh()
{
    checkBrowseMode();
    closeRows();
    openRows();
    setPositionAfterReload(m_pos);
}

void TDataSet::insert()
{
    checkBrowseMode();
    runEvent(beforeInsert);
    m_insertPos = m_pos;
    m_buffer = QVector<QVariant>(m_storedFieldCount);
    m_original = m_buffer;
    setState(DataSetState::Insert);
    try {
        initNewRecord();
        runEvent(onNewRecord);
    } catch (...) {
        setState(DataSetState::Browse);
        loadCurrent();
        emit recordChanged();
        throw;
    }
    m_modified = false;
    emit recordChanged();
    currentRecordChanged();
}

void TDataSet::edit()
{
    settle();
    if (!isActive())
        error(EngineError::Inactive, notOpenMessage(*this));
    if (isEditing())
        return;
    if (rowCount() == 0) {
        insert();
        return;
    }
    // Another view or another copy of the program may have changed the row meanwhile.
    forgetCachedRow(m_pos);
    loadCurrent();
    m_original = m_buffer;
    m_modified = false;
    setState(DataSetState::Edit);
    emit recordChanged();
}

void TDataSet::post()
{
    settle();
    if (!isEditing())
        return;
    const int position = m_state == DataSetState::Insert ? insertRow(m_buffer) : updateRow(m_pos, m_buffer);
    m_state = DataSetState::Browse;
    m_modified = false;
    if (position >= 0)
        m_pos = position;
    settle();  // rows another copy of the program changed while the record was pending
    setPositionAfterReload(m_pos);
    emit stateChanged();
    runEvent(afterPost);
}

void TDataSet::cancel()
{
    settle();
    if (isEditing())
        leaveEditState(true);
}

void TDataSet::leaveEditState(bool readChangedRows)
{
    m_state = DataSetState::Browse;
    m_modified = false;
    if (readChangedRows)
        settle();
    loadCurrent();
    emit stateChanged();
    emit recordChanged();
    currentRecordChanged();
}

void TDataSet::remove()
{
    settle();
    if (!isActive())
        error(EngineError::Inactive, notOpenMessage(*this));
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    // The record being edited is the one to delete, even when other rows changed meanwhile.
    if (m_state == DataSetState::Edit)
        leaveEditState(false);
    if (rowCount() == 0 || m_pos < 0)
        error(EngineError::EmptyDataSet, QStringLiteral("Cannot perform this operation on an empty dataset."));
    runEvent(beforeDelete);
    deleteRow(m_pos);
    settle();
    setPositionAfterReload(m_pos);
}

int TDataSet::insertRow(const QVector<QVariant> &)
{
    error(EngineError::ReadOnlyDataSet, QStringLiteral("Cannot modify a read-only dataset."));
}

int TDataSet::updateRow(int, const QVector<QVariant> &)
{
    error(EngineError::ReadOnlyDataSet, QStringLiteral("Cannot modify a read-only dataset."));
}

void TDataSet::deleteRow(int)
{
    error(EngineError::ReadOnlyDataSet, QStringLiteral("Cannot modify a read-only dataset."));
}

void TDataSet::discardPendingRecord()
{
    if (!isEditing())
        return;
    m_state = DataSetState::Browse;
    m_modified = false;
    m_discardedByRollback = true;
}

void TDataSet::resyncAfterRollback()
{
    if (!isActive())
        return;
    if (m_discardedByRollback) {
        m_discardedByRollback = false;
        emit stateChanged();
    }
    refresh();
}
