#include "data/KitchenQuantity.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace Kitchen {

namespace {

const QString kVolume = QStringLiteral("volume");
const QString kMetricVolume = QStringLiteral("metric volume");
const QString kWeight = QStringLiteral("weight");
const QString kMetricWeight = QStringLiteral("metric weight");

// Every name a unit goes by, in lower case without dots; the family's base unit is 1.
struct UnitNames {
    const QString &family;
    double inBase;
    const char *names;  // separated by "|"
};

const UnitNames kUnitTable[] = {
    {kVolume, 1, "ts|tsp|tsps|tspn|teaspoon|teaspoons"},
    {kVolume, 3, "tb|tbs|tbsp|tbsps|tbl|tbls|tblsp|tablespoon|tablespoons"},
    {kVolume, 6, "fl|fl oz|floz|fluid ounce|fluid ounces"},
    {kVolume, 48, "c|cup|cups"},
    {kVolume, 96, "pt|pint|pints"},
    {kVolume, 192, "qt|quart|quarts"},
    {kVolume, 768, "ga|gal|gallon|gallons"},
    {kMetricVolume, 1, "ml|milliliter|milliliters|millilitre|millilitres|cc|cb"},
    {kMetricVolume, 100, "dl|deciliter|deciliters|decilitre|decilitres"},
    {kMetricVolume, 1000, "l|lt|liter|liters|litre|litres"},
    {kWeight, 1, "oz|ounce|ounces"},
    {kWeight, 16, "lb|lbs|pound|pounds"},
    {kMetricWeight, 0.001, "mg|milligram|milligrams"},
    {kMetricWeight, 1, "g|gr|gram|grams|gramme|grammes"},
    {kMetricWeight, 1000, "kg|kilo|kilos|kilogram|kilograms"},
};

// Units that count things: each is a family of its own, and "x" and "each" are bare counts.
// "cl" stands for a clove in the recipe files people share, whatever the code list says.
const char *const kCountUnits[][3] = {
    {"can", "cans", "cn|can|cans"},           {"package", "packages", "pk|pkg|pkgs|package|packages"},
    {"carton", "cartons", "ct|carton|cartons"}, {"bunch", "bunches", "bn|bunch|bunches"},
    {"slice", "slices", "sl|slice|slices"},   {"clove", "cloves", "cl|clove|cloves"},
    {"small", "small", "sm|small"},           {"medium", "medium", "md|medium"},
    {"large", "large", "lg|large"},
};
const char *const kBareCount = "x|ea|each|whole";
const char *const kNotAddable = "pn|pinch|pinches|ds|dash|dashes|dr|drop|drops|to taste|taste|tt";

QHash<QString, Unit> buildUnits()
{
    QHash<QString, Unit> units;
    auto add = [&units](const char *names, const Unit &unit) {
        for (const QString &name : QString::fromLatin1(names).split(QLatin1Char('|')))
            units.insert(name, unit);
    };
    for (const UnitNames &row : kUnitTable)
        add(row.names, {row.family, row.inBase});
    for (const auto &row : kCountUnits)
        add(row[2], {QString::fromLatin1(row[0]), 1});
    add(kBareCount, {QString(), 1});
    return units;
}

const QHash<QString, Unit> &units()
{
    static const QHash<QString, Unit> table = buildUnits();
    return table;
}

// Where a family's total is written in a unit: the largest whose `from` the amount reaches.
struct Step {
    const QString &family;
    double from;
    double inBase;
    const char *singular;
    const char *plural;
    int decimals;  // -1: kitchen fractions
};

const Step kSteps[] = {
    {kVolume, 0, 1, "tsp", "tsp", -1},          {kVolume, 3, 3, "tbsp", "tbsp", -1},
    {kVolume, 12, 48, "cup", "cups", -1},       {kVolume, 768, 768, "gallon", "gallons", -1},
    {kMetricVolume, 0, 1, "ml", "ml", 1},       {kMetricVolume, 1000, 1000, "l", "l", 2},
    {kWeight, 0, 1, "oz", "oz", -1},            {kWeight, 16, 16, "lb", "lb", -1},
    {kMetricWeight, 0, 1, "g", "g", 1},         {kMetricWeight, 1000, 1000, "kg", "kg", 2},
};

QString unitKey(const QString &text)
{
    return text.simplified().remove(QLatin1Char('.')).simplified();
}

// "3/4", "1.5", "2", ".5"; none for anything else.
std::optional<double> readNumber(const QString &text)
{
    static const QRegularExpression fraction(QStringLiteral("^(\\d+)/(\\d+)$"));
    static const QRegularExpression decimal(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    if (const auto match = fraction.match(text); match.hasMatch()) {
        const double denominator = match.captured(2).toDouble();
        if (denominator == 0)
            return std::nullopt;
        return match.captured(1).toDouble() / denominator;
    }
    if (decimal.match(text).hasMatch())
        return text.toDouble();
    return std::nullopt;
}

// "2", "1 1/2", "3/4": a whole number may be followed by a fraction below 1.
std::optional<double> readSingle(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 1)
        return readNumber(parts[0]);
    if (parts.size() != 2 || parts[0].contains(QLatin1Char('.')) || parts[0].contains(QLatin1Char('/'))
        || !parts[1].contains(QLatin1Char('/')))
        return std::nullopt;
    const auto whole = readNumber(parts[0]);
    const auto part = readNumber(parts[1]);
    if (!whole || !part || *part >= 1)
        return std::nullopt;
    return *whole + *part;
}

QString withPlainFractions(QString text)
{
    static const QHash<QChar, QString> vulgar{
        {QChar(0x00BD), QStringLiteral(" 1/2")}, {QChar(0x00BC), QStringLiteral(" 1/4")},
        {QChar(0x00BE), QStringLiteral(" 3/4")}, {QChar(0x2153), QStringLiteral(" 1/3")},
        {QChar(0x2154), QStringLiteral(" 2/3")}, {QChar(0x215B), QStringLiteral(" 1/8")}};
    for (auto it = vulgar.cbegin(); it != vulgar.cend(); ++it)
        text.replace(it.key(), it.value());
    text.replace(QChar(0x2013), QLatin1Char('-'));
    text.replace(QStringLiteral(" to "), QStringLiteral("-"), Qt::CaseInsensitive);
    return text.simplified();
}

} // namespace

