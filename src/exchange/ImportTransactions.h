#pragma once

#include "data/Database.h"

#include <QElapsedTimer>
#include <optional>

// The transactions of one import. Recipes are stored in a batch transaction that is committed
// between two recipes once it has been open for the commit interval: making every recipe
// durable on its own would wait for the disk each time (tens of milliseconds), and a crash
// loses at most the recipes of the last interval, never part of one. A recipe that fails
// part-way is taken out again inside the batch by the import session, which knows what it
// stored for it; a nested savepoint per recipe would copy every page the recipe touches.
class ImportTransactions {
public:
    static constexpr int kDefaultCommitIntervalMs = 1000;
    // The database is left free this long after each batch, the longest another copy waiting
    // for it sleeps between its attempts.
    static constexpr int kPauseAfterBatchMs = 100;

    explicit ImportTransactions(TDatabase &db, int commitIntervalMs = kDefaultCommitIntervalMs);
    ~ImportTransactions();  // rolls back whatever was not committed
    ImportTransactions(const ImportTransactions &) = delete;
    ImportTransactions &operator=(const ImportTransactions &) = delete;

    // Opens the batch when none is open.
    void openBatch();
    void beginRecipe();
    void commitRecipe();
    // The recipe was taken out again: the batch goes on.
    void rollbackRecipe() { m_recipeOpen = false; }
    bool hasOpenRecipe() const { return m_recipeOpen; }
    // Makes every committed recipe durable; the import ends.
    void finish();
    // Rolls back the open batch: what it held cannot be trusted.
    void abandon();

private:
    TDatabase &m_db;
    int m_commitIntervalMs;
    QElapsedTimer m_batchAge;
    std::optional<TTransaction> m_batch;
    bool m_recipeOpen = false;
};
