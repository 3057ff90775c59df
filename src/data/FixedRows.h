#pragma once

#include "data/DataSet.h"

#include <vector>

// A read-only data set over rows the program computed rather than read from a table, so
// that a report can walk them like any other records.
class TFixedRows : public TDataSet {
    Q_OBJECT
public:
    TFixedRows(TDatabase &db, const QList<FieldDef> &fields, QObject *parent = nullptr);

    // Replaces the rows (each holds the fields in order) and opens the set on the first.
    void setRows(std::vector<QVector<QVariant>> rows);

protected:
    void openRows() override { setFields(m_fields); }
    void closeRows() override {}
    int rowCount() const override { return int(m_rows.size()); }
    QVector<QVariant> readRow(int position) override { return m_rows[size_t(position)]; }

private:
    QList<FieldDef> m_fields;
    std::vector<QVector<QVariant>> m_rows;
};
