#include "editing/SetupEdit.h"

#include "data/DataSource.h"
#include "data/Table.h"
#include "ui/BoundLineEdit.h"

#include <QLabel>
#include <QVBoxLayout>
#include <stdexcept>

TSetupEditForm::TSetupEditForm(QWidget *owner)
    : RecordEditor(owner), Label1(new QLabel(this)), DBEdit1(new BoundLineEdit(this))
{
    Label1->setBuddy(DBEdit1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(DBEdit1);
    layout->addStretch();
    layout->addWidget(createButtonPanel(btnOK, BitBtn5));
    resize(300, 120);
}

void TSetupEditForm::EditValue(TDataSource &link, const QString &listName, const QString &mode)
{
    auto *table = qobject_cast<TTable *>(link.dataSet());
    if (!table)
        throw std::logic_error("A lookup list is always a table.");
    DBEdit1->bind(link, listName);
    Label1->setText(listName);
    setWindowTitle(mode + QStringLiteral(" a ") + listName);
    DBEdit1->setFocus();
    run(*table, mode == QLatin1String("Add") ? Mode::Insert : Mode::Edit);
}

void TSetupEditForm::storeRecord(TTable &table)
{
    if (table.isModified())
        table.post();
    else
        table.cancel();
}
