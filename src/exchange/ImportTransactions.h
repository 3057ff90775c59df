#pragma once

#include "data/Database.h"

#include <QElapsedTimer>
#include <optional>

// The transactions of one import. Each recipe, with its lines and the ingredients and list
// values made for it, is one transaction, so no failure and no crash can leave half a
// recipe behind. The recipe transactions are nested in a batch transaction that is committed
// once it has been open for the commit interval: making every recipe durable on its own
// would wait for the disk each time (tens of milliseconds), and a crash loses at most the
// recipes of the last interval, never part of one.
class ImportTransactions {
public:
    static constexpr int kDefaultCommitIntervalMs = 1000;

    explicit ImportTransactions(TDatabase &db, int commitIntervalMs = kDefaultCommitIntervalMs);
    ~ImportTransactions();  // rolls back whatever was not committed
    ImportTransactions(const ImportTransactions &) = delete;
    ImportTransactions &operator=(const ImportTransactions &) = delete;

    // Opens the batch when none is open; work done now outlives a rolled-back recipe.
    void openBatch();
    void beginRecipe();
    void commitRecipe();
    void rollbackRecipe();
    bool hasOpenRecipe() const { return m_recipe.has_value(); }
    // Makes every committed recipe durable; the import ends.
    void finish();

private:
    TDatabase &m_db;
    int m_commitIntervalMs;
    QElapsedTimer m_batchAge;
    std::optional<TTransaction> m_batch;
    std::optional<TTransaction> m_recipe;
};
