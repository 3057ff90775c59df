#pragma once

#include <QObject>

class TDataSet;

// The data link between a dataset and the controls bound to it.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(TDataSet *dataSet = nullptr, QObject *parent = nullptr) : QObject(parent), m_dataSet(dataSet) {}
    TDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet *dataSet) { m_dataSet = dataSet; }

private:
    TDataSet *m_dataSet;
};