std::optional<Amount> readAmount(const QString &text)
{
    const QString plain = withPlainFractions(text);
    if (plain.isEmpty() || plain.count(QLatin1Char('-')) > 1)
        return std::nullopt;
    const qsizetype dash = plain.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        const auto value = readSingle(plain);
        return value ? std::optional<Amount>({*value, *value}) : std::nullopt;
    }
    const auto low = readSingle(plain.left(dash).trimmed());
    const auto high = readSingle(plain.mid(dash + 1).trimmed());
    if (!low || !high)
        return std::nullopt;
    if (*low <= *high)
        return Amount{*low, *high};
    // "1-1/2" is how some write one and a half.
    const bool mixedNumber = *high < 1 && plain.mid(dash + 1).contains(QLatin1Char('/'))
                             && *low == std::floor(*low) && !plain.left(dash).contains(QLatin1Char('/'));
    if (mixedNumber)
        return Amount{*low + *high, *low + *high};
    return std::nullopt;
}

std::optional<Unit> readUnit(const QString &text)
{
    const QString key = unitKey(text);
    if (key == QLatin1String("t"))
        return Unit{kVolume, 1};
    if (key == QLatin1String("T"))
        return Unit{kVolume, 3};
    const QString lower = key.toLower();
    if (lower.isEmpty())
        return Unit{};
    static const QStringList notAddable = QString::fromLatin1(kNotAddable).split(QLatin1Char('|'));
    if (notAddable.contains(lower))
        return std::nullopt;
    if (const auto known = units().constFind(lower); known != units().cend())
        return *known;
    for (QChar c : lower)
        if (!c.isLetter())
            return std::nullopt;
    // A plain word: "sprigs" is added to "sprig".
    const bool plural = lower.size() > 3 && lower.endsWith(QLatin1Char('s'));
    return Unit{QStringLiteral("word:") + (plural ? lower.chopped(1) : lower), 1};
}

