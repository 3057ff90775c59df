#pragma once

#include <QPointer>
#include <QTableView>

class DataSetTableModel;
class TDataSet;
class TDataSource;

// A read-only grid over a dataset whose current row is the dataset's current record: moving
// in the grid moves the dataset, and the grid follows when anything else moves it. Whole
// rows are selected and the selection stays visible while the grid has no focus.
class BoundGrid : public QTableView {
    Q_OBJECT
public:
    explicit BoundGrid(QWidget *parent = nullptr);

    void bind(TDataSource &source);
    TDataSet *dataSet() const;
    // Shows the columns of these fields first, in this order.
    void setColumnOrder(const QStringList &fieldNames);
    // A narrow row header that marks the current row; off by default.
    void setRowIndicator(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followDataSet();
    void currentRowChanged(const QModelIndex &current);
    void sizeColumns();

    QPointer<TDataSet> m_dataSet;
    DataSetTableModel *m_model = nullptr;
};
