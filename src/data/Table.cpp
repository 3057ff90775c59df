#include "data/Table.h"

#include "data/Collation.h"
#include "data/DataSetHelpers.h"
#include "data/EngineError.h"
#include "data/SqlText.h"

#include <QMetaMethod>
#include <QSqlError>
#include <QSqlRecord>

namespace {

constexpr int kBlockSize = 64;       // rows fetched at once when a grid or a walk needs one
constexpr int kCacheLimit = 4096;    // records kept before the cache starts afresh

bool sameValue(const QVariant &a, const QVariant &b)
{
    return Collation::compareValues(a, b, false) == 0 && a.isNull() == b.isNull();
}

} // namespace

TTable::TTable(TDatabase &db, QObject *parent) : TDataSet(db, parent) {}

TTable::~TTable()
{
    if (m_master)
        m_master->m_details.removeAll(this);
    for (TTable *detail : std::as_const(m_details))
        detail->m_master = nullptr;
    close();
}

void TTable::setTableName(const QString &fileName)
{
    if (isActive())
        error(EngineError::ActiveDataSet, QStringLiteral("Cannot change the table of an open view."));
    m_tableName = fileName;
    m_def = nullptr;
}

const TableDef &TTable::tableDef() const
{
    const TableDef *def = m_def ? m_def : Schema::findTable(m_tableName);
    if (!def)
        error(EngineError::TableNotFound, QStringLiteral("Table \"%1\" does not exist.").arg(m_tableName));
    return *def;
}

void TTable::setIndexFieldNames(const QString &fieldNames)
{
    if (isActive())
        error(EngineError::ActiveDataSet, QStringLiteral("Cannot change the index of an open view."));
    m_indexFieldNames = fieldNames;
    m_indexName.clear();
}

void TTable::setIndexName(const QString &indexName)
{
    if (isActive())
        error(EngineError::ActiveDataSet, QStringLiteral("Cannot change the index of an open view."));
    m_indexName = indexName;
    m_indexFieldNames.clear();
}

QStringList TTable::indexFields() const
{
    const TableDef &def = tableDef();
    if (!m_indexFieldNames.isEmpty()) {
        // Like the index it is served by: "Date" on a key of (Date, Recipe_ID) orders and
        // searches by both fields.
        const QStringList named = m_indexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        const auto index = def.indexStartingWith(named);
        return index ? index->fields : named;
    }
    if (!m_indexName.isEmpty()) {
        for (const auto &index : def.indexes)
            if (index.name.compare(m_indexName, Qt::CaseInsensitive) == 0)
                return index.fields;
        error(EngineError::IndexNotFound,
              QStringLiteral("Index \"%1\" does not exist on table \"%2\".").arg(m_indexName, m_tableName));
    }
    return def.primaryKey;
}

void TTable::setMasterSource(TTable *master, const QString &masterField, const QString &detailField)
{
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = master;
    m_masterField = masterField;
    m_detailField = detailField.isEmpty() ? masterField : detailField;
    if (m_master)
        m_master->m_details.append(this);
    if (isActive())
        syncToMaster();
}

void TTable::setFilter(const QString &expression)
{
    if (isActive() && m_filtered) {
        SqlCondition condition = translateFilter(expression);  // a bad expression changes nothing
        checkBrowseMode();
        applyCondition(std::move(condition));
        m_filterText = expression;
        return;
    }
    m_filterText = expression;
}

void TTable::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (isActive()) {
        SqlCondition condition = on ? translateFilter(m_filterText) : SqlCondition{};
        checkBrowseMode();
        applyCondition(std::move(condition));
        m_filtered = on;
        return;
    }
    m_filtered = on;
}

// Reads the rows of a new condition from the first. Should the database refuse the statement
// (more values than it binds at once), the old condition stays in force, with its rows and
// the current record.
void TTable::applyCondition(SqlCondition condition)
{
    const Place place = currentPlace();
    std::swap(m_condition, condition);
    try {
        loadRows();
    } catch (const EngineError &) {
        std::swap(m_condition, condition);
        loadRows();
        returnTo(place);
        throw;
    }
    setPositionAfterReload(0);
}

TTable::Place TTable::currentPlace() const
{
    return {recNo() >= 0 && recNo() < rowCount() ? rowidAt(recNo()) : -1, recNo()};
}

