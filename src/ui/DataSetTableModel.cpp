#include "ui/DataSetTableModel.h"

#include "data/DataSet.h"

#include <QDate>
#include <QLocale>

DataSetTableModel::DataSetTableModel(TDataSet &dataSet, QObject *parent) : QAbstractTableModel(parent), m_dataSet(dataSet)
{
    connect(&m_dataSet, &TDataSet::dataSetChanged, this, &DataSetTableModel::reload);
    connect(&m_dataSet, &TDataSet::recordChanged, this, &DataSetTableModel::refreshCurrentRow);
    reload();
}

int DataSetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fetched;
}

int DataSetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_fetched)
        return {};
    return displayText(index.row(), index.column());
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_dataSet.fieldInfo(m_columns[section]).def.name;
}

bool DataSetTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_fetched < m_dataSet.recordCount();
}

void DataSetTableModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid())
        return;
    // At least through the current record, so a grid that follows a search far down the list
    // fetches once rather than block by block.
    const int wanted = qMax(kFetchBlock, m_dataSet.recNo() + 1 - m_fetched);
    const int count = qMin(wanted, m_dataSet.recordCount() - m_fetched);
    if (count <= 0)
        return;
    beginInsertRows({}, m_fetched, m_fetched + count - 1);
    m_fetched += count;
    endInsertRows();
}

int DataSetTableModel::displayWidth(int column) const
{
    const FieldInfo &info = m_dataSet.fieldInfo(m_columns[column]);
    if (info.displayWidth > 0)
        return info.displayWidth;
    return info.def.size > 0 ? info.def.size : 10;
}

void DataSetTableModel::reload()
{
    // Rows read late (another copy of the program changed them) are read before the reset,
    // whose own signal would otherwise arrive in the middle of it.
    m_dataSet.settlePending();
    beginResetModel();
    m_columns.clear();
    for (int i = 0; i < m_dataSet.fieldCount(); ++i) {
        if (m_dataSet.fieldInfo(i).visible)
            m_columns.append(i);
    }
    m_fetched = qMin(kFetchBlock, m_dataSet.recordCount());
    endResetModel();
}

void DataSetTableModel::refreshCurrentRow()
{
    const int row = m_dataSet.recNo();
    if (row >= 0 && row < m_fetched && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1), {Qt::DisplayRole});
}

QString DataSetTableModel::displayText(int row, int column) const
{
    const int field = m_columns[column];
    const FieldType type = m_dataSet.fieldInfo(field).def.type;
    if (type == FieldType::Memo)
        return QString::fromLatin1(kMemoPlaceholder);
    const QVariant value = m_dataSet.valueAt(row, field);
    if (type == FieldType::Date && value.canConvert<QDate>())
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    return value.toString();
}
