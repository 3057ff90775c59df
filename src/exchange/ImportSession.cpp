#include "exchange/ImportSession.h"

#include "data/EngineError.h"
#include "data/RegularFile.h"
#include "data/dmmain.h"
#include "exchange/ExchangeError.h"
#include "exchange/IngredientDirectory.h"
#include "exchange/LineReader.h"
#include "exchange/LookupListValues.h"

#include <QFile>

ImportSession::ImportSession(TdmMain1 &tables, LineReader &reader, Progress progress, int commitIntervalMs)
    : m_tables(tables),
      m_reader(reader),
      m_progress(std::move(progress)),
      m_deferredReads(tables.Database1),
      m_transactions(tables.Database1, commitIntervalMs)
{
    m_reader.setCleanedLineHandler([this](int line) {
        if (m_inRecipe)
            noteLoss(ImportLoss::Kind::NulRemoved, line, QStringLiteral("NUL bytes removed, the rest of the line kept"));
    });
}

ImportSession::~ImportSession()
{
    m_reader.setCleanedLineHandler({});
}

IngredientDirectory &ImportSession::ingredients()
{
    if (!m_ingredients)
        m_ingredients = std::make_unique<IngredientDirectory>(m_tables.tblIngredientLookup, m_poster);
    return *m_ingredients;
}

LookupListValues &ImportSession::categories()
{
    if (!m_categories)
        m_categories = std::make_unique<LookupListValues>(m_tables.tblCategory, m_poster);
    return *m_categories;
}

LookupListValues &ImportSession::measurements()
{
    if (!m_measurements)
        m_measurements = std::make_unique<LookupListValues>(m_tables.tblMeasurement, m_poster);
    return *m_measurements;
}

LookupListValues &ImportSession::descriptions()
{
    if (!m_descriptions)
        m_descriptions = std::make_unique<LookupListValues>(m_tables.tblDescription, m_poster);
    return *m_descriptions;
}

ImportSummary ImportSession::run(const std::function<void()> &readRecipes)
{
    try {
        try {
            readRecipes();
        } catch (const ImportStopped &) {
            m_summary.stopped = true;
        }
        m_transactions.finish();
    } catch (const EngineError &error) {
        const int line = currentLine();
        abandonRecipe();
        throw ExchangeError(error.message(), line);
    } catch (...) {
        abandonRecipe();
        throw;
    }
    m_summary.recordsDropped = m_poster.droppedCount();
    return m_summary;
}

void ImportSession::beginRecipe()
{
    m_recipeStartLine = m_reader.lineNumber() + 1;
    m_inRecipe = true;
    m_recipeLosses.clear();
    m_recipeIngredients.clear();
    // The key drawn for a recipe stays drawn even when the recipe is taken out again, so a
    // refused recipe never hands its key to the next one.
    m_transactions.openBatch();
    m_tables.tblRecipe.insert();
    m_transactions.beginRecipe();
}

void ImportSession::finishRecipe()
{
    const QString name = recipeName();
    if (m_poster.post(m_tables.tblRecipe)) {
        m_transactions.commitRecipe();
        m_poster.keepStored();
        keepNewValues();
        ++m_summary.recipesStored;
    } else {
        removeRecipe();
        // What was lost within the recipe goes with it.
        m_recipeLosses = {{ImportLoss::Kind::RecipeDropped, m_recipeStartLine, name,
                           QStringLiteral("recipe dropped: %1").arg(m_poster.lastRefusal())}};
    }
    keepLosses();
    m_inRecipe = false;
    ++m_summary.recipesRead;
    if (m_progress)
        m_progress(m_summary.recipesRead);
}

// Pending records are cancelled details first, so that no cancel posts a detail on the way;
// then what was stored for the recipe is taken out. Should that fail too, the whole batch
// is rolled back rather than committed with part of a recipe in it.
void ImportSession::abandonRecipe()
{
    m_inRecipe = false;
    try {
        for (TTable *table : {&m_tables.tblRecipeIngredient, &m_tables.tblIngredientLookup, &m_tables.tblCategory,
                              &m_tables.tblMeasurement, &m_tables.tblDescription, &m_tables.tblRecipe})
            if (table->isEditing())
                table->cancel();
        if (m_transactions.hasOpenRecipe())
            removeRecipe();
        m_transactions.finish();
    } catch (const std::exception &) {
        // The failure being raised is the one to show; this one follows from it.
        forgetNewValues();
        m_transactions.abandon();
    }
}

// Takes out what was stored for the recipe being read (its lines, its row, the ingredients
// and list values made for it) inside the batch, and lets every view read the tables again.
void ImportSession::removeRecipe()
{
    m_poster.removeStored();
    forgetNewValues();
    m_transactions.rollbackRecipe();
    m_tables.Database1.resyncViews();
}