// After the rows were read again: the same record if it is still there, else the same position.
void TTable::returnTo(const Place &place)
{
    const int found = place.rowid >= 0 ? positionOfRowid(place.rowid) : -1;
    setPositionAfterReload(found >= 0 ? found : place.position);
}

SqlCondition TTable::translateFilter(const QString &expression) const
{
    const TableDef &def = tableDef();
    return FilterParser::translate(expression, [&def](const QString &name) {
        const QString bare = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
        const FieldDef *field = def.field(bare);
        FilterParser::ResolvedField resolved;
        if (field) {
            resolved.sql = SqlText::quoted(field->name);
            resolved.isDate = field->type == FieldType::Date;
            resolved.isNumber = field->type == FieldType::Integer || field->type == FieldType::Logical;
        }
        return resolved;
    });
}

// ---- opening and reading ----------------------------------------------------------------

void TTable::openRows()
{
    m_def = &tableDef();
    m_whereText = {};
    database().checkPassword();
    setFields(m_def->fields);
    resolveOrder();
    buildStatementTexts();
    m_condition = m_filtered ? translateFilter(m_filterText) : SqlCondition{};
    if (m_master && m_def->field(m_detailField) == nullptr)
        error(EngineError::FieldNotFound,
              QStringLiteral("Field \"%1\" not found in table \"%2\".").arg(m_detailField, m_tableName));
    m_rangeValue = masterValue();
    loadRows();
}

void TTable::closeRows()
{
    m_syncPending = false;
    m_staleRows = false;
    m_insertStatement = m_updateStatement = m_deleteStatement = m_fetchStatement = nullptr;
    m_loadStatement = m_filterCheckStatement = {};
    m_whereText = {};
    m_statements.clear();
    m_loadSql.clear();
    m_cache.clear();
    m_rows.clear();
    m_slotRowid.clear();
    m_slotKeys.clear();
    m_freeSlots.clear();
}

void TTable::resolveOrder()
{
    m_order.clear();
    const QStringList fields = indexFields();
    const auto index = m_def->indexStartingWith(fields);
    for (const QString &name : fields) {
        const int i = fieldIndex(name);
        if (i < 0 || i >= storedFieldCount())
            error(EngineError::FieldNotFound,
                  QStringLiteral("Field \"%1\" not found in table \"%2\".").arg(name, m_tableName));
        m_order.append({i, index && index->caseInsensitive});
    }
}

void TTable::buildStatementTexts()
{
    const int n = storedFieldCount();
    QStringList columns, assignments;
    for (int i = 0; i < n; ++i) {
        columns << SqlText::quoted(fieldInfo(i).def.name);
        assignments << columns.last() + QStringLiteral(" = ?");
    }
    const QString table = SqlText::quoted(m_def->name);
    m_fetchSql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                     .arg(columns.join(QLatin1Char(',')), table, QStringLiteral("?,").repeated(kBlockSize).chopped(1));
    m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, columns.join(QLatin1Char(',')), QStringLiteral("?,").repeated(n).chopped(1));
    m_updateSql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, assignments.join(QLatin1Char(',')));
    m_deleteSql = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table);
}

QString TTable::orderBySql() const
{
    QStringList parts;
    for (const auto &o : m_order)
        parts << SqlText::quoted(fieldInfo(o.fieldIndex).def.name)
                     + (o.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
    parts << QStringLiteral("rowid");
    return parts.join(QStringLiteral(", "));
}

// The text is made again only when its shape changes; a detail view asks for it each time
// its master moves.
QString TTable::whereSql(QVariantList &values) const
{
    const bool noRange = m_master && m_rangeValue.isNull();
    if (m_master && !noRange)
        values << m_rangeValue;
    if (!m_condition.sql.isEmpty())
        values << m_condition.values;
    WhereText &cache = m_whereText;
    if (cache.valid && cache.noRange == noRange && cache.condition == m_condition.sql)
        return cache.sql;
    QStringList conditions;
    if (m_master)
        conditions << (noRange ? QStringLiteral("0")
                               : SqlText::quoted(m_def->field(m_detailField)->name) + QStringLiteral(" = ?"));
    if (!m_condition.sql.isEmpty())
        conditions << QLatin1Char('(') + m_condition.sql + QLatin1Char(')');
    cache.sql = conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    cache.noRange = noRange;
    cache.condition = m_condition.sql;
    cache.valid = true;
    return cache.sql;
}

QSqlQuery TTable::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw EngineError::fromSql(q.lastError(), m_tableName);
    for (const auto &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw EngineError::fromSql(q.lastError(), m_tableName);
    return q;
}

SqliteStatement &TTable::prepared(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, std::make_unique<SqliteStatement>(database().handle(), sql, m_tableName)).first;
    return *it->second;
}

