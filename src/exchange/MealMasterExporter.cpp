#include "exchange/MealMasterExporter.h"

#include "exchange/LineWriter.h"
#include "exchange/MealMasterIngredient.h"

#include <QHash>

namespace {

constexpr qsizetype kAmountWidth = 7;
constexpr qsizetype kUnitWidth = 2;
constexpr qsizetype kTextColumn = 11;  // column 12, counted from 0
// Ingredient lines stay within the first of the two columns a list may be written in.
constexpr qsizetype kLineWidth = 40;

const QString kBanner = QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05");
const QString kEndLine = QStringLiteral("MMMMM");
const QString kSeparator = QStringLiteral(" ");

const QHash<QString, QString> &unitNames()
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> n;
        auto add = [&n](const char *code, std::initializer_list<const char *> words) {
            for (const char *word : words)
                n.insert(QLatin1String(word), QLatin1String(code));
        };
        add("ts", {"teaspoon", "teaspoons", "tsp", "tsp."});
        add("tb", {"tablespoon", "tablespoons", "tbsp", "tbsp.", "tbs", "tbs."});
        add("c", {"cup", "cups"});
        add("pt", {"pint", "pints"});
        add("qt", {"quart", "quarts"});
        add("ga", {"gallon", "gallons"});
        add("fl", {"fl oz", "fl. oz.", "fluid oz", "fluid ounce", "fluid ounces"});
        add("oz", {"ounce", "ounces", "oz."});
        add("lb", {"pound", "pounds", "lbs", "lbs.", "lb."});
        add("pn", {"pinch", "pinches"});
        add("ds", {"dash", "dashes"});
        add("dr", {"drop", "drops"});
        add("cn", {"can", "cans"});
        add("pk", {"package", "packages", "pkg", "pkg.", "packet", "packets"});
        add("ct", {"carton", "cartons"});
        add("bn", {"bunch", "bunches"});
        add("sl", {"slice", "slices"});
        add("ea", {"each"});
        add("sm", {"small"});
        add("md", {"medium"});
        add("lg", {"large"});
        add("ml", {"milliliter", "milliliters", "millilitre", "millilitres"});
        add("cl", {"centiliter", "centiliters", "centilitre", "centilitres"});
        add("dl", {"deciliter", "deciliters", "decilitre", "decilitres"});
        add("l", {"liter", "liters", "litre", "litres"});
        add("mg", {"milligram", "milligrams"});
        add("g", {"gram", "grams", "gr"});
        add("kg", {"kilogram", "kilograms", "kilo", "kilos"});
        return n;
    }();
    return names;
}

// Where the importer splits an ingredient's text: its first ";", else its first ",", unless
// that character ends the text.
bool splitsApart(const QString &text)
{
    for (QChar separator : {QLatin1Char(';'), QLatin1Char(',')}) {
        const qsizetype at = text.indexOf(separator);
        if (at >= 0 && at != text.size() - 1)
            return true;
    }
    return false;
}

// Words a description can be cut into and put together again with single blanks.
bool wrapsCleanly(const QString &description)
{
    return !description.startsWith(QLatin1Char(' ')) && !description.endsWith(QLatin1Char(' '))
           && !description.contains(QLatin1String("  "));
}

// Words put on "-" lines, as many on each as the line holds.
QStringList continuationLines(const QStringList &words)
{
    QStringList lines;
    for (const QString &word : words) {
        if (!lines.isEmpty() && kTextColumn + 1 + lines.last().size() + 1 + word.size() <= kLineWidth)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines.append(word);
    }
    return lines;
}

} // namespace

QString MealMasterExporter::unitCode(const QString &measurement)
{
    if (measurement.size() <= kUnitWidth)
        return measurement;
    return unitNames().value(measurement.trimmed().toLower());
}

void MealMasterExporter::writeRecipe(LineWriter &out, const ExportedRecipe &recipe)
{
    out.writeLine(kBanner);
    out.writeLine(kSeparator);
    out.writeLine(QStringLiteral("      Title: ") + recipe.name);
    out.writeLine(QStringLiteral(" Categories: ") + recipe.category);
    out.writeLine(QStringLiteral("      Yield: ") + recipe.servings);
    out.writeLine(kSeparator);
    bool first = true;
    for (const ExportedLine &line : recipe.lines) {
        writeIngredient(out, line, first);
        first = false;
    }
    out.writeLine(kSeparator);
    // A direction line that reads as the end line is moved off it by a blank.
    auto direction = [](const QString &line) {
        return line == kEndLine || line == QLatin1String("-----") ? kSeparator + line : line;
    };
    for (const QString &line : recipe.instructions)
        out.writeLine(direction(line));
    if (!recipe.notes.isEmpty()) {
        out.writeLine(QString());
        out.writeLine(QStringLiteral("  NOTES:"));
        for (const QString &line : recipe.notes)
            out.writeLine(direction(line));
    }
    out.writeLine(kEndLine);
    out.writeLine(QString());
}

void MealMasterExporter::writeIngredient(LineWriter &out, const ExportedLine &line, bool first)
{
    QString amount = line.amount;
    QString unit = unitCode(line.measurement);
    // What the columns cannot hold goes in front of the ingredient's name.
    QString prefix;
    if (amount.size() > kAmountWidth) {
        prefix = amount + QLatin1Char(' ');
        amount.clear();
    }
    if (unit.isEmpty() && !line.measurement.isEmpty())
        prefix += line.measurement + QLatin1Char(' ');
    const QString name = prefix + line.ingredient;
    QString description = line.description;
    if (amount.isEmpty() && unit.isEmpty() && name.isEmpty() && description.isEmpty())
        return;
    // A line without quantity or unit whose text starts with "-" carries on the line above
    // it; an empty line before it starts a group of its own.
    if (!first && amount.isEmpty() && unit.isEmpty() && QStringView(name).trimmed().startsWith(u'-'))
        out.writeLine(QString());
    const QString columns = amount.rightJustified(kAmountWidth) + QLatin1Char(' ') + unit.leftJustified(kUnitWidth)
                            + QLatin1Char(' ');
    QString text = name;
    QStringList continued;
    // A name the importer would cut at its ";" (one that ends with it) keeps it only when the
    // description follows on "-" lines alone.
    const bool nameHoldsSemicolon = name.contains(QLatin1Char(';'));
    if (!description.isEmpty() && wrapsCleanly(description)) {
        QStringList words = description.split(QLatin1Char(' '));
        qsizetype kept = 0;  // words staying on the first line
        if (!nameHoldsSemicolon || splitsApart(name)) {
            qsizetype width = kTextColumn + name.size() + 1;
            do
                width += 1 + words[kept++].size();
            while (kept < words.size() && width + 1 + words[kept].size() <= kLineWidth);
        }
        description = QStringList(words.mid(0, kept)).join(QLatin1Char(' '));
        continued = continuationLines(words.mid(kept));
    }
    if (!description.isEmpty())
        text += QStringLiteral("; ") + description;
    else if (splitsApart(name))
        text += QStringLiteral("; ");  // the name stays whole, the description empty
    out.writeLine(columns + text);
    for (const QString &part : std::as_const(continued))
        out.writeLine(QString(kTextColumn, QLatin1Char(' ')) + QLatin1Char('-') + part);
}
