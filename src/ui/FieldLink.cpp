#include "ui/FieldLink.h"

#include "data/DataSet.h"
#include "data/DataSource.h"

#include <QScopedValueRollback>

FieldLink::FieldLink(QObject *owner, Fill fill) : QObject(owner), m_fill(std::move(fill)) {}

void FieldLink::bind(TDataSource &source, const QString &fieldName)
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = source.dataSet();
    m_fieldName = fieldName;
    if (m_dataSet) {
        connect(m_dataSet, &TDataSet::recordChanged, this, &FieldLink::followRecord);
        connect(m_dataSet, &TDataSet::stateChanged, this, &FieldLink::followRecord);
    }
    refill();
}

TDataSet *FieldLink::dataSet() const
{
    return m_dataSet;
}

bool FieldLink::isActive() const
{
    return m_dataSet && m_dataSet->isActive() && m_dataSet->fieldIndex(m_fieldName) >= 0;
}

int FieldLink::fieldSize() const
{
    const int index = m_dataSet ? m_dataSet->fieldIndex(m_fieldName) : -1;
    return index < 0 ? 0 : m_dataSet->fieldInfo(index).def.size;
}

QString FieldLink::text() const
{
    return isActive() ? m_dataSet->fieldByName(m_fieldName).asString() : QString();
}

void FieldLink::write(const QString &text)
{
    if (!isActive())
        return;
    QScopedValueRollback<bool> writing(m_writing, true);
    if (!m_dataSet->isEditing())
        m_dataSet->edit();
    m_dataSet->fieldByName(m_fieldName).setAsString(text);
}

void FieldLink::refill()
{
    if (m_fill)
        m_fill();
}

void FieldLink::followRecord()
{
    if (!m_writing)
        refill();
}
