#pragma once

#include <QPlainTextEdit>

class FieldLink;
class TDataSource;

// A multi-line memo bound to a memo field of the current record; Enter starts a new line.
class BoundMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BoundMemo(QWidget *parent = nullptr);

    void bind(TDataSource &source, const QString &fieldName);

private:
    void fill();
    void userEdited();

    FieldLink *const m_link;
};