void ImportSession::keepNewValues()
{
    for (auto *list : {m_categories.get(), m_measurements.get(), m_descriptions.get()})
        if (list)
            list->keepNew();
    if (m_ingredients)
        m_ingredients->keepNew();
}

void ImportSession::forgetNewValues()
{
    for (auto *list : {m_categories.get(), m_measurements.get(), m_descriptions.get()})
        if (list)
            list->forgetNew();
    if (m_ingredients)
        m_ingredients->forgetNew();
}

int ImportSession::currentLine() const
{
    return std::max(1, m_reader.lineNumber());
}

QString ImportSession::takeLine(const QString &expected)
{
    if (!m_reader.hasLines(1))
        failAtEnd(expected);
    return m_reader.take();
}

const QString &ImportSession::peekLine(const QString &expected)
{
    if (!m_reader.hasLines(1))
        failAtEnd(expected);
    return m_reader.peek();
}

void ImportSession::failAtEnd(const QString &expected)
{
    throw ExchangeError(QStringLiteral("The file ends here, before %1 of the recipe that starts on line %2.")
                            .arg(expected)
                            .arg(m_recipeStartLine),
                        currentLine());
}

void ImportSession::setMemoLines(TField field, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    field.setAsString(text);
}

void ImportSession::openForReading(QFile &file)
{
    if (const QString problem = RegularFile::problem(file.fileName()); !problem.isEmpty())
        throw ExchangeError(problem);
    if (!file.open(QIODevice::ReadOnly))
        throw ExchangeError(QStringLiteral("Cannot open \"%1\": %2").arg(file.fileName(), file.errorString()));
}

QString ImportSession::recipeName()
{
    TTable &recipes = m_tables.tblRecipe;
    return recipes.isEditing() ? recipes.fieldByName(QStringLiteral("Name")).asString() : QString();
}

void ImportSession::noteLoss(ImportLoss::Kind kind, int line, const QString &what)
{
    m_recipeLosses.append({kind, line, recipeName(), what});
}

void ImportSession::keepLosses()
{
    for (ImportLoss &loss : m_recipeLosses) {
        switch (loss.kind) {
        case ImportLoss::Kind::RecipeDropped: ++m_summary.recipesDropped; break;
        case ImportLoss::Kind::LineDropped: ++m_summary.linesDropped; break;
        case ImportLoss::Kind::ValueCut: ++m_summary.valuesCut; break;
        case ImportLoss::Kind::NulRemoved: ++m_summary.nulLines; break;
        }
        if (m_summary.losses.size() < ImportSummary::kMaxLosses)
            m_summary.losses.append(std::move(loss));
    }
    m_recipeLosses.clear();
}

void ImportSession::setText(TField field, const QString &value)
{
    const int size = field.size();
    if (field.dataType() != FieldType::Text || size <= 0 || value.size() <= size) {
        field.setAsString(value);
        return;
    }
    noteLoss(ImportLoss::Kind::ValueCut, m_lineNumber > 0 ? m_lineNumber : currentLine(),
             QStringLiteral("%1 cut to %2 characters: \"%3\"").arg(field.fieldName()).arg(size).arg(value));
    // The blanks a cut leaves at the end of the value belong to no word of it.
    qsizetype end = size;
    while (end > 0 && value.at(end - 1) == QLatin1Char(' '))
        --end;
    field.setAsString(value.left(end));
}

void ImportSession::beginIngredientLine(const QString &ingredient, int line)
{
    m_lineIngredient = ingredient;
    m_lineNumber = line > 0 ? line : currentLine();
    if (m_ingredientNameSize < 0)
        m_ingredientNameSize = m_tables.tblIngredientLookup.fieldByName(QStringLiteral("Ingredient")).size();
    if (m_ingredientNameSize > 0 && ingredient.size() > m_ingredientNameSize)
        noteLoss(ImportLoss::Kind::ValueCut, m_lineNumber,
                 QStringLiteral("Ingredient cut to %1 characters: \"%2\"").arg(m_ingredientNameSize).arg(ingredient));
}

void ImportSession::postIngredientLine(const QString &ingredientKey)
{
    const bool listedBefore = !ingredientKey.isEmpty() && m_recipeIngredients.contains(ingredientKey);
    if (m_poster.post(m_tables.tblRecipeIngredient))
        m_recipeIngredients.insert(ingredientKey);
    else if (listedBefore)
        noteLoss(ImportLoss::Kind::LineDropped, m_lineNumber,
                 QStringLiteral("ingredient line \"%1\" dropped: the recipe lists this ingredient already")
                     .arg(m_lineIngredient));
    else
        noteLoss(ImportLoss::Kind::LineDropped, m_lineNumber,
                 QStringLiteral("ingredient line \"%1\" dropped: %2").arg(m_lineIngredient, m_poster.lastRefusal()));
    m_lineNumber = 0;
    m_lineIngredient.clear();
}
