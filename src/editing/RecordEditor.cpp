#include "editing/RecordEditor.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Table.h"
#include "ui/BoundComboBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

RecordEditor::RecordEditor(QWidget *owner) : TAbsRegularForm(owner) {}

void RecordEditor::run(TTable &table, Mode mode)
{
    if (mode == Mode::Insert)
        table.insert();
    else
        table.edit();
    try {
        beforeShow();
        if (exec() != QDialog::Accepted)
            throw SilentAbort();
        // The list values and the record are stored together or not at all.
        TTransaction transaction(table.database());
        beforePost();
        storeRecord(table);
        transaction.commit();
    } catch (...) {
        abandonRecord(table, mode);
        throw;
    }
}

void RecordEditor::storeRecord(TTable &table)
{
    table.post();
}

void RecordEditor::abandonRecord(TTable &table, Mode)
{
    table.cancel();
}

QWidget *RecordEditor::createButtonPanel(QPushButton *&ok, QPushButton *&cancel)
{
    auto *panel = new QWidget(this);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    ok = new QPushButton(QStringLiteral("&OK"), panel);
    cancel = new QPushButton(QStringLiteral("&Cancel"), panel);
    for (QPushButton *button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->addStretch();
    return panel;
}

void RecordEditor::setHint(QWidget *control, const QString &hint)
{
    m_hints.insert(control, hint);
}

void RecordEditor::showHints(bool on)
{
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it)
        it.key()->setToolTip(on ? it.value() : QString());
}

void RecordEditor::FillComboFromTable(TDataSet &table, BoundComboBox &combo, const QString &fieldName)
{
    combo.setItems(BoundComboBox::columnValues(table, fieldName));
}

void RecordEditor::AddMissingListValue(TTable &table, const QString &fieldName, const QString &value)
{
    if (value.isEmpty() || table.findKey({value}))
        return;
    table.insert();
    table.fieldByName(fieldName).setAsString(value);
    table.post();
}