// The statements run once per record stored or fetched are found without hashing their text.
SqliteStatement &TTable::prepared(SqliteStatement *&cached, const QString &sql)
{
    if (!cached)
        cached = &prepared(sql);
    return *cached;
}

// A statement whose text follows the filter. The statement of the old text is not used again
// and is finalized: a view filtered anew many times would otherwise keep one per filter until
// it closes.
SqliteStatement &TTable::prepared(FilterStatement &cached, const QString &sql)
{
    if (cached.statement && cached.sql == sql)
        return *cached.statement;
    if (!cached.sql.isEmpty())
        m_statements.erase(cached.sql);
    cached.statement = nullptr;
    cached.sql = sql;
    cached.statement = &prepared(sql);
    return *cached.statement;
}

void TTable::loadRows()
{
    m_staleRows = false;
    m_cache.clear();
    m_rows.clear();
    m_slotRowid.clear();
    m_slotKeys.clear();
    m_freeSlots.clear();

    QVariantList values;
    const QString where = whereSql(values);
    // Kept prepared: a detail view runs this statement each time its master moves.
    SqliteStatement &q = prepared(m_loadStatement, loadSql(where));
    StatementRun run(q);
    for (int i = 0; i < values.size(); ++i)
        q.bind(i, values[i]);
    const bool wholeRows = m_master != nullptr;
    const int keys = int(m_order.size());
    while (q.step()) {
        const qint64 rowid = q.int64Value(0);
        m_rows.push_back(quint32(m_slotRowid.size()));
        m_slotRowid.push_back(rowid);
        if (wholeRows) {
            QVector<QVariant> row(storedFieldCount());
            for (int i = 0; i < row.size(); ++i)
                row[i] = q.value(i + 1);
            for (int k = 0; k < keys; ++k)
                m_slotKeys.push_back(row[m_order[k].fieldIndex]);
            m_cache.insert(rowid, row);
        } else {
            for (int k = 0; k < keys; ++k)
                m_slotKeys.push_back(q.value(k + 1));
        }
    }
}

// A detail view holds few rows and is read as soon as its master moves: fetch them whole.
// Other views fetch only their sort keys and read records on demand. The text is built once
// for each condition, since a detail view reloads every time its master moves.
const QString &TTable::loadSql(const QString &where)
{
    if (m_loadSql.isEmpty() || m_loadSqlWhere != where) {
        QStringList columns;
        if (m_master) {
            for (int i = 0; i < storedFieldCount(); ++i)
                columns << SqlText::quoted(fieldInfo(i).def.name);
        } else {
            for (const auto &o : m_order)
                columns << SqlText::quoted(fieldInfo(o.fieldIndex).def.name);
        }
        m_loadSqlWhere = where;
        m_loadSql = QStringLiteral("SELECT rowid%1%2 FROM %3%4 ORDER BY %5")
                        .arg(columns.isEmpty() ? QString() : QStringLiteral(", "), columns.join(QLatin1Char(',')),
                             SqlText::quoted(m_def->name), where, orderBySql());
    }
    return m_loadSql;
}

QVector<QVariant> TTable::readRow(int position)
{
    const qint64 rowid = rowidAt(position);
    auto it = m_cache.constFind(rowid);
    if (it == m_cache.constEnd()) {
        fetchBlock(position);
        it = m_cache.constFind(rowid);
        if (it == m_cache.constEnd())  // removed by another copy of the program meanwhile
            return QVector<QVariant>(storedFieldCount());
    }
    return it.value();
}

void TTable::forgetCachedRow(int position)
{
    if (position >= 0 && position < rowCount())
        m_cache.remove(rowidAt(position));
}

void TTable::fetchBlock(int position)
{
    if (m_cache.size() > kCacheLimit)
        m_cache.clear();
    const int start = std::max(0, position - kBlockSize / 4);
    const int end = std::min(rowCount(), start + kBlockSize);
    QVariantList ids;
    for (int p = start; p < end; ++p)
        if (!m_cache.contains(rowidAt(p)))
            ids << rowidAt(p);
    while (ids.size() < kBlockSize)
        ids << qlonglong(-1);

    SqliteStatement &q = prepared(m_fetchStatement, m_fetchSql);
    StatementRun run(q);
    for (int i = 0; i < kBlockSize; ++i)
        q.bind(i, ids[i]);
    const int n = storedFieldCount();
    while (q.step()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = q.value(i + 1);
        m_cache.insert(q.int64Value(0), row);
    }
}

