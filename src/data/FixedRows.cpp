#include "data/FixedRows.h"

TFixedRows::TFixedRows(TDatabase &db, const QList<FieldDef> &fields, QObject *parent)
    : TDataSet(db, parent), m_fields(fields)
{
}

void TFixedRows::setRows(std::vector<QVector<QVariant>> rows)
{
    close();
    m_rows = std::move(rows);
    open();
}
