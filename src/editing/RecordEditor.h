#pragma once

#include "ui/AbsRegular.h"

#include <QHash>

class BoundComboBox;
class QPushButton;
class TDataSet;
class TTable;

// The base of every modal record editor. It owns the lifecycle: put the table into insert or
// edit, show the window modally, then on OK add typed values to the lookup lists and store
// the record; on any other result abandon the pending record and end with the silent abort.
// The record is edited in place through data-bound controls, so the caller's current record
// is the one that changes.
class RecordEditor : public TAbsRegularForm {
    Q_OBJECT
public:
    enum class Mode { Insert, Edit };

    explicit RecordEditor(QWidget *owner = nullptr);

protected:
    void run(TTable &table, Mode mode);

    // Fill the choice lists once the record is pending, before the window shows.
    virtual void beforeShow() {}
    // On OK, before the record is stored: add typed values missing from the lookup lists.
    virtual void beforePost() {}
    // Stores the record on OK; an editor may leave an untouched record unstored instead.
    virtual void storeRecord(TTable &table);
    // Drops the pending record after Cancel, Esc or the close box, and after a failed store.
    virtual void abandonRecord(TTable &table, Mode mode);

    // The OK and Cancel buttons of every editor. Neither is a default button, so Enter in a
    // field never closes the window; Esc cancels.
    QWidget *createButtonPanel(QPushButton *&ok, QPushButton *&cancel);
    // Remembers the hint of a control; it shows only after showHints(true).
    void setHint(QWidget *control, const QString &hint);
    void showHints(bool on);

    // Replaces the combo's choices with the field of every row of the list, in key order.
    static void FillComboFromTable(TDataSet &table, BoundComboBox &combo, const QString &fieldName);
    // Adds the value to the list, keyed by that field, unless it is empty or listed already.
    static void AddMissingListValue(TTable &table, const QString &fieldName, const QString &value);

private:
    QHash<QWidget *, QString> m_hints;
};
