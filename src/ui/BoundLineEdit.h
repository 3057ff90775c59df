#pragma once

#include <QLineEdit>

class FieldLink;
class TDataSource;

// A single-line edit bound to a text field of the current record.
class BoundLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BoundLineEdit(QWidget *parent = nullptr);

    void bind(TDataSource &source, const QString &fieldName);
    FieldLink &link() const { return *m_link; }

private:
    void fill();
    void userEdited(const QString &text);

    FieldLink *const m_link;
};
