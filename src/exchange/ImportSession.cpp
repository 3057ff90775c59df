#include "exchange/ImportSession.h"

#include "data/EngineError.h"
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
}

ImportSession::~ImportSession() = default;

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
    // The key drawn for a recipe stays drawn even when the recipe is taken out again, so a
    // refused recipe never hands its key to the next one.
    m_transactions.openBatch();
    m_tables.tblRecipe.insert();
    m_transactions.beginRecipe();
}

void ImportSession::finishRecipe()
{
    if (m_poster.post(m_tables.tblRecipe)) {
        m_transactions.commitRecipe();
        m_poster.keepStored();
        keepNewValues();
        ++m_summary.recipesStored;
    } else {
        removeRecipe();
    }
    ++m_summary.recipesRead;
    if (m_progress)
        m_progress(m_summary.recipesRead);
}

// Pending records are cancelled details first, so that no cancel posts a detail on the way;
// then what was stored for the recipe is taken out. Should that fail too, the whole batch
// is rolled back rather than committed with part of a recipe in it.
void ImportSession::abandonRecipe()
{
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

void ImportSession::failHere(const QString &message)
{
    throw ExchangeError(QStringLiteral("%1 (in the recipe that starts on line %2).").arg(message).arg(m_recipeStartLine),
                        currentLine());
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
    if (!file.open(QIODevice::ReadOnly))
        throw ExchangeError(QStringLiteral("Cannot open \"%1\": %2").arg(file.fileName(), file.errorString()));
}
