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
    const QString header = session.takeLine(QStringLiteral("the header line"));
    // The line after the header is taken to be "Instructions" whatever it holds; only the
    // escaped layout says so there.
    m_escaped = reader.hasLines(1) && reader.peek() == NativeFormat::kEscapedInstructions;
    readHeader(session, header);
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

QString NativeImporter::value(ValueCursor &values) const
{
    return m_escaped ? NativeFormat::unescape(values.next()) : values.next();
}

void NativeImporter::readHeader(ImportSession &session, const QString &line)
{
    ValueCursor values(line);
    for (const char *field : NativeFormat::kHeaderFields)
        session.setText(m_tables.tblRecipe.fieldByName(QLatin1String(field)), value(values));
}

QStringList NativeImporter::readSection(ImportSession &session, QLatin1String endLine)
{
    const QString expected = QStringLiteral("the \"%1\" line").arg(endLine);
    QStringList lines;
    for (;;) {
        QString line = session.takeLine(expected);
        if (line == endLine)
            return lines;
        lines.append(m_escaped ? NativeFormat::unescape(line) : std::move(line));
    }
}

void NativeImporter::readIngredientLine(ImportSession &session, const QString &line)
{
    ValueCursor values(line);
    const QString name = value(values);
    session.beginIngredientLine(name);
    const QString key = session.ingredients().keyFor(name);
    TTable &lines = m_tables.tblRecipeIngredient;
    lines.insert();
    lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(key);
    // A text that is not a whole number in "Order=" ends the import with the engine's error.
    for (const char *field : NativeFormat::kLineFields)
        session.setText(lines.fieldByName(QLatin1String(field)), value(values));
    session.postIngredientLine(key);
}
