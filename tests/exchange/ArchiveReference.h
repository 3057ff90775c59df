#pragma once

// What a Meal-Master archive holds, read straight from the format's labels (Title,
// Categories, Servings or Yield), the layout of its ingredient lines (two columns, lines
// continued with "-") and its end line, to check the importer's result against. It does not
// use the importer's own code.

#include "ExchangeFixture.h"
#include "exchange/LineCodec.h"
#include "exchange/TextEncoding.h"

#include <QRegularExpression>

struct ExpectedIngredient {
    QString raw;           // the ingredient's column of its line
    QString continuation;  // the text of the lines that continue it, without their "-"
};

struct ExpectedRecipe {
    int line = 0;  // where its banner stands, from 1
    QString title, category, servings;
    QList<ExpectedIngredient> ingredients;  // in the order written: down one column, then the next
    QStringList directions;
};

// The shape of an ingredient: quantity, unit, text, in their columns.
inline bool looksLikeIngredient(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[ 0-9/.-]{7} [A-Za-z ]{2} .*\\S"));
    return shape.match(text).hasMatch();
}

inline bool isSubHeading(const QString &line)
{
    return line.contains(QLatin1String("----------"));
}

// Adds one group of ingredient lines (between sub-headings or empty lines).
inline void addIngredientGroup(const QStringList &group, QList<ExpectedIngredient> &out)
{
    static const QRegularExpression continuation(QStringLiteral("^ {11}\\s*-(.*)$"));
    QList<ExpectedIngredient> columns[2];
    for (const QString &line : group) {
        QString parts[2] = {line, QString()};
        if (line.size() > 41 && line.at(40) == u' ' && looksLikeIngredient(line.mid(41))) {
            parts[0] = line.left(41);
            while (parts[0].endsWith(u' '))
                parts[0].chop(1);
            parts[1] = line.mid(41);
        }
        for (int c = 0; c < 2; ++c) {
            if (parts[c].isEmpty())
                continue;
            const auto match = continuation.match(parts[c]);
            QList<ExpectedIngredient> *above = !columns[c].isEmpty() ? &columns[c] : (c == 1 ? &columns[0] : nullptr);
            if (match.hasMatch() && above && !above->isEmpty()) {
                QString &text = above->last().continuation;
                text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + match.captured(1).trimmed();
                continue;
            }
            columns[c].append({parts[c], {}});
        }
    }
    out << columns[0] << columns[1];
}

// Reads the ingredient list from `at` on; leaves `at` on the line that ended it.
inline QList<ExpectedIngredient> readIngredientList(const QStringList &lines, int &at)
{
    QList<ExpectedIngredient> ingredients;
    QStringList group;
    for (; at < lines.size(); ++at) {
        const QString &line = lines[at];
        if (line == QLatin1String(" ") || line == QLatin1String("-----") || line == QLatin1String("MMMMM"))
            break;
        if (line.trimmed().isEmpty()) {
            int next = at + 1;
            while (next < lines.size() && lines[next].trimmed().isEmpty() && lines[next] != QLatin1String(" "))
                ++next;
            if (next >= lines.size() || !(isSubHeading(lines[next]) || looksLikeIngredient(lines[next])))
                break;
        }
        if (isSubHeading(line) || line.trimmed().isEmpty()) {
            addIngredientGroup(group, ingredients);
            group.clear();
        } else if (line.contains(u' ')) {
            group << line;
        }
    }
    addIngredientGroup(group, ingredients);
    return ingredients;
}

