#pragma once

#include <QLabel>

class FieldLink;
class TDataSource;

// A read-only text showing a field of the current record, lookup fields included.
class BoundLabel : public QLabel {
    Q_OBJECT
public:
    explicit BoundLabel(QWidget *parent = nullptr);

    void bind(TDataSource &source, const QString &fieldName);

private:
    void fill();

    FieldLink *const m_link;
};
