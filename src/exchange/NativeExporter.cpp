#include "exchange/NativeExporter.h"

#include "exchange/LineWriter.h"
#include "exchange/NativeFormat.h"

#include <QStringBuilder>

void NativeExporter::writeRecipe(LineWriter &out, const ExportedRecipe &recipe)
{
    m_escaped = needsEscape(recipe);
    out.writeLine(QString(NativeFormat::kMarker));
    writeHeader(out, recipe);
    out.writeLine(QString(m_escaped ? NativeFormat::kEscapedInstructions : NativeFormat::kInstructions));
    writeMemo(out, recipe.instructions);
    out.writeLine(QString());
    out.writeLine(QString(NativeFormat::kNotes));
    writeMemo(out, recipe.notes);
    out.writeLine(QString());
    out.writeLine(QString(NativeFormat::kIngredientsList));
    writeIngredientLines(out, recipe);
}

bool NativeExporter::needsEscape(const ExportedRecipe &r)
{
    using namespace NativeFormat;
    for (const QString *v : {&r.name, &r.meal, &r.category, &r.prepTime, &r.servings, &r.cookTime})
        if (valueNeedsEscape(*v))
            return true;
    for (const QString &line : r.instructions)
        if (memoLineNeedsEscape(line, kNotes))
            return true;
    for (const QString &line : r.notes)
        if (memoLineNeedsEscape(line, kIngredientsList))
            return true;
    for (const ExportedLine &l : r.lines)
        for (const QString *v : {&l.ingredient, &l.amount, &l.measurement, &l.description})
            if (valueNeedsEscape(*v))
                return true;
    return false;
}

QString NativeExporter::value(const QString &text) const
{
    return m_escaped ? NativeFormat::escapeValue(text) : text;
}

void NativeExporter::writeHeader(LineWriter &out, const ExportedRecipe &r)
{
    const QString *values[] = {&r.name, &r.meal, &r.category, &r.prepTime, &r.servings, &r.cookTime};
    QString header;
    for (size_t k = 0; k < std::size(values); ++k)
        header += QLatin1String(NativeFormat::kHeaderFields[k]) % QLatin1Char('=') % value(*values[k]) % QLatin1Char(';');
    out.writeLine(header);
}

void NativeExporter::writeMemo(LineWriter &out, const QStringList &lines)
{
    for (const QString &line : lines)
        out.writeLine(m_escaped ? NativeFormat::escapeMemoLine(line) : line);
}

void NativeExporter::writeIngredientLines(LineWriter &out, const ExportedRecipe &recipe)
{
    for (const ExportedLine &l : recipe.lines)
        out.writeLine(QString(QLatin1String("Ingredient=") % value(l.ingredient) % QLatin1String(";Order=") % l.order
                              % QLatin1String(";Amount=") % value(l.amount) % QLatin1String(";Measurement=")
                              % value(l.measurement) % QLatin1String(";Description=") % value(l.description)
                              % QLatin1Char(';')));
}