inline QStringList archiveLines(const QByteArray &bytes)
{
    const TextEncoding eightBit = TextEncodingDetector::detect(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (i < bytes.size() || i > start)
            lines << LineCodec::decode(QByteArrayView(bytes).sliced(start, i - start), eightBit);
        if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

inline QString labelled(const QStringList &lines, int &at, const QString &labels)
{
    const QRegularExpression pattern(QStringLiteral("^\\s*(%1):\\s*(.*)$").arg(labels));
    for (int i = at; i < std::min<int>(at + 6, lines.size()); ++i) {
        const auto match = pattern.match(lines[i]);
        if (match.hasMatch()) {
            at = i + 1;
            return match.captured(2).trimmed();
        }
    }
    return {};
}

inline QList<ExpectedRecipe> readArchive(const QByteArray &bytes)
{
    const QStringList lines = archiveLines(bytes);
    QList<ExpectedRecipe> recipes;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(QLatin1String("Meal-Master")) || !lines[i].contains(QLatin1String("-----")))
            continue;
        ExpectedRecipe r;
        r.line = i + 1;
        int at = i + 1;
        r.title = labelled(lines, at, QStringLiteral("Title"));
        r.category = labelled(lines, at, QStringLiteral("Categories")).section(u',', 0, 0).trimmed();
        r.servings = labelled(lines, at, QStringLiteral("Servings|Yield"));
        ++at;
        r.ingredients = readIngredientList(lines, at);
        if (at < lines.size() && lines[at] != QLatin1String("-----") && lines[at] != QLatin1String("MMMMM"))
            for (++at; at < lines.size() && lines[at] != QLatin1String("-----") && lines[at] != QLatin1String("MMMMM"); ++at)
                r.directions << lines[at];
        recipes << r;
        i = at;
    }
    return recipes;
}

// Whether a stored line is the one the raw ingredient line gives: same amount and unit, and
// the ingredient's name and the description taken from its text.
inline bool lineMatches(const StoredLine &stored, const ExpectedIngredient &expected)
{
    const QString &raw = expected.raw;
    const QString text = raw.mid(11);
    const QString &continuation = expected.continuation;
    // The description field holds 20 characters: a long one ends wherever it was cut, without
    // the blank the cut may leave at its end.
    const bool continued = !continuation.isEmpty()
                           && (stored.description.contains(continuation.left(8)) || stored.description.size() >= 19);
    return stored.amount == raw.mid(0, 7).trimmed() && stored.measurement == raw.mid(8, 2).trimmed()
           && text.startsWith(stored.ingredient, Qt::CaseInsensitive)
           && (continuation.isEmpty() || continued)
           && (stored.description.isEmpty() || text.contains(stored.description) || continued);
}

// A line repeating an ingredient already on the recipe, which the line table refuses.
inline bool repeatsIngredient(const QStringList &names, const ExpectedIngredient &expected)
{
    const QString text = expected.raw.mid(11);
    for (const QString &name : names) {
        if (!text.startsWith(name, Qt::CaseInsensitive))
            continue;
        if (text.size() == name.size() || name.size() >= 40 || QStringLiteral(";, ").contains(text.at(name.size())))
            return true;
    }
    return false;
}

// Empty when the stored recipe holds all of the expected one; otherwise what differs.
inline QString differences(const ExpectedRecipe &e, const StoredRecipe &s)
{
    if (s.name.trimmed() != e.title.left(40).trimmed())
        return QStringLiteral("title");
    if (s.category.trimmed().isEmpty() != e.category.isEmpty() || !e.category.startsWith(s.category.trimmed()))
        return QStringLiteral("category");
    if (s.servings.trimmed().isEmpty() != e.servings.isEmpty() || !e.servings.startsWith(s.servings.trimmed()))
        return QStringLiteral("servings");
    if (s.instructions != e.directions)
        return QStringLiteral("directions");
    int next = 0;
    QStringList names;
    for (const ExpectedIngredient &expected : e.ingredients) {
        if (next < s.lines.size() && lineMatches(s.lines[next], expected)) {
            names << s.lines[next++].ingredient;
        } else if (!repeatsIngredient(names, expected)) {
            return QStringLiteral("ingredient line \"%1\"").arg(expected.raw);
        }
    }
    return next == s.lines.size() ? QString() : QStringLiteral("extra ingredient lines");
}
