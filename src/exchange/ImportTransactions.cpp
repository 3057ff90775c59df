#include "exchange/ImportTransactions.h"

ImportTransactions::ImportTransactions(TDatabase &db, int commitIntervalMs)
    : m_db(db), m_commitIntervalMs(commitIntervalMs)
{
}

ImportTransactions::~ImportTransactions()
{
    m_recipe.reset();
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
    m_recipe.emplace(m_db);
}

void ImportTransactions::commitRecipe()
{
    m_recipe->commit();
    m_recipe.reset();
    if (m_batchAge.elapsed() >= m_commitIntervalMs) {
        m_batch->commit();
        m_batch.reset();
    }
}

void ImportTransactions::rollbackRecipe()
{
    m_recipe.reset();
}

void ImportTransactions::finish()
{
    m_recipe.reset();
    if (m_batch) {
        m_batch->commit();
        m_batch.reset();
    }
}
