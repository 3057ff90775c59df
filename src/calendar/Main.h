#pragma once

#include "ui/AbsRegular.h"

class DataSetTableModel;
class QAction;
class QMenu;
class QMenuBar;
class QTableView;

// The main window: the recipe list and the program's menu. It owns the settings store for the
// whole run, and closing it ends the program.
class TMainForm : public TAbsRegularForm {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *owner = nullptr);
    ~TMainForm() override;

    QMenuBar *const MainMenu1;
    QMenu *const File1;
    QAction *const Exit1;
    QTableView *const DBGrid1;

public slots:
    // Esc or a rejecting caller must not end the program as it would end a dialog.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void Exit1Click();
    void buildMenu();
    void buildRecipeGrid();
    void DBGrid1RowChanged(const QModelIndex &current);

    DataSetTableModel *m_recipeModel = nullptr;
};

extern TMainForm *MainForm;
