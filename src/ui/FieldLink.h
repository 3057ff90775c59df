#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class TDataSet;
class TDataSource;

// The link between one data-bound control and a field of the current record of a dataset.
// The control is refilled whenever the record moves or changes; what the user types is
// written into the record in place, putting the view into edit state on the first change.
class FieldLink : public QObject {
    Q_OBJECT
public:
    using Fill = std::function<void()>;

    // The fill callback reads the field into the control; the link owns no widget.
    FieldLink(QObject *owner, Fill fill);

    void bind(TDataSource &source, const QString &fieldName);
    TDataSet *dataSet() const;
    QString fieldName() const { return m_fieldName; }
    // True when the dataset is open and has the field.
    bool isActive() const;
    // The declared width of a text field; 0 when unbounded or unknown.
    int fieldSize() const;

    // The field of the current record as text, empty while the link is inactive.
    QString text() const;
    // Writes the text into the current record. A change the user makes while the view is
    // browsing starts an edit first; an inactive link ignores it.
    void write(const QString &text);

    // Reads the field into the control again.
    void refill();

private:
    void followRecord();

    Fill m_fill;
    QPointer<TDataSet> m_dataSet;
    QString m_fieldName;
    bool m_writing = false;  // the control's own write must not refill it under the cursor
};
