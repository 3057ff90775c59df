#pragma once

// What a Meal-Master archive holds, read straight from the format's labels (Title,
// Categories, Servings or Yield), its line of one blank after the ingredients and its end
// line, to check the importer's result against. It does not use the importer's own rules.

#include "ExchangeFixture.h"
#include "exchange/LineCodec.h"

#include <QRegularExpression>

struct ExpectedRecipe {
    int line = 0;  // where its banner stands, from 1
    QString title, category, servings;
    QStringList ingredients;  // the raw ingredient lines, sub-headings and empty lines left out
    QStringList directions;
};

inline QStringList archiveLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (i < bytes.size() || i > start)
            lines << LineCodec::decode(QByteArrayView(bytes).sliced(start, i - start));
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
        for (++at; at < lines.size() && lines[at] != QLatin1String(" "); ++at)
            if (!lines[at].trimmed().isEmpty() && !lines[at].contains(QLatin1String("----------")))
                r.ingredients << lines[at];
        for (++at; at < lines.size() && lines[at] != QLatin1String("-----") && lines[at] != QLatin1String("MMMMM"); ++at)
            r.directions << lines[at];
        recipes << r;
        i = at;
    }
    return recipes;
}

// Whether a stored line is the one the raw ingredient line gives: same amount and unit, and
// the ingredient's name and the description taken from its text.
inline bool lineMatches(const StoredLine &stored, const QString &raw)
{
    const QString text = raw.mid(11);
    return stored.amount == raw.mid(0, 7).trimmed() && stored.measurement == raw.mid(8, 2).trimmed()
           && text.startsWith(stored.ingredient, Qt::CaseInsensitive)
           && (stored.description.isEmpty() || text.contains(stored.description));
}

// A line repeating an ingredient already on the recipe, which the line table refuses.
inline bool repeatsIngredient(const QStringList &names, const QString &raw)
{
    const QString text = raw.mid(11);
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
    for (const QString &raw : e.ingredients) {
        if (next < s.lines.size() && lineMatches(s.lines[next], raw)) {
            names << s.lines[next++].ingredient;
        } else if (!repeatsIngredient(names, raw)) {
            return QStringLiteral("ingredient line \"%1\"").arg(raw);
        }
    }
    return next == s.lines.size() ? QString() : QStringLiteral("extra ingredient lines");
}
