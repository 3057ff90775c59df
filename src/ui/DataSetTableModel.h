#pragma once

#include <QAbstractTableModel>
#include <QVector>

class TDataSet;

// A read-only grid model over a dataset: one column per visible field, one row per record in
// the dataset's order. Rows are handed to the view in blocks as it scrolls, and each cell is
// read from the dataset when painted, so no grid ever holds a whole table.
class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetTableModel(TDataSet &dataSet, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The width the field asks for, in characters.
    int displayWidth(int column) const;

    static constexpr int kFetchBlock = 200;
    static constexpr const char *kMemoPlaceholder = "(Memo)";

private:
    void reload();
    void refreshCurrentRow();
    QString displayText(int row, int column) const;

    TDataSet &m_dataSet;
    QVector<int> m_columns;  // field index of each visible column
    int m_fetched = 0;
};
