#pragma once

#include "editing/RecordEditor.h"

class BoundLineEdit;
class QLabel;
class TDataSource;

// Adds or edits one value of a lookup list. The edit box is bound to the field named like the
// list, which is how every list keeps its value.
class TSetupEditForm : public RecordEditor {
    Q_OBJECT
public:
    explicit TSetupEditForm(QWidget *owner = nullptr);

    // Mode "Add" inserts a new row, any other edits the current one. Returns after OK; ends
    // with the silent abort otherwise, the pending row abandoned.
    void EditValue(TDataSource &link, const QString &listName, const QString &mode);

    QLabel *const Label1;  // the list's name
    BoundLineEdit *const DBEdit1;  // the value
    QPushButton *btnOK = nullptr;
    QPushButton *BitBtn5 = nullptr;  // Cancel

protected:
    // A value is stored only when something was typed; an untouched new row is dropped.
    void storeRecord(TTable &table) override;
};
