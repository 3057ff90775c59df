#pragma once

#include "exchange/TextEncoding.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the user lost in one import, item by item: where in the file, in which recipe, and what.
struct ImportLoss {
    enum class Kind { RecipeDropped, LineDropped, ValueCut, NulRemoved };
    Kind kind;
    int line;        // in the file, from 1
    QString recipe;  // the name of the recipe being read
    QString what;    // what was dropped or cut, and why
};

struct ImportSummary {
    int recipesRead = 0;      // recipes whose last line was reached
    int recipesStored = 0;
    int recordsDropped = 0;   // records the table engine refused for an integrity reason
    int recipesDropped = 0;   // recipes the table refused, with their lines
    int linesDropped = 0;     // ingredient lines of stored recipes that were refused
    int valuesCut = 0;        // values longer than their field, stored cut
    int nulLines = 0;         // lines that held NUL bytes, stored without them
    bool stopped = false;     // the user stopped the import after recipesRead recipes
    QList<ImportLoss> losses; // the first kMaxLosses of the items counted above
    std::optional<TextEncoding> encoding;  // what the text was read as, where the format lets it vary

    static constexpr int kMaxLosses = 10000;

    bool lostAnything() const { return recipesDropped + linesDropped + valuesCut + nulLines > 0; }
    // "3 recipes imported, 1 ingredient line dropped": the totals, with what was lost, after
    // "The import was stopped: " when the user stopped it, and "; text read as DOS (437)".
    QString totalsText() const;
    // One line for each item lost: "Line 12, recipe "Stew": ingredient line "Beef" dropped: ...".
    QStringList lossTexts() const;
};
