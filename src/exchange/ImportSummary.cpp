#include "exchange/ImportSummary.h"

namespace {

QString counted(int count, const char *singular, const char *plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? singular : plural));
}

} // namespace

QString ImportSummary::totalsText() const
{
    QStringList parts{counted(recipesStored, "recipe imported", "recipes imported")};
    if (recipesDropped > 0)
        parts << counted(recipesDropped, "recipe dropped", "recipes dropped");
    if (linesDropped > 0)
        parts << counted(linesDropped, "ingredient line dropped", "ingredient lines dropped");
    if (valuesCut > 0)
        parts << counted(valuesCut, "value cut to the length of its field", "values cut to the length of their fields");
    if (nulLines > 0)
        parts << counted(nulLines, "line held NUL bytes, kept without them", "lines held NUL bytes, kept without them");
    QString totals = parts.join(QStringLiteral(", "));
    if (encoding)
        totals += QStringLiteral("; text read as ") + TextEncodings::description(*encoding);
    return stopped ? QStringLiteral("The import was stopped: ") + totals : totals;
}

QStringList ImportSummary::lossTexts() const
{
    QStringList texts;
    texts.reserve(losses.size() + 1);
    for (const ImportLoss &loss : losses)
        texts << QStringLiteral("Line %1, recipe \"%2\": %3").arg(loss.line).arg(loss.recipe, loss.what);
    const int counted = recipesDropped + linesDropped + valuesCut + nulLines;
    if (counted > losses.size())
        texts << QStringLiteral("... and %1 more").arg(counted - losses.size());
    return texts;
}
