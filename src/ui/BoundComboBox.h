#pragma once

#include <QComboBox>
#include <QPointer>

class FieldLink;
class TDataSet;
class TDataSource;

// A combo box bound to a text field of the current record. Editable, it takes free text as
// well as a choice from its list; otherwise only a listed value can be chosen. The list is
// either given or follows one field of every row of a list dataset.
class BoundComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit BoundComboBox(QWidget *parent = nullptr);

    // Make the box editable, or not, before binding it.
    void bind(TDataSource &source, const QString &fieldName);
    // Replaces the choices; the box keeps showing the record's value.
    void setItems(const QStringList &items);
    // Shows the field of every row of the list, in the list's order, and follows its changes.
    void setListSource(TDataSource &listSource, const QString &listField);

    // The field's values in row order, read without moving the dataset.
    static QStringList columnValues(TDataSet &dataSet, const QString &fieldName);

private:
    void fill();
    void reloadList();
    void userEdited(const QString &text);
    void userChose(int index);

    FieldLink *const m_link;
    QPointer<TDataSet> m_list;
    QString m_listField;
};
