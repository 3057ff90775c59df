#pragma once

#include "data/Schema.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <vector>

#include "data/Database.h"
class TDataSet;
class TTable;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// A field of the current record, reached by name: read and write as text, integer, date,
// flag or memo lines. Writing outside edit or insert state is an engine error.
class TField {
public:
    TField(TDataSet *dataSet, int index) : m_dataSet(dataSet), m_index(index) {}

    QString fieldName() const;
    FieldType dataType() const;
    int size() const;
    bool isLookup() const;

    QVariant value() const;
    void setValue(const QVariant &value);
    bool isNull() const;
    void clear() { setValue(QVariant()); }

    QString asString() const;
    void setAsString(const QString &text);
    int asInteger() const;
    void setAsInteger(int value);
    QDate asDate() const;
    void setAsDate(const QDate &date);
    QStringList asLines() const;
    void setAsLines(const QStringList &lines);

private:
    TDataSet *m_dataSet;
    int m_index;
};

// A field whose value is looked up in another table by key; not stored.
struct LookupSpec {
    QString keyField;        // field of this dataset holding the key
    TTable *lookupDataSet = nullptr;
    QString lookupKeyField;  // key field in the other table
    QString resultField;     // field of the other table that is shown
};

struct FieldInfo {
    FieldDef def;
    bool visible = true;
    int displayWidth = 0;  // in characters; 0 means the field's size
    bool isLookup = false;
    LookupSpec lookup;
};

// The common part of tables and queries: the current record buffer, its state, field access,
// navigation over an ordered sequence of rows, and the events. Subclasses supply the rows.
class TDataSet : public QObject {
    Q_OBJECT
public:
    using Event = std::function<void(TDataSet &)>;

    explicit TDataSet(TDatabase &db, QObject *parent = nullptr);
    ~TDataSet() override;

    TDatabase &database() const { return *m_db; }

    void open();
    void close();
    bool isActive() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }
    bool isModified() const { return m_modified; }
    bool isEditing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }

    // Navigation. The position is 0-based; -1 on an empty dataset.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const
    {
        settle();
        return m_eof;
    }
    bool bof() const
    {
        settle();
        return m_bof;
    }
    bool isEmpty() const { return recordCount() == 0; }
    virtual int recordCount() const;
    int recNo() const
    {
        settle();
        return m_pos;
    }
    void setRecNo(int position);
    // Re-reads the rows, keeping the current record where it still exists.
    virtual void refresh();

    // Editing.
    void insert();
    void append() { insert(); }
    void edit();
    void post();
    void cancel();
    void remove();
    // Posts a pending change or cancels an untouched one, as moving away from a record does.
    void checkBrowseMode();

    // Fields.
    int fieldCount() const { return int(m_fields.size()); }
    const FieldInfo &fieldInfo(int index) const { return m_fields[size_t(index)]; }
    int fieldIndex(const QString &name) const;  // -1 when unknown
    TField fieldByName(const QString &name);
    TField field(int index) { return TField(this, index); }
    void addLookupField(const QString &name, int size, const LookupSpec &lookupSpec);
    void setFieldVisible(const QString &name, bool visible, int displayWidth = 0);

    // A field value of the row at a position, for grids: no scrolling, no events.
    QVariant valueAt(int position, int fieldIndex);

    // Events, run synchronously. A handler may raise SilentAbort to refuse the action.
    Event onNewRecord, beforeInsert, beforeDelete, afterPost, onCalcFields, beforeOpen, afterScroll;

    // Called by the database after a rollback: first every dataset drops its pending record,
    // so that no view moving during the re-read posts a detail record the rollback undid.
    void discardPendingRecord();
    void resyncAfterRollback();
    // Reads rows whose reading was put off (see TDeferredDetailReads), or rows another copy
    // of the program changed (see TDatabase::catchUpWithOtherCopies).
    void settlePending() { settle(); }
    // Called by the database when another copy of the program changed the file.
    virtual void rowsChangedElsewhere() {}

signals:
    void stateChanged();
    void dataSetChanged();       // the set of rows or their order changed
    void recordChanged();        // the current record moved or its contents changed
    void fieldChanged(int index);

protected:
    friend class TField;

    // Supplied by subclasses.
    virtual void openRows() = 0;     // build the row sequence; fields are known by now
    virtual void closeRows() = 0;
    virtual int rowCount() const = 0;
    virtual QVector<QVariant> readRow(int position) = 0;  // stored fields only
    // Store the buffer; return the position of the stored row, or -1 when it is not visible.
    virtual int insertRow(const QVector<QVariant> &values);
    virtual int updateRow(int position, const QVector<QVariant> &values);
    virtual void deleteRow(int position);
    QVariant lookupValue(const FieldInfo &field, const QVector<QVariant> &row);
    virtual void forgetCachedRow(int /*position*/) {}  // the next read of the row goes to the database
    virtual void initNewRecord() {}         // defaults set before the new-record event
    virtual void currentRecordChanged() {}  // details follow their master here
    // Brings rows whose re-reading was put off up to date; every public entry point that
    // reads or changes the rows or the current record calls it first.
    virtual void settle() const {}

    void setFields(const QList<FieldDef> &defs);
    int storedFieldCount() const { return m_storedFieldCount; }
    void setValue(int index, const QVariant &value);
    // Sets a field of the pending new record without marking it modified (defaults, links).
    void initField(int index, const QVariant &value);
    QVariant currentValue(int index);
    void loadCurrent();
    void moveTo(int position, bool atEnd = false);
    void setState(DataSetState state);
    [[noreturn]] void error(int code, const QString &message) const;
    const QVector<QVariant> &buffer() const { return m_buffer; }
    void setPositionAfterReload(int position);

    QPointer<TDatabase> m_db;

private:
    void runEvent(const Event &event);
    void leaveEditState(bool readChangedRows);

    std::vector<FieldInfo> m_fields;
    int m_storedFieldCount = 0;
    DataSetState m_state = DataSetState::Inactive;
    bool m_modified = false;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    int m_insertPos = -1;  // where the pending new record stands
    bool m_discardedByRollback = false;
    QVector<QVariant> m_buffer;
    QVector<QVariant> m_original;
};
