#include "exchange/NativeExporter.h"

#include "data/DataSetHelpers.h"
#include "data/dmmain.h"
#include "exchange/LineWriter.h"
#include "exchange/NativeFormat.h"

#include <QStringBuilder>

int NativeExporter::exportRecipes(const QString &fileName, const QStringList &names)
{
    prepare();
    // The walk over the recipes reads only the ingredient lines it writes.
    TDeferredDetailReads deferred(m_tables.Database1);
    LineWriter out(fileName);
    int written = 0;
    for (const QString &name : names) {
        if (!locateRecipe(name))
            continue;
        writeBlock(out);
        ++written;
        if (m_progress)
            m_progress(written);
    }
    out.close();
    m_ingredientNames.clear();
    return written;
}

void NativeExporter::prepare()
{
    TTable &recipes = m_tables.tblRecipe;
    const QStringList order = recipes.indexFields();
    const auto index = recipes.tableDef().indexStartingWith(order);
    // The recipe view is normally ordered by name ignoring case: then a key search finds the
    // first recipe of a name without reading the table.
    m_findsNameByKey = !order.isEmpty() && order.first().compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0
                       && index && index->caseInsensitive;
    readIngredientNames();
    TTable &lines = m_tables.tblRecipeIngredient;
    m_lineFields = {lines.fieldIndex(QStringLiteral("Ingredient_ID")), lines.fieldIndex(QStringLiteral("Order")),
                    lines.fieldIndex(QStringLiteral("Amount")), lines.fieldIndex(QStringLiteral("Measurement")),
                    lines.fieldIndex(QStringLiteral("Description"))};
}

bool NativeExporter::locateRecipe(const QString &name)
{
    TTable &recipes = m_tables.tblRecipe;
    if (m_findsNameByKey)
        return recipes.findKey({name});
    return recipes.locate(QStringLiteral("Name"), name, true);
}

void NativeExporter::readIngredientNames()
{
    TTable &ingredients = m_tables.tblIngredientLookup;
    const int key = ingredients.fieldIndex(QStringLiteral("Ingredient_ID"));
    const int name = ingredients.fieldIndex(QStringLiteral("Ingredient"));
    const int rows = ingredients.recordCount();
    m_ingredientNames.clear();
    m_ingredientNames.reserve(rows);
    for (int row = 0; row < rows; ++row)
        m_ingredientNames.insert(ingredients.valueAt(row, key).toString(), ingredients.valueAt(row, name).toString());
}

void NativeExporter::writeBlock(LineWriter &out)
{
    out.writeLine(QString(NativeFormat::kMarker));
    writeHeader(out);
    out.writeLine(QString(NativeFormat::kInstructions));
    writeMemo(out, QStringLiteral("Instructions"));
    out.writeLine(QString());
    out.writeLine(QString(NativeFormat::kNotes));
    writeMemo(out, QStringLiteral("Notes"));
    out.writeLine(QString());
    out.writeLine(QString(NativeFormat::kIngredientsList));
    writeIngredientLines(out);
}

void NativeExporter::writeHeader(LineWriter &out)
{
    TTable &recipes = m_tables.tblRecipe;
    QString header;
    for (const char *field : NativeFormat::kHeaderFields) {
        const QLatin1String name(field);
        header += name % QLatin1Char('=') % recipes.fieldByName(name).asString() % QLatin1Char(';');
    }
    out.writeLine(header);
}

void NativeExporter::writeMemo(LineWriter &out, const QString &fieldName)
{
    const QStringList lines = m_tables.tblRecipe.fieldByName(fieldName).asLines();
    for (const QString &line : lines)
        out.writeLine(line);
}

void NativeExporter::writeIngredientLines(LineWriter &out)
{
    TTable &lines = m_tables.tblRecipeIngredient;
    const LineFields &f = m_lineFields;
    const int count = lines.recordCount();
    for (int row = 0; row < count; ++row) {
        const QVariant order = lines.valueAt(row, f.order);
        out.writeLine(QString(QLatin1String("Ingredient=") % m_ingredientNames.value(lines.valueAt(row, f.ingredientId).toString())
                      % QLatin1String(";Order=") % FieldText::toText(FieldType::Integer, order)
                      % QLatin1String(";Amount=") % lines.valueAt(row, f.amount).toString()
                      % QLatin1String(";Measurement=") % lines.valueAt(row, f.measurement).toString()
                      % QLatin1String(";Description=") % lines.valueAt(row, f.description).toString()
                      % QLatin1Char(';')));
    }
}