QVariant TTable::lookup(const QString &keyField, const QVariant &key, const QString &resultField, bool caseInsensitive)
{
    const TableDef &def = tableDef();
    const FieldDef *keyDef = def.field(keyField);
    const FieldDef *resultDef = def.field(resultField);
    if (!keyDef || !resultDef)
        error(EngineError::FieldNotFound,
              QStringLiteral("Field \"%1\" or \"%2\" not found in table \"%3\".").arg(keyField, resultField, m_tableName));
    // An empty text is stored as no value, and found as one: another copy's empty-named
    // ingredient is the same ingredient as ours.
    const QVariant stored = FieldText::normalise(*keyDef, key);
    const QString test = stored.isNull() ? QStringLiteral(" IS NULL")
                                         : (caseInsensitive ? QStringLiteral(" = ? COLLATE NOCASE") : QStringLiteral(" = ?"));
    // Lookups are also made through views that are never opened, so the statement belongs to
    // the database, which lets it go when the connection closes.
    SqliteStatement &q = database().statement(QStringLiteral("SELECT %1 FROM %2 WHERE %3%4 LIMIT 1")
                                                  .arg(SqlText::quoted(resultDef->name), SqlText::quoted(def.name),
                                                       SqlText::quoted(keyDef->name), test),
                                              m_tableName);
    StatementRun run(q);
    if (!stored.isNull())
        q.bind(0, stored);
    return q.step() ? q.value(0) : QVariant();
}

// ---- order bookkeeping ------------------------------------------------------------------

quint32 TTable::newSlot(qint64 rowid, const QVector<QVariant> &values)
{
    quint32 slot;
    const size_t keys = size_t(m_order.size());
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
        m_slotRowid[slot] = rowid;
    } else {
        slot = quint32(m_slotRowid.size());
        m_slotRowid.push_back(rowid);
        m_slotKeys.resize(m_slotKeys.size() + keys);
    }
    for (size_t k = 0; k < keys; ++k)
        m_slotKeys[slot * keys + k] = values[m_order[int(k)].fieldIndex];
    return slot;
}

void TTable::freeSlot(quint32 slot)
{
    const size_t keys = size_t(m_order.size());
    for (size_t k = 0; k < keys; ++k)
        m_slotKeys[slot * keys + k] = QVariant();
    m_freeSlots.push_back(slot);
}

int TTable::compareKeyPrefix(quint32 slot, const QVariantList &key) const
{
    const size_t keys = size_t(m_order.size());
    for (int k = 0; k < key.size(); ++k) {
        const int c = Collation::compareValues(m_slotKeys[slot * keys + size_t(k)], key[k], m_order[k].caseInsensitive);
        if (c != 0)
            return c;
    }
    return 0;
}

int TTable::compareSlots(quint32 a, quint32 b) const
{
    const size_t keys = size_t(m_order.size());
    for (size_t k = 0; k < keys; ++k) {
        const int c = Collation::compareValues(m_slotKeys[a * keys + k], m_slotKeys[b * keys + k],
                                               m_order[int(k)].caseInsensitive);
        if (c != 0)
            return c;
    }
    return m_slotRowid[a] < m_slotRowid[b] ? -1 : (m_slotRowid[a] > m_slotRowid[b] ? 1 : 0);
}

int TTable::lowerBound(const QVariantList &key) const
{
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                               [this](quint32 slot, const QVariantList &k) { return compareKeyPrefix(slot, k) < 0; });
    return int(it - m_rows.begin());
}

int TTable::insertSlotSorted(quint32 slot)
{
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), slot,
                               [this](quint32 a, quint32 b) { return compareSlots(a, b) < 0; });
    it = m_rows.insert(it, slot);
    return int(it - m_rows.begin());
}

int TTable::positionOfRowid(qint64 rowid) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_slotRowid[m_rows[i]] == rowid)
            return int(i);
    return -1;
}

// ---- searching --------------------------------------------------------------------------

