#pragma once

#include "data/DataSet.h"
#include "data/FilterParser.h"
#include "data/SqliteStatement.h"

#include <QHash>
#include <QSqlQuery>
#include <memory>
#include <unordered_map>

// A view on one table of the database: ordered by an index, optionally restricted to the
// detail rows of a master view and filtered. The view keeps the ordered row ids and their
// sort keys in memory and reads whole records on demand, so opening a large table, moving
// through it and posting into it never re-reads the whole table.
class TTable : public TDataSet {
    Q_OBJECT
public:
    explicit TTable(TDatabase &db, QObject *parent = nullptr);
    ~TTable() override;

    // Tables are named by file name; case and extension do not matter ("RECIPE.DB").
    void setTableName(const QString &fileName);
    QString tableName() const { return m_tableName; }
    const TableDef &tableDef() const;

    // The order: an index named by its fields ("Recipe_ID;Order") or by its name
    // ("byRecipeID"); neither means the primary key. Changed only while closed.
    void setIndexFieldNames(const QString &fieldNames);
    void setIndexName(const QString &indexName);
    QStringList indexFields() const;

    // Restricts the view to the rows whose detail field equals the master's current value of
    // the master field, follows the master and fills the detail field of new rows.
    void setMasterSource(TTable *master, const QString &masterField, const QString &detailField = {});

    void setFilter(const QString &expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);

    // Exact search on the leading fields of the current order; fewer values than order fields
    // search on a key prefix. Leaves the view on the found row.
    bool findKey(const QVariantList &values);
    // Removes every row such a search finds; returns how many.
    int removeAllKeyed(const QVariantList &values);
    // Moves to the first row at or after the given key (the last row when none is).
    void findNearest(const QVariantList &values);
    // Moves to the first row, in view order, whose field equals the value.
    bool locate(const QString &fieldName, const QVariant &value, bool caseInsensitive = false);

    // Reads a field of the first row whose key field equals the key, without moving the view.
    // A case-insensitive look-up uses the field's case-insensitive index, where it has one.
    QVariant lookup(const QString &keyField, const QVariant &key, const QString &resultField,
                    bool caseInsensitive = false);

    void refresh() override;
    void rowsChangedElsewhere() override;

    // The row id SQLite gave the row this view stored last, and how many rows it has stored.
    qint64 lastInsertedRowid() const { return m_lastInsertedRowid; }
    quint64 insertedCount() const { return m_insertedCount; }
    // Removes one stored row by its row id, without events and without moving; open views
    // see it once they re-read (TDatabase::resyncViews).
    void deleteStoredRow(qint64 rowid);

protected:
    void openRows() override;
    void closeRows() override;
    int rowCount() const override { return int(m_rows.size()); }
    QVector<QVariant> readRow(int position) override;
    int insertRow(const QVector<QVariant> &values) override;
    int updateRow(int position, const QVector<QVariant> &values) override;
    void deleteRow(int position) override;
    void forgetCachedRow(int position) override;
    void initNewRecord() override;
    void currentRecordChanged() override;
    void settle() const override;

private:
    struct OrderField {
        int fieldIndex;
        bool caseInsensitive;
    };

    void resolveOrder();
    void buildStatementTexts();
    void loadRows();
    void applyCondition(SqlCondition condition);
    // Where the cursor stands: its record (-1 for none) and its position.
    struct Place {
        qint64 rowid;
        int position;
    };
    Place currentPlace() const;
    void returnTo(const Place &place);
    void syncToMaster();
    void followMaster();
    bool isWatched() const;
    void rereadChangedRows();
    QString orderBySql() const;
    QString whereSql(QVariantList &values) const;
    const QString &loadSql(const QString &where);
    SqlCondition translateFilter(const QString &expression) const;
    bool passesFilter(qint64 rowid);
    QVariant masterValue() const;
    qint64 rowidAt(int position) const { return m_slotRowid[m_rows[size_t(position)]]; }
    quint32 newSlot(qint64 rowid, const QVector<QVariant> &values);
    void freeSlot(quint32 slot);
    int compareSlots(quint32 a, quint32 b) const;
    int compareKeyPrefix(quint32 slot, const QVariantList &key) const;
    int lowerBound(const QVariantList &key) const;
    int insertSlotSorted(quint32 slot);
    int positionOfRowid(qint64 rowid) const;
    void fetchBlock(int position);
    SqliteStatement &prepared(const QString &sql);
    SqliteStatement &prepared(SqliteStatement *&cached, const QString &sql);
    struct FilterStatement {
        QString sql;
        SqliteStatement *statement = nullptr;
    };
    SqliteStatement &prepared(FilterStatement &cached, const QString &sql);
    QSqlQuery run(const QString &sql, const QVariantList &values);

    QString m_tableName;
    const TableDef *m_def = nullptr;
    QString m_indexFieldNames;
    QString m_indexName;
    QVector<OrderField> m_order;

    TTable *m_master = nullptr;
    QString m_masterField;
    QString m_detailField;
    QVariant m_rangeValue;
    QList<TTable *> m_details;
    bool m_syncPending = false;
    bool m_staleRows = false;  // another copy of the program changed the file since the rows were read
    qint64 m_lastInsertedRowid = -1;
    quint64 m_insertedCount = 0;  // the master moved; the rows are read on their next use

    QString m_filterText;
    bool m_filtered = false;
    SqlCondition m_condition;

    // Row ids and sort keys live in slots; the view order is a list of slot numbers.
    std::vector<qint64> m_slotRowid;
    std::vector<QVariant> m_slotKeys;  // m_order.size() values per slot
    std::vector<quint32> m_freeSlots;
    std::vector<quint32> m_rows;

    QHash<qint64, QVector<QVariant>> m_cache;
    std::unordered_map<QString, std::unique_ptr<SqliteStatement>> m_statements;
    // Statement texts that depend only on the table, made once when the view opens.
    QString m_fetchSql, m_insertSql, m_updateSql, m_deleteSql;
    SqliteStatement *m_insertStatement = nullptr, *m_updateStatement = nullptr, *m_deleteStatement = nullptr,
                    *m_fetchStatement = nullptr;
    FilterStatement m_loadStatement, m_filterCheckStatement;
    struct WhereText {
        bool valid = false;
        bool noRange = false;
        QString condition;
        QString sql;
    };
    mutable WhereText m_whereText;
    QString m_loadSql, m_loadSqlWhere;
};
