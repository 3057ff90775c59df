#include "data/DateText.h"

#include <QList>
#include <QRegularExpression>
#include <QVariant>
#include <algorithm>
#include <optional>

namespace {

enum class Part { Day, Month, Year };

// What the locale's short date format says about typed dates: the order of its day, month
// and year, and the words it writes around them (a year abbreviation, say).
struct ShortDateShape {
    QList<Part> order;
    QStringList literalWords;
};

std::optional<Part> partOf(QChar letter, int repeats)
{
    if (letter == QLatin1Char('d'))
        return repeats <= 2 ? std::optional(Part::Day) : std::nullopt;  // ddd and dddd name the weekday
    if (letter == QLatin1Char('M'))
        return Part::Month;
    if (letter == QLatin1Char('y'))
        return Part::Year;
    return std::nullopt;
}

ShortDateShape shapeOf(const QString &format)
{
    ShortDateShape shape;
    QString literal;
    bool quoted = false;
    auto endWord = [&] {
        if (!literal.isEmpty())
            shape.literalWords << literal;
        literal.clear();
    };
    for (int at = 0; at < format.size(); ++at) {
        const QChar letter = format[at];
        if (letter == QLatin1Char('\'')) {
            quoted = !quoted;
            endWord();
            continue;
        }
        const bool formatLetter = !quoted && QStringLiteral("dMyHhmsapAPtz").contains(letter);
        if (!formatLetter) {
            if (letter.isLetter())
                literal += letter;
            else
                endWord();
            continue;
        }
        endWord();
        int repeats = 1;
        while (at + 1 < format.size() && format[at + 1] == letter) {
            ++at;
            ++repeats;
        }
        const std::optional<Part> part = partOf(letter, repeats);
        if (part && !shape.order.contains(*part))
            shape.order << *part;
    }
    endWord();
    if (shape.order.size() != 3)
        shape.order = {Part::Day, Part::Month, Part::Year};
    return shape;
}

struct Token {
    QString text;
    bool isNumber = false;
    int value = 0;  // stops growing at kLargeNumber: no part of a date comes near it
};

constexpr int kLargeNumber = 1000000;

// Runs of digits (in any script) and runs of letters; everything else separates them.
QList<Token> tokensOf(const QString &text)
{
    QList<Token> tokens;
    Token current;
    auto endToken = [&] {
        if (!current.text.isEmpty())
            tokens << current;
        current = Token();
    };
    for (const QChar character : text) {
        const bool digit = character.isDigit();
        if (!digit && !character.isLetter()) {
            endToken();
            continue;
        }
        if (!current.text.isEmpty() && current.isNumber != digit)
            endToken();
        current.isNumber = digit;
        current.text += character;
        if (digit)
            current.value = std::min(current.value * 10 + character.digitValue(), kLargeNumber);
    }
    endToken();
    return tokens;
}

int monthNamed(const QString &word, const QLocale &locale)
{
    auto matches = [&word](QString name) {
        if (name.endsWith(QLatin1Char('.')))
            name.chop(1);
        return !name.isEmpty() && word.compare(name, Qt::CaseInsensitive) == 0;
    };
    for (const QLocale &names : {locale, QLocale::c()}) {
        for (int month = 1; month <= 12; ++month) {
            for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
                if (matches(names.monthName(month, type)) || matches(names.standaloneMonthName(month, type)))
                    return month;
            }
        }
    }
    return 0;
}

QDate isoDate(const QString &text)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch match = iso.match(text);
    if (match.hasMatch())
        return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    return QDate::fromString(text, Qt::ISODate);
}

QDate localDate(const QString &text, const QLocale &locale, int currentYear)
{
    const ShortDateShape shape = shapeOf(locale.dateFormat(QLocale::ShortFormat));
    QList<Token> tokens = tokensOf(text);
    tokens.removeIf([&shape](const Token &token) {
        return !token.isNumber && shape.literalWords.contains(token.text, Qt::CaseInsensitive);
    });
    if (tokens.size() != 3)
        return {};
    QList<Part> numberOrder = shape.order;
    int month = 0;
    for (const Token &token : std::as_const(tokens)) {
        if (token.isNumber)
            continue;
        month = monthNamed(token.text, locale);
        if (month == 0 || !numberOrder.removeOne(Part::Month))
            return {};  // not a month, or a second word
    }
    int day = 0;
    int year = 0;
    int next = 0;
    for (const Token &token : std::as_const(tokens)) {
        if (!token.isNumber)
            continue;
        const int digits = token.text.size();
        switch (numberOrder[next++]) {
        case Part::Day:
            if (digits > 2)
                return {};
            day = token.value;
            break;
        case Part::Month:
            if (digits > 2)
                return {};
            month = token.value;
            break;
        case Part::Year:
            if (digits != 2 && digits != 4)
                return {};
            year = digits == 2 ? DateText::expandTwoDigitYear(token.value, currentYear) : token.value;
            break;
        }
    }
    return QDate(year, month, day);
}

} // namespace

QString DateText::displayFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

QString DateText::toDisplay(const QDate &date)
{
    return date.isValid() ? QLocale().toString(date, displayFormat()) : QString();
}

QDate DateText::parse(const QString &text)
{
    return parse(text, QLocale(), QDate::currentDate().year());
}

QDate DateText::parse(const QString &text, const QLocale &locale, int currentYear)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QDate iso = isoDate(trimmed);
    return iso.isValid() ? iso : localDate(trimmed, locale, currentYear);
}

int DateText::expandTwoDigitYear(int twoDigits, int currentYear)
{
    const int earliest = currentYear - 50;
    const int year = earliest - earliest % 100 + twoDigits;
    return year < earliest ? year + 100 : year;
}

QString DateText::toStorage(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate DateText::fromStorage(const QVariant &value)
{
    return value.isNull() ? QDate() : QDate::fromString(value.toString(), Qt::ISODate);
}
