#include "data/DataSetHelpers.h"

#include "data/DateText.h"
#include "data/EngineError.h"


bool FieldText::isBlank(const QVariant &value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

QVariant FieldText::normalise(const FieldDef &field, const QVariant &value)
{
    if (isBlank(value))
        return {};
    switch (field.type) {
    case FieldType::Text: {
        const QString text = value.toString();
        return field.size > 0 && text.size() > field.size ? text.left(field.size) : text;
    }
    case FieldType::Memo:
        return value.toString();
    case FieldType::Integer:
    case FieldType::Logical:
        return value.toLongLong();
    case FieldType::Date:
        if (value.typeId() == QMetaType::QDate)
            return DateText::toStorage(value.toDate());
        return value.toString();
    }
    return value;
}

QString FieldText::toText(FieldType type, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Date:
        return DateText::toDisplay(DateText::fromStorage(value));
    case FieldType::Logical:
        return value.toInt() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Integer:
        return QString::number(value.toLongLong());
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return value.toString();
}

QVariant FieldText::fromText(const FieldDef &field, const QString &text)
{
    if (text.isEmpty())
        return {};
    switch (field.type) {
    case FieldType::Integer: {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (!ok)
            throw EngineError(EngineError::CheckFailed,
                              QStringLiteral("'%1' is not a valid integer value for field '%2'.").arg(text, field.name));
        return qlonglong(n);
    }
    case FieldType::Date: {
        const QDate date = DateText::parse(text);
        if (!date.isValid())
            throw EngineError(EngineError::CheckFailed,
                              QStringLiteral("'%1' is not a valid date for field '%2'.").arg(text, field.name));
        return DateText::toStorage(date);
    }
    case FieldType::Logical:
        return qlonglong(text.toUpper() == QLatin1String("TRUE") ? 1 : 0);
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return normalise(field, text);
}

QStringList FieldText::splitLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    // CR LF, LF and CR each end a line.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
