#include "exchange/MealMasterImporter.h"

#include "data/dmmain.h"
#include "exchange/IngredientDirectory.h"
#include "exchange/LineReader.h"
#include "exchange/LookupListValues.h"
#include "exchange/MealMasterIngredient.h"

#include <QFile>

namespace {

const QString kRecipeStart = QStringLiteral("-----");
const QString kSubHeading = QStringLiteral("----------");
const QString kBanner = QStringLiteral("Meal-Master");
const QString kEndOfIngredients = QStringLiteral(" ");

// Version 7 files end a recipe with "-----", version 8 files with "MMMMM".
bool isRecipeEnd(const QString &line)
{
    return line == QLatin1String("-----") || line == QLatin1String("MMMMM");
}

// Everything after the first ":" and the one character after it; a line without ":" loses
// only its first character.
QString afterLabel(const QString &line)
{
    return line.mid(line.indexOf(QLatin1Char(':')) + 2);
}

QString firstCategory(const QString &categories)
{
    const qsizetype comma = categories.indexOf(QLatin1Char(','));
    return comma < 0 ? categories : categories.left(comma);
}

} // namespace

ImportSummary MealMasterImporter::importFile(const QString &fileName)
{
    QFile file(fileName);
    ImportSession::openForReading(file);
    LineReader reader(file);
    return importFrom(reader);
}

ImportSummary MealMasterImporter::importFrom(LineReader &reader)
{
    ImportSession session(m_tables, reader, m_progress, m_commitIntervalMs);
    return session.run([&] {
        while (reader.hasLines(2) && reader.peek().contains(kRecipeStart))
            readRecipe(session);
    });
}

void MealMasterImporter::readRecipe(ImportSession &session)
{
    session.beginRecipe();
    readTitleLines(session);
    readIngredients(session);
    ImportSession::setMemoLines(m_tables.tblRecipe.fieldByName(QStringLiteral("Instructions")),
                                readDirections(session));
    session.finishRecipe();
    if (session.reader().hasLines(1))
        session.reader().take();  // the line after the end line
}

// The banner, the line after it, and the title, categories and servings lines, taken by
// position whatever their labels say.
void MealMasterImporter::readTitleLines(ImportSession &session)
{
    const QString title = QStringLiteral("the title line");
    while (session.peekLine(title).contains(kBanner))
        session.reader().take();
    session.takeLine(title);
    TTable &recipes = m_tables.tblRecipe;
    recipes.fieldByName(QStringLiteral("Name")).setAsString(afterLabel(session.takeLine(title)));
    const QString category = firstCategory(afterLabel(session.takeLine(QStringLiteral("the categories line"))));
    session.categories().ensure(category);
    recipes.fieldByName(QStringLiteral("Category")).setAsString(category);
    recipes.fieldByName(QStringLiteral("Servings")).setAsString(afterLabel(session.takeLine(QStringLiteral("the servings line"))));
    session.takeLine(QStringLiteral("the line after the servings line"));
}

void MealMasterImporter::readIngredients(ImportSession &session)
{
    const QString expected = QStringLiteral("the line of one blank that ends the ingredient list");
    LineReader &reader = session.reader();
    for (;;) {
        const QString line = session.peekLine(expected);
        reader.take();
        if (line == kEndOfIngredients)
            return;
        if (isRecipeEnd(line))
            session.failHere(QStringLiteral("The recipe ends before a line of one blank closes its ingredient list"));
        // A sub-heading, and a line without any blank (an empty one, say), hold no ingredient.
        if (!line.contains(kSubHeading) && line.contains(QLatin1Char(' ')))
            readIngredientLine(session, line);
    }
}

void MealMasterImporter::readIngredientLine(ImportSession &session, const QString &line)
{
    const MealMasterIngredient item = MealMasterIngredient::fromLine(line);
    session.measurements().ensure(item.measurement);
    session.descriptions().ensure(item.description);
    const QString key = session.ingredients().keyFor(item.name);
    TTable &lines = m_tables.tblRecipeIngredient;
    lines.insert();
    lines.fieldByName(QStringLiteral("Amount")).setAsString(item.amount);
    lines.fieldByName(QStringLiteral("Measurement")).setAsString(item.measurement);
    lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(key);
    lines.fieldByName(QStringLiteral("Description")).setAsString(item.description);
    session.poster().post(lines);
}

QStringList MealMasterImporter::readDirections(ImportSession &session)
{
    const QString expected = QStringLiteral("the line \"-----\" that ends the recipe");
    QStringList lines;
    for (;;) {
        QString line = session.takeLine(expected);
        if (isRecipeEnd(line))
            return lines;
        lines.append(std::move(line));
    }
}
