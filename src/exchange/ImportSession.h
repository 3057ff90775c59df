#pragma once

#include "exchange/ImportPoster.h"
#include "exchange/ImportSummary.h"
#include "exchange/ImportTransactions.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class IngredientDirectory;
class LineReader;
class LookupListValues;
class QFile;
class TdmMain1;
class TField;

// Raised by a progress callback to stop the import after the recipe just read: what was
// stored stays stored, and the import ends normally with a summary that says it was stopped.
struct ImportStopped {};

// What both importers share while they read one file: the data module's tables, the line
// reader, the posting rule, the look-up maps and the transactions, and the rule that a
// failure names the line it happened at and drops the recipe being read.
class ImportSession {
public:
    // Called after each recipe; it may raise ImportStopped.
    using Progress = std::function<void(int recipesRead)>;

    ImportSession(TdmMain1 &tables, LineReader &reader, Progress progress,
                  int commitIntervalMs = ImportTransactions::kDefaultCommitIntervalMs);
    ~ImportSession();
    ImportSession(const ImportSession &) = delete;
    ImportSession &operator=(const ImportSession &) = delete;

    TdmMain1 &tables() { return m_tables; }
    LineReader &reader() { return m_reader; }
    ImportPoster &poster() { return m_poster; }
    IngredientDirectory &ingredients();
    LookupListValues &categories();
    LookupListValues &measurements();
    LookupListValues &descriptions();

    // Runs an importer's loop. What was completed stays stored; a failure drops the recipe
    // being read. A fault of the file or an error of the table engine is raised as an
    // ExchangeError naming its line; any other error passes through as it is.
    ImportSummary run(const std::function<void()> &readRecipes);

    // Opens the recipe's transaction and inserts its row into tblRecipe.
    void beginRecipe();
    // Posts the recipe row. When the table refuses it, the whole recipe is rolled back.
    void finishRecipe();

    // Sets a field of the recipe or the line being read; a value longer than a text field is
    // stored cut, and the summary says so.
    void setText(TField field, const QString &value);
    // An ingredient line begins: its ingredient's name, and its line in the file (0: the line
    // taken last).
    void beginIngredientLine(const QString &ingredient, int line = 0);
    // Posts the line under the posting rule; a refused line is counted as dropped.
    void postIngredientLine(const QString &ingredientKey);

    // The next line, which the recipe being read needs; when the file has ended, the import
    // ends with an error that says what was still expected.
    QString takeLine(const QString &expected);
    const QString &peekLine(const QString &expected);

    // Stores memo lines the way the old program did: every line followed by CR LF.
    static void setMemoLines(TField field, const QStringList &lines);
    // Opens the file for reading, or raises an ExchangeError.
    static void openForReading(QFile &file);

private:
    [[noreturn]] void failAtEnd(const QString &expected);
    void abandonRecipe();
    void removeRecipe();
    void keepNewValues();
    void forgetNewValues();
    int currentLine() const;
    void noteLoss(ImportLoss::Kind kind, int line, const QString &what);
    void keepLosses();
    QString recipeName();

    TdmMain1 &m_tables;
    LineReader &m_reader;
    Progress m_progress;
    ImportPoster m_poster;
    // Declared before the transactions: the views catch up once those have ended.
    TDeferredDetailReads m_deferredReads;
    ImportTransactions m_transactions;
    std::unique_ptr<IngredientDirectory> m_ingredients;
    std::unique_ptr<LookupListValues> m_categories;
    std::unique_ptr<LookupListValues> m_measurements;
    std::unique_ptr<LookupListValues> m_descriptions;
    int m_recipeStartLine = 0;
    bool m_inRecipe = false;
    ImportSummary m_summary;
    QList<ImportLoss> m_recipeLosses;  // of the recipe being read, kept with it
    QSet<QString> m_recipeIngredients; // the ingredient keys the recipe being read lists
    QString m_lineIngredient;
    int m_lineNumber = 0;
    int m_ingredientNameSize = -1;
};
