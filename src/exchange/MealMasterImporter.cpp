#include "exchange/MealMasterImporter.h"

#include "data/dmmain.h"
#include "exchange/IngredientDirectory.h"
#include "exchange/LineReader.h"
#include "exchange/LookupListValues.h"
#include "exchange/MealMasterIngredient.h"

#include <QFile>
#include <limits>

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

// The banner that opens a recipe, in either framing ("MMMMM-----" or "----------").
bool isRecipeStart(const QString &line)
{
    return line.contains(kRecipeStart) && line.contains(kBanner, Qt::CaseInsensitive);
}

// A line with nothing but blanks, other than the one blank that closes the ingredient list.
bool isEmptyLine(const QString &line)
{
    return line != kEndOfIngredients && QStringView(line).trimmed().isEmpty();
}

bool isTitleLine(const QString &line)
{
    return QStringView(line).trimmed().startsWith(QLatin1String("Title:"));
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
    m_directionsAhead = {};
    m_ingredientsAhead = {};
    reader.setEncoding(m_encoding);
    ImportSession session(m_tables, reader, m_progress, m_commitIntervalMs);
    ImportSummary summary = session.run([&] {
        while (reader.hasLines(2)) {
            if (isRecipeStart(reader.peek()))
                readRecipe(session);
            else
                reader.take();  // text before, between or after the recipes
        }
    });
    summary.encoding = reader.encoding();
    return summary;
}

void MealMasterImporter::readRecipe(ImportSession &session)
{
    session.beginRecipe();
    readTitleLines(session);
    if (readIngredients(session))
        ImportSession::setMemoLines(m_tables.tblRecipe.fieldByName(QStringLiteral("Instructions")),
                                    readDirections(session));
    session.finishRecipe();
}

// The banner, the line after it, and the title, categories and servings lines, taken by
// position whatever their labels say.
void MealMasterImporter::readTitleLines(ImportSession &session)
{
    const QString title = QStringLiteral("the title line");
    while (session.peekLine(title).contains(kBanner))
        session.reader().take();
    // The line between the banner and the title; some writers leave it out.
    if (!isTitleLine(session.peekLine(title)))
        session.takeLine(title);
    TTable &recipes = m_tables.tblRecipe;
    session.setText(recipes.fieldByName(QStringLiteral("Name")), afterLabel(session.takeLine(title)));
    const QString category = firstCategory(afterLabel(session.takeLine(QStringLiteral("the categories line"))));
    session.categories().ensure(category);
    session.setText(recipes.fieldByName(QStringLiteral("Category")), category);
    session.setText(recipes.fieldByName(QStringLiteral("Servings")),
                    afterLabel(session.takeLine(QStringLiteral("the servings line"))));
    // A recipe of a title alone ends right after its servings line.
    if (!isRecipeEnd(session.peekLine(QStringLiteral("the line after the servings line"))))
        session.reader().take();
}

// The list ends at its line of one blank, or at an empty line that no more ingredients
// follow. An empty line between groups, sub-headings and lines without any blank hold no
// ingredient. Returns false when the recipe's end line came first: a recipe without directions.
bool MealMasterImporter::readIngredients(ImportSession &session)
{
    const QString expected = QStringLiteral("the line of one blank that ends the ingredient list");
    LineReader &reader = session.reader();
    MealMasterIngredientGroup group;
    for (;;) {
        const QString line = session.peekLine(expected);
        if (startsDirections(session, line)) {
            storeIngredients(session, group);
            return true;
        }
        reader.take();
        if (isRecipeEnd(line) || line == kEndOfIngredients
            || (isEmptyLine(line) && !ingredientsFollow(session))) {
            storeIngredients(session, group);
            return !isRecipeEnd(line);
        }
        if (line.contains(kSubHeading) || isEmptyLine(line))
            storeIngredients(session, group);
        else if (line.contains(QLatin1Char(' ')))
            group.addLine(line, reader.lineNumber());
    }
}

// A list that nothing closes before the recipe's end line holds its directions too: they
// start at its first line that is not laid out as an ingredient.
bool MealMasterImporter::startsDirections(ImportSession &session, const QString &line)
{
    if (MealMasterIngredient::hasLayout(line) || line.contains(kSubHeading) || isRecipeEnd(line)
        || line.trimmed().isEmpty() || !line.contains(QLatin1Char(' ')))
        return false;
    LineReader &reader = session.reader();
    const qint64 current = reader.lineNumber() + 1;
    if (current < m_directionsAhead.decidedAt)
        return m_directionsAhead.answer;
    auto decide = [&](qint64 at, bool answer) {
        m_directionsAhead = {at, answer};
        return answer;
    };
    for (int ahead = 1; reader.hasLines(ahead + 1); ++ahead) {
        const QString &next = reader.peek(ahead);
        if (next == kEndOfIngredients || isEmptyLine(next))
            return decide(current + ahead, false);
        if (isRecipeEnd(next))
            return decide(current + ahead, true);
    }
    return decide(std::numeric_limits<qint64>::max(), false);
}

// Whether the lines after an empty line still belong to the ingredient list.
bool MealMasterImporter::ingredientsFollow(ImportSession &session)
{
    LineReader &reader = session.reader();
    const qint64 current = reader.lineNumber() + 1;
    if (current <= m_ingredientsAhead.decidedAt)
        return m_ingredientsAhead.answer;
    for (int ahead = 0; reader.hasLines(ahead + 1); ++ahead) {
        const QString &line = reader.peek(ahead);
        if (isEmptyLine(line))
            continue;
        m_ingredientsAhead = {current + ahead, line.contains(kSubHeading) || MealMasterIngredient::hasLayout(line)};
        return m_ingredientsAhead.answer;
    }
    m_ingredientsAhead = {std::numeric_limits<qint64>::max(), false};
    return false;
}

void MealMasterImporter::storeIngredients(ImportSession &session, MealMasterIngredientGroup &group)
{
    for (const MealMasterIngredient &item : group.take())
        storeIngredient(session, item);
}

void MealMasterImporter::storeIngredient(ImportSession &session, const MealMasterIngredient &item)
{
    session.measurements().ensure(item.measurement);
    session.descriptions().ensure(item.description);
    session.beginIngredientLine(item.name, item.line);
    const QString key = session.ingredients().keyFor(item.name);
    TTable &lines = m_tables.tblRecipeIngredient;
    lines.insert();
    session.setText(lines.fieldByName(QStringLiteral("Amount")), item.amount);
    session.setText(lines.fieldByName(QStringLiteral("Measurement")), item.measurement);
    lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(key);
    session.setText(lines.fieldByName(QStringLiteral("Description")), item.description);
    session.postIngredientLine(key);
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
