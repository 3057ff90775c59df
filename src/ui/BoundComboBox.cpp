#include "ui/BoundComboBox.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/CommandGuard.h"
#include "ui/FieldLink.h"

#include <QLineEdit>
#include <QSignalBlocker>

BoundComboBox::BoundComboBox(QWidget *parent)
    : QComboBox(parent), m_link(new FieldLink(this, [this] { fill(); }))
{
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, guarded(this, &BoundComboBox::userChose));
}

void BoundComboBox::bind(TDataSource &source, const QString &fieldName)
{
    m_link->bind(source, fieldName);
    if (lineEdit()) {
        // Inline completion would show a longer text than the one written into the record.
        setCompleter(nullptr);
        disconnect(lineEdit(), &QLineEdit::textEdited, this, nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, guarded(this, &BoundComboBox::userEdited));
        if (m_link->fieldSize() > 0)
            lineEdit()->setMaxLength(m_link->fieldSize());
    }
}

void BoundComboBox::setItems(const QStringList &items)
{
    {
        const QSignalBlocker blocker(this);
        clear();
        addItems(items);
    }
    fill();
}

void BoundComboBox::setListSource(TDataSource &listSource, const QString &listField)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = listSource.dataSet();
    m_listField = listField;
    if (m_list) {
        connect(m_list, &TDataSet::dataSetChanged, this, &BoundComboBox::reloadList);
        connect(m_list, &TDataSet::recordChanged, this, &BoundComboBox::reloadList);
    }
    reloadList();
}

QStringList BoundComboBox::columnValues(TDataSet &dataSet, const QString &fieldName)
{
    QStringList values;
    const int field = dataSet.fieldIndex(fieldName);
    if (field < 0)
        return values;
    for (int row = 0; row < dataSet.recordCount(); ++row)
        values << dataSet.valueAt(row, field).toString();
    return values;
}

void BoundComboBox::reloadList()
{
    const QStringList values = m_list ? columnValues(*m_list, m_listField) : QStringList();
    if (values.size() == count()) {
        bool same = true;
        for (int i = 0; same && i < count(); ++i)
            same = itemText(i) == values[i];
        if (same)
            return;
    }
    setItems(values);
}

void BoundComboBox::fill()
{
    const QString value = m_link->text();
    const QSignalBlocker blocker(this);
    if (isEditable()) {
        if (currentText() != value)
            setEditText(value);
        return;
    }
    setCurrentIndex(findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void BoundComboBox::userEdited(const QString &text)
{
    m_link->write(text);
}

void BoundComboBox::userChose(int index)
{
    if (index >= 0 && itemText(index) != m_link->text())
        m_link->write(itemText(index));
}
