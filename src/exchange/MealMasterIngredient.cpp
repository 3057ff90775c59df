#include "exchange/MealMasterIngredient.h"

namespace {

constexpr QChar kBlank = QLatin1Char(' ');

// The text splits at its first ";", else at its first ",", unless that character ends the
// text ("Onion," keeps its comma). Returns the position of the split, or -1.
qsizetype splitPosition(const QString &text)
{
    for (QChar separator : {QLatin1Char(';'), QLatin1Char(',')}) {
        const qsizetype at = text.indexOf(separator);
        if (at >= 0 && at != text.size() - 1)
            return at;
    }
    return -1;
}

} // namespace

QString TrimSpaces(const QString &text)
{
    if (text.size() == 1 && text.at(0) == kBlank)
        return text;
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == kBlank)
        ++first;
    while (last > first && text.at(last - 1) == kBlank)
        --last;
    return text.mid(first, last - first);
}

MealMasterIngredient MealMasterIngredient::fromLine(const QString &line)
{
    MealMasterIngredient item;
    item.amount = TrimSpaces(line.mid(0, 7));
    item.measurement = TrimSpaces(line.mid(8, 2));
    const QString text = line.mid(11);
    const qsizetype split = splitPosition(text);
    item.name = split < 0 ? text : text.left(split);
    const QString rest = split < 0 ? QString() : text.mid(split + 1);
    // The description is what follows the first blank of the rest: "Apples;sliced" has none.
    const qsizetype blank = rest.indexOf(kBlank);
    if (blank >= 0)
        item.description = TrimSpaces(rest.mid(blank + 1));
    return item;
}
