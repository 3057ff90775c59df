#include "exchange/ImportTransactions.h"

#include <QThread>

ImportTransactions::ImportTransactions(TDatabase &db, int commitIntervalMs)
    : m_db(db), m_commitIntervalMs(commitIntervalMs)
{
}

ImportTransactions::~ImportTransactions()
{
    m_batch.reset();
}

void ImportTransactions::openBatch()
{
    if (!m_batch) {
        m_batch.emplace(m_db);
        m_batchAge.start();
    }
}

void ImportTransactions::beginRecipe()
{
    openBatch();
    m_recipeOpen = true;
}

void ImportTransactions::commitRecipe()
{
    m_recipeOpen = false;
    if (m_batchAge.elapsed() >= m_commitIntervalMs) {
        m_batch->commit();
        m_batch.reset();
        // A copy waiting for the database tries again only every so often; without a pause the
        // next batch would take the lock back at once, and that copy would wait until the end.
        if (m_commitIntervalMs > 0)
            QThread::msleep(kPauseAfterBatchMs);
    }
}

void ImportTransactions::abandon()
{
    m_recipeOpen = false;
    m_batch.reset();
}

void ImportTransactions::finish()
{
    m_recipeOpen = false;
    if (m_batch) {
        m_batch->commit();
        m_batch.reset();
    }
}
