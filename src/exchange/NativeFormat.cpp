#include "exchange/NativeFormat.h"

namespace NativeFormat {

namespace {

constexpr QChar kEscape = QLatin1Char('\\');
constexpr char16_t kEndOfText = 26;

bool breaksValue(QChar c)
{
    return c == QLatin1Char(';') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == kEndOfText;
}

bool readsAsSectionLine(QStringView line)
{
    return line == kMarker || line == kInstructions || line == kNotes || line == kIngredientsList
           || line == kEscapedInstructions;
}

void appendEscaped(QString &out, QChar c)
{
    out += kEscape;
    out += QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
}

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

} // namespace

bool valueNeedsEscape(QStringView value)
{
    for (QChar c : value)
        if (breaksValue(c))
            return true;
    return false;
}

bool memoLineNeedsEscape(QStringView line, QLatin1String endLine)
{
    return line == endLine || line.contains(QChar(kEndOfText));
}

QString escapeValue(QStringView value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (QChar c : value) {
        if (c == kEscape || breaksValue(c))
            appendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

QString escapeMemoLine(QStringView line)
{
    QString out;
    out.reserve(line.size() + 8);
    const bool sectionLike = readsAsSectionLine(line);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == kEscape || c.unicode() == kEndOfText || (i == 0 && sectionLike))
            appendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

QString unescape(const QString &text)
{
    if (!text.contains(kEscape))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kEscape && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += QChar(char16_t(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace NativeFormat
