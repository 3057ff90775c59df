#include "exchange/NativeImporter.h"

#include "data/dmmain.h"
#include "exchange/IngredientDirectory.h"
#include "exchange/LineReader.h"
#include "exchange/NativeFormat.h"
#include "exchange/ValueCursor.h"

#include <QFile>

ImportSummary NativeImporter::importFile(const QString &fileName)
{
    QFile file(fileName);
    ImportSession::openForReading(file);
    LineReader reader(file);
    return importFrom(reader);
}

ImportSummary NativeImporter::importFrom(LineReader &reader)
{
    ImportSession session(m_tables, reader, m_progress, m_commitIntervalMs);
    return session.run([&] {
        // A last line on its own cannot hold a recipe and is left unread.
        while (reader.hasLines(2))
            readBlock(session);
    });
}

void NativeImporter::readBlock(ImportSession &session)
{
    LineReader &reader = session.reader();
    session.beginRecipe();
    // A first line that is not the marker is skipped together with the line after it.
    if (reader.take() != NativeFormat::kMarker)
        reader.take();
    readHeader(session.takeLine(QStringLiteral("the header line")));
    session.takeLine(QStringLiteral("the \"%1\" line").arg(NativeFormat::kInstructions));
    TTable &recipes = m_tables.tblRecipe;
    // The empty line written before "Notes" is collected too, as the old program did.
    ImportSession::setMemoLines(recipes.fieldByName(QStringLiteral("Instructions")),
                                readSection(session, NativeFormat::kNotes));
    ImportSession::setMemoLines(recipes.fieldByName(QStringLiteral("Notes")),
                                readSection(session, NativeFormat::kIngredientsList));
    while (reader.hasLines(1) && reader.peek() != NativeFormat::kMarker)
        readIngredientLine(session, reader.take());
    session.finishRecipe();
}

void NativeImporter::readHeader(const QString &line)
{
    ValueCursor values(line);
    for (const char *field : NativeFormat::kHeaderFields)
        m_tables.tblRecipe.fieldByName(QLatin1String(field)).setAsString(values.next());
}

QStringList NativeImporter::readSection(ImportSession &session, QLatin1String endLine)
{
    const QString expected = QStringLiteral("the \"%1\" line").arg(endLine);
    QStringList lines;
    for (;;) {
        QString line = session.takeLine(expected);
        if (line == endLine)
            return lines;
        lines.append(std::move(line));
    }
}

void NativeImporter::readIngredientLine(ImportSession &session, const QString &line)
{
    ValueCursor values(line);
    const QString key = session.ingredients().keyFor(values.next());
    TTable &lines = m_tables.tblRecipeIngredient;
    lines.insert();
    lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(key);
    // A text that is not a whole number in "Order=" ends the import with the engine's error.
    for (const char *field : NativeFormat::kLineFields)
        lines.fieldByName(QLatin1String(field)).setAsString(values.next());
    session.poster().post(lines);
}
