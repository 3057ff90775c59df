#pragma once

#include <QString>
#include <optional>

// Amounts and units as cooks write them, read so that the lines of a shopping list can be
// added up: "1 1/2" cups and "3 T" of one ingredient make one total in a sensible unit.
namespace Kitchen {

// A quantity: "2", "1 1/2", "3/4", "1.5", or a range "1-2" (low below high). Ranges are
// added end by end.
struct Amount {
    double low = 0;
    double high = 0;

    bool isRange() const { return high > low; }
    Amount scaled(double factor) const { return {low * factor, high * factor}; }
    Amount &operator+=(const Amount &other)
    {
        low += other.low;
        high += other.high;
        return *this;
    }
};

// None for an empty text or one that is no amount ("a few", "1,5", "2/0").
std::optional<Amount> readAmount(const QString &text);

// What a unit text means for adding: lines whose units share a family are added after
// converting each to the family's base unit.
struct Unit {
    QString family;      // empty for bare counts ("2" eggs)
    double inBase = 1;   // how many base units one of this unit is
};

// The unit a measurement names. Spelled-out and abbreviated units and the two-letter
// recipe-file codes are read in any letter case, except the one-letter codes "t" (teaspoon)
// and "T" (tablespoon). A plain word not in the tables is a unit of its own, added only to
// the same word. None for what cannot be added: a pinch, a dash, a drop, "to taste", and
// texts that are no word.
std::optional<Unit> readUnit(const QString &text);

// The number of servings a recipe's servings text states: "4", "6 Servings", "Serves 8".
// None for anything else ("4-6", "1 batch", "").
std::optional<double> readServings(const QString &text);

// A total written for the cook: its amount and unit texts, in the unit of its family in
// which the amount reads best (14 teaspoons are "4 2/3 tbsp", 36 are "3/4 cup").
struct Written {
    QString amount;
    QString unit;
};
// `unitText` names a family that has no unit table of its own (the word as first met).
Written writeTotal(const QString &family, const Amount &inBase, const QString &unitText);

// Kitchen-friendly numbers: to the nearest eighth or third ("1 1/3", "3/4"), never 0 for
// an amount above 0.
QString writeFraction(double value);
// Metric numbers: whole above 10, else at most the given decimals ("1.25", "7.5").
QString writeDecimal(double value, int decimals);

} // namespace Kitchen
