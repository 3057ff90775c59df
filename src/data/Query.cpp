#include "data/Query.h"

#include "data/DateText.h"
#include "data/EngineError.h"
#include "data/SqlText.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

TQuery::TQuery(TDatabase &db, QObject *parent) : TDataSet(db, parent) {}

void TQuery::setSql(const QString &sql)
{
    close();
    m_sql = sql;
    m_bindings.clear();
}

void TQuery::bindValue(const QString &name, const QVariant &value)
{
    const QString key = name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name;
    m_bindings.insert(key, value.typeId() == QMetaType::QDate ? QVariant(DateText::toStorage(value.toDate())) : value);
}

QString TQuery::translate(const QString &sql)
{
    // "Day.db" names a table by its file; inside SQLite the table is called by its base name.
    static const QRegularExpression fileName(QStringLiteral("\"([^\"]+\\.[A-Za-z]+)\""));
    QString result;
    qsizetype last = 0;
    auto it = fileName.globalMatch(sql);
    while (it.hasNext()) {
        const auto match = it.next();
        const TableDef *table = Schema::findTable(match.captured(1));
        result += sql.mid(last, match.capturedStart() - last);
        result += table ? SqlText::quoted(table->name) : match.captured(0);
        last = match.capturedEnd();
    }
    return result + sql.mid(last);
}

namespace {

FieldType columnType(const QSqlField &field, const QVariant &sample)
{
    if (const TableDef *table = Schema::findTable(field.tableName()))
        if (const FieldDef *def = table->field(field.name()))
            return def->type;
    if (field.name().compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0)
        return FieldType::Date;
    return sample.typeId() == QMetaType::LongLong ? FieldType::Integer : FieldType::Text;
}

} // namespace

void TQuery::openRows()
{
    database().checkPassword();
    const QString text = translate(m_sql);
    if (!text.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        error(EngineError::QuerySyntax, QStringLiteral("Only SELECT statements can be opened."));
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    if (!q.prepare(text))
        throw EngineError::fromSql(q.lastError(), QStringLiteral("query"));
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it)
        q.bindValue(it.key(), it.value());
    if (!q.exec())
        throw EngineError::fromSql(q.lastError(), QStringLiteral("query"));
    m_result.clear();
    const QSqlRecord record = q.record();
    const int n = record.count();
    while (q.next()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = q.value(i);
        m_result.push_back(std::move(row));
    }
    QList<FieldDef> defs;
    for (int i = 0; i < n; ++i)
        defs.append({record.fieldName(i), columnType(record.field(i), m_result.empty() ? QVariant() : m_result[0][i]), 0});
    setFields(defs);
}

void TQuery::closeRows()
{
    m_result.clear();
}