bool TTable::findKey(const QVariantList &values)
{
    checkBrowseMode();
    if (values.size() > m_order.size())
        error(EngineError::IndexNotFound, QStringLiteral("More key values than index fields."));
    QVariantList key;
    for (int k = 0; k < values.size(); ++k)
        key << FieldText::normalise(fieldInfo(m_order[k].fieldIndex).def, values[k]);
    const int position = lowerBound(key);
    if (position >= rowCount() || compareKeyPrefix(m_rows[size_t(position)], key) != 0)
        return false;
    moveTo(position);
    return true;
}

int TTable::removeAllKeyed(const QVariantList &values)
{
    int removed = 0;
    for (; findKey(values); ++removed)
        remove();
    return removed;
}

void TTable::findNearest(const QVariantList &values)
{
    checkBrowseMode();
    QVariantList key;
    for (int k = 0; k < values.size() && k < m_order.size(); ++k) {
        const FieldDef &def = fieldInfo(m_order[k].fieldIndex).def;
        // A partial text is not cut to the field's width: it only has to place the view.
        key << (def.type == FieldType::Text ? values[k] : FieldText::normalise(def, values[k]));
    }
    if (rowCount() == 0)
        return;
    moveTo(std::min(lowerBound(key), rowCount() - 1));
}

