#pragma once

#include "data/DataSet.h"

#include <QHash>

// A read-only local SQL SELECT over the database. Tables may be named by their quoted file
// name ("Day.db"); values are always bound through parameters (":from"), never spliced into
// the text. The result is read whole when the query opens.
class TQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TQuery(TDatabase &db, QObject *parent = nullptr);

    // Replacing the text closes the query and forgets the bound values.
    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void bindValue(const QString &name, const QVariant &value);

    // The statement as SQLite receives it.
    static QString translate(const QString &sql);

protected:
    void openRows() override;
    void closeRows() override;
    int rowCount() const override { return int(m_result.size()); }
    QVector<QVariant> readRow(int position) override { return m_result[size_t(position)]; }

private:
    QString m_sql;
    QHash<QString, QVariant> m_bindings;
    std::vector<QVector<QVariant>> m_result;
};