std::optional<double> readServings(const QString &text)
{
    static const QRegularExpression words(
        QStringLiteral("^(?:serves|servings|makes)?:?\\s*(.*?)\\s*(?:servings|serving|people|persons|portions)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = words.match(text.simplified());
    const auto amount = readAmount(match.captured(1));
    if (!amount || amount->isRange() || amount->low <= 0)
        return std::nullopt;
    return amount->low;
}

namespace {

// The kitchen fractions, in 24ths of a whole.
const int kTwentyFourths[] = {0, 3, 6, 8, 9, 12, 15, 16, 18, 21, 24};
const char *const kFractionNames[] = {"", "1/8", "1/4", "1/3", "3/8", "1/2", "5/8", "2/3", "3/4", "7/8", ""};

// The value rounded to the nearest kitchen fraction, counted in 24ths.
long long nearestTwentyFourths(double value)
{
    const double whole = std::floor(value);
    const double part = (value - whole) * 24;
    int nearest = 0;
    for (int i = 1; i < 11; ++i)
        if (std::abs(kTwentyFourths[i] - part) < std::abs(kTwentyFourths[nearest] - part))
            nearest = i;
    return (long long)whole * 24 + kTwentyFourths[nearest];
}

// True when a kitchen fraction says the value to within 5%: 14 teaspoons are no "1/4 cup".
bool readsWellAsFraction(double value)
{
    return value <= 0 || std::abs(double(nearestTwentyFourths(value)) / 24 - value) <= 0.05 * value;
}

} // namespace

QString writeFraction(double value)
{
    if (value <= 0)
        return QStringLiteral("0");
    const long long rounded = nearestTwentyFourths(value);
    if (rounded == 0)
        return QStringLiteral("1/8");
    const QString whole = QString::number(rounded / 24);
    int index = 0;
    while (kTwentyFourths[index] != rounded % 24)
        ++index;
    const QString fraction = QString::fromLatin1(kFractionNames[index]);
    if (rounded < 24)
        return fraction;
    return fraction.isEmpty() ? whole : whole + QLatin1Char(' ') + fraction;
}

QString writeDecimal(double value, int decimals)
{
    if (value >= 10 && decimals < 2)
        decimals = 0;
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (value > 0 && text == QLatin1String("0"))
        return QString::number(value, 'g', 1);
    return text;
}

Written writeTotal(const QString &family, const Amount &inBase, const QString &unitText)
{
    // The largest unit the amount reaches in which it reads well, else the family's smallest.
    const Step *chosen = nullptr;
    for (const Step &step : kSteps) {
        if (step.family != family)
            continue;
        const bool readsWell = step.decimals >= 0
                                || (readsWellAsFraction(inBase.low / step.inBase)
                                    && readsWellAsFraction(inBase.high / step.inBase));
        if (!chosen || (inBase.low >= step.from && readsWell))
            chosen = &step;
    }
    auto write = [chosen](double value) {
        if (!chosen || chosen->decimals < 0)
            return writeFraction(value);
        return writeDecimal(value, chosen->decimals);
    };
    const double scale = chosen ? chosen->inBase : 1;
    const QString low = write(inBase.low / scale);
    const QString high = write(inBase.high / scale);
    Written written{low == high ? low : low + QLatin1Char('-') + high, unitText};
    if (chosen)
        written.unit = QString::fromLatin1(high == QLatin1String("1") || inBase.high / scale <= 1 ? chosen->singular
                                                                                                  : chosen->plural);
    else
        for (const auto &row : kCountUnits)
            if (family == QLatin1String(row[0]))
                written.unit = QString::fromLatin1(high == QLatin1String("1") || inBase.high <= 1 ? row[0] : row[1]);
    return written;
}

} // namespace Kitchen