bool TTable::locate(const QString &fieldName, const QVariant &value, bool caseInsensitive)
{
    checkBrowseMode();
    const FieldDef *def = tableDef().field(fieldName);
    if (!def)
        error(EngineError::FieldNotFound, QStringLiteral("Field \"%1\" not found.").arg(fieldName));
    const QVariant stored = FieldText::normalise(*def, value);
    QVariantList values;
    QString where = whereSql(values);
    const QString column = SqlText::quoted(def->name);
    QString test;
    if (stored.isNull()) {
        test = column + QStringLiteral(" IS NULL");
    } else {
        test = column + QStringLiteral(" = ?") + (caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
        values << stored;
    }
    where = where.isEmpty() ? QStringLiteral(" WHERE ") + test : where + QStringLiteral(" AND ") + test;
    QSqlQuery q = run(QStringLiteral("SELECT rowid FROM %1%2 ORDER BY %3")
                          .arg(SqlText::quoted(m_def->name), where, orderBySql()),
                      values);
    while (q.next()) {
        const int position = positionOfRowid(q.value(0).toLongLong());
        if (position >= 0) {
            moveTo(position);
            return true;
        }
    }
    return false;
}

// ---- writing ----------------------------------------------------------------------------

bool TTable::passesFilter(qint64 rowid)
{
    if (m_condition.sql.isEmpty())
        return true;
    SqliteStatement &q = prepared(m_filterCheckStatement, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ? AND (%2)")
                                                              .arg(SqlText::quoted(m_def->name), m_condition.sql));
    StatementRun run(q);
    q.bind(0, rowid);
    for (int i = 0; i < m_condition.values.size(); ++i)
        q.bind(i + 1, m_condition.values[i]);
    return q.step();
}

int TTable::insertRow(const QVector<QVariant> &values)
{
    const int n = storedFieldCount();
    SqliteStatement &q = prepared(m_insertStatement, m_insertSql);
    qint64 rowid;
    {
        StatementRun run(q);
        for (int i = 0; i < n; ++i)
            q.bind(i, values[i]);
        q.step();
        rowid = q.lastInsertRowid();
    }
    m_lastInsertedRowid = rowid;
    ++m_insertedCount;
    if (m_cache.size() > kCacheLimit)
        m_cache.clear();
    m_cache.insert(rowid, values);

    const int detail = m_master ? fieldIndex(m_detailField) : -1;
    if ((detail >= 0 && !sameValue(values[detail], m_rangeValue)) || !passesFilter(rowid))
        return -1;
    return insertSlotSorted(newSlot(rowid, values));
}

int TTable::updateRow(int position, const QVector<QVariant> &values)
{
    const int n = storedFieldCount();
    const qint64 rowid = rowidAt(position);
    SqliteStatement &q = prepared(m_updateStatement, m_updateSql);
    int affected;
    {
        StatementRun run(q);
        for (int i = 0; i < n; ++i)
            q.bind(i, values[i]);
        q.bind(n, rowid);
        q.step();
        affected = q.changes();
    }
    if (affected != 1) {
        m_cache.remove(rowid);
        error(EngineError::RecordDeleted, QStringLiteral("Record/Key deleted: another copy of the program removed it."));
    }
    m_cache.insert(rowid, values);

    const quint32 slot = m_rows[size_t(position)];
    m_rows.erase(m_rows.begin() + position);
    freeSlot(slot);
    const int detail = m_master ? fieldIndex(m_detailField) : -1;
    if ((detail >= 0 && !sameValue(values[detail], m_rangeValue)) || !passesFilter(rowid))
        return -1;
    return insertSlotSorted(newSlot(rowid, values));
}

void TTable::deleteRow(int position)
{
    deleteStoredRow(rowidAt(position));
    const quint32 slot = m_rows[size_t(position)];
    m_rows.erase(m_rows.begin() + position);
    freeSlot(slot);
}

void TTable::deleteStoredRow(qint64 rowid)
{
    SqliteStatement &q = prepared(m_deleteStatement, m_deleteSql);
    StatementRun run(q);
    q.bind(0, rowid);
    q.step();
    m_cache.remove(rowid);
}

void TTable::refresh()
{
    m_staleRows = false;  // read afresh here in any case
    checkBrowseMode();
    const Place place = currentPlace();
    m_rangeValue = masterValue();
    loadRows();
    returnTo(place);
}

// ---- master and detail ------------------------------------------------------------------

QVariant TTable::masterValue() const
{
    if (!m_master || !m_master->isActive())
        return {};
    const int index = m_master->fieldIndex(m_masterField);
    if (index < 0)
        return {};
    return m_master->currentValue(index);
}

void TTable::initNewRecord()
{
    if (m_master)
        initField(fieldIndex(m_detailField), masterValue());
}

void TTable::currentRecordChanged()
{
    for (TTable *detail : std::as_const(m_details))
        if (detail->isActive())
            detail->followMaster();
}

// While the database defers detail reads (an import or an export runs), a detail nobody
// watches (no control, no event, no detail of its own, no pending record) re-reads its rows
// only when they are next asked for: a walk over the master then reads only the details it uses.
void TTable::followMaster()
{
    if (database().defersDetailReads() && !isEditing() && !isWatched()) {
        m_syncPending = true;
        return;
    }
    m_syncPending = false;
    syncToMaster();
}

// Watched: a control, an event or a detail view follows the rows or the current record.
bool TTable::isWatched() const
{
    static const QMetaMethod signalsWatched[] = {
        QMetaMethod::fromSignal(&TDataSet::recordChanged), QMetaMethod::fromSignal(&TDataSet::dataSetChanged),
        QMetaMethod::fromSignal(&TDataSet::stateChanged), QMetaMethod::fromSignal(&TDataSet::fieldChanged)};
    return !m_details.isEmpty() || afterScroll || onCalcFields
           || std::any_of(std::begin(signalsWatched), std::end(signalsWatched),
                          [this](const QMetaMethod &signal) { return isSignalConnected(signal); });
}

// What is on screen is brought up to date at once; a view nobody watches, and one whose
// record is pending, re-reads when it is next used.
void TTable::rowsChangedElsewhere()
{
    if (!isActive())
        return;
    m_staleRows = true;
    if (isEditing() || !isWatched())
        return;
    try {
        settle();
    } catch (const std::exception &) {
        // A view that cannot be read now reports it when it is next used.
    }
}

void TTable::settle() const
{
    if (!m_syncPending && !m_staleRows)
        return;
    auto *self = const_cast<TTable *>(this);
    if (m_staleRows && !isEditing()) {
        self->rereadChangedRows();
        return;
    }
    if (!m_syncPending)
        return;
    // The view's rows are a cache of what the master's position says they are.
    self->m_syncPending = false;
    self->syncToMaster();
}

// The same record stays current if it is still stored, else the same position.
void TTable::rereadChangedRows()
{
    m_staleRows = false;
    m_syncPending = false;
    const Place place = currentPlace();
    m_rangeValue = masterValue();
    try {
        loadRows();
    } catch (...) {
        setPositionAfterReload(-1);
        m_staleRows = true;  // only now, or a control redrawing the empty view would try again
        throw;
    }
    returnTo(place);
}

void TTable::syncToMaster()
{
    const QVariant value = masterValue();
    if (sameValue(value, m_rangeValue))
        return;
    checkBrowseMode();
    m_rangeValue = value;
    loadRows();
    setPositionAfterReload(0);
}
