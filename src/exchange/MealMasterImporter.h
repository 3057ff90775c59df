#pragma once

#include "exchange/ImportSession.h"

#include <QString>

class LineReader;
class MealMasterIngredientGroup;
struct MealMasterIngredient;
class TdmMain1;

// Reads a Meal-Master file by its fixed lines and columns and adds each recipe in it as a
// new recipe: title, first category, servings, ingredient lines and directions. Categories,
// measurements, descriptions and ingredients the lists lack are added on the way.
class MealMasterImporter {
public:
    explicit MealMasterImporter(TdmMain1 &tables) : m_tables(tables) {}

    void setProgress(ImportSession::Progress progress) { m_progress = std::move(progress); }
    // How long completed recipes may wait before they are made durable (0: after each one).
    void setCommitInterval(int milliseconds) { m_commitIntervalMs = milliseconds; }
    // What the file's text is read as; Automatic tells it from the file (LineReader).
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }
    ImportSummary importFile(const QString &fileName);
    ImportSummary importFrom(LineReader &reader);

private:
    void readRecipe(ImportSession &session);
    void readTitleLines(ImportSession &session);
    bool readIngredients(ImportSession &session);
    bool ingredientsFollow(ImportSession &session);
    bool startsDirections(ImportSession &session, const QString &line);
    void storeIngredients(ImportSession &session, MealMasterIngredientGroup &group);
    void storeIngredient(ImportSession &session, const MealMasterIngredient &item);
    QStringList readDirections(ImportSession &session);

    TdmMain1 &m_tables;
    ImportSession::Progress m_progress;
    int m_commitIntervalMs = ImportTransactions::kDefaultCommitIntervalMs;
    TextEncoding m_encoding = TextEncoding::Automatic;

    // What a look ahead found: the line (from 1) that decided it, and its answer. Every line
    // before that line gets the same answer, so a recipe's lines are looked at once each.
    struct LookAhead {
        qint64 decidedAt = 0;
        bool answer = false;
    };
    LookAhead m_directionsAhead;
    LookAhead m_ingredientsAhead;
};
