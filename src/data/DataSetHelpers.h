#pragma once

#include "data/Schema.h"

#include <QStringList>
#include <QVariant>

// Conversions between the values a field stores and the texts a user reads and types.
namespace FieldText {

bool isBlank(const QVariant &value);
// The stored form: text cut to the field's width, a blank text or memo as NULL.
QVariant normalise(const FieldDef &field, const QVariant &value);
QString toText(FieldType type, const QVariant &value);
// Throws EngineError when the text is not a value of the field's type.
QVariant fromText(const FieldDef &field, const QString &text);
// Memo lines: CR LF, LF and CR each end a line; a final line end adds no empty line.
QStringList splitLines(const QString &text);

} // namespace FieldText
