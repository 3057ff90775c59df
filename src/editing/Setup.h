#pragma once

#include "ui/AbsRegular.h"

class BoundGrid;
class QButtonGroup;
class QPushButton;
class QTabWidget;
class TDataSource;

// The setup window, reduced for now to its page control and a view of the lookup lists on the
// "Editable Values" page. Changes made in it are kept whichever way it closes; only Close
// returns normally.
class TSetupForm : public TAbsRegularForm {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget *owner = nullptr);

    // Page choice 0 opens on the general options, any other on the editable values. Returns
    // after Close; ends with the silent abort when the window is closed any other way.
    void ShowSetup(int pageChoice);

    QTabWidget *const PageControl1;
    QButtonGroup *const rgItems;
    BoundGrid *const DBGrid;
    QPushButton *const BitBtn4;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void LoadOptions(int pageChoice);
    void rgItemsClick();
    QWidget *createEditableValuesPage();
    TDataSource *listSource(int item) const;
};
