#include "exchange/MealMasterIngredient.h"

namespace {

constexpr QChar kBlank = QLatin1Char(' ');
constexpr qsizetype kSecondColumn = 41;  // column 42, counted from 0
constexpr qsizetype kTextColumn = 11;    // column 12

bool isQuantityCharacter(QChar c)
{
    return c == kBlank || c.isDigit() || c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-');
}

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

bool MealMasterIngredient::hasLayout(const QString &text)
{
    if (text.size() <= kTextColumn || text.at(7) != kBlank || text.at(10) != kBlank)
        return false;
    for (qsizetype i = 0; i < 7; ++i)
        if (!isQuantityCharacter(text.at(i)))
            return false;
    for (qsizetype i = 8; i < 10; ++i)
        if (text.at(i) != kBlank && !text.at(i).isLetter())
            return false;
    return !QStringView(text).mid(kTextColumn).trimmed().isEmpty();
}

bool MealMasterIngredient::isContinuation(const QString &text)
{
    if (!hasLayout(text))
        return false;
    const QStringView quantityAndUnit = QStringView(text).left(kTextColumn);
    return quantityAndUnit.trimmed().isEmpty() && QStringView(text).mid(kTextColumn).trimmed().startsWith(u'-');
}

std::pair<QString, QString> MealMasterIngredient::columns(const QString &line)
{
    if (line.size() > kSecondColumn && line.at(kSecondColumn - 1) == kBlank) {
        const QString second = line.mid(kSecondColumn);
        if (hasLayout(second)) {
            // The first column is padded with blanks up to the second.
            qsizetype end = kSecondColumn;
            while (end > 0 && line.at(end - 1) == kBlank)
                --end;
            return {line.left(end), second};
        }
    }
    return {line, QString()};
}

void MealMasterIngredient::continueWith(const QString &continuation)
{
    const QString text = QStringView(continuation).mid(kTextColumn).trimmed().mid(1).trimmed().toString();
    if (text.isEmpty())
        return;
    description = description.isEmpty() ? text : description + kBlank + text;
}

void MealMasterIngredientGroup::addLine(const QString &line, int lineNumber)
{
    const auto [first, second] = MealMasterIngredient::columns(line);
    addPart(m_first, first, nullptr, lineNumber);
    if (!second.isEmpty())
        addPart(m_second, second, &m_first, lineNumber);
}

// A continuation extends the ingredient above it in the same column (at the top of the
// second column, the last one of the first); one with nothing above it is kept as a line of
// its own rather than lost.
void MealMasterIngredientGroup::addPart(QList<MealMasterIngredient> &column, const QString &part,
                                        QList<MealMasterIngredient> *before, int lineNumber)
{
    if (MealMasterIngredient::isContinuation(part)) {
        QList<MealMasterIngredient> *above = !column.isEmpty() ? &column : before;
        if (above && !above->isEmpty()) {
            above->last().continueWith(part);
            return;
        }
    }
    column.append(MealMasterIngredient::fromLine(part));
    column.last().line = lineNumber;
}

QList<MealMasterIngredient> MealMasterIngredientGroup::take()
{
    QList<MealMasterIngredient> items = std::move(m_first);
    items.append(m_second);
    m_first.clear();
    m_second.clear();
    return items;
}
