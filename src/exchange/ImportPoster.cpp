#include "exchange/ImportPoster.h"

#include "data/EngineError.h"
#include "data/Table.h"

bool ImportPoster::post(TDataSet &table)
{
    // A row counts as stored as soon as the table has it, even when an event after the post
    // fails: the recipe being read must then be able to take it out again.
    auto *view = qobject_cast<TTable *>(&table);
    const bool inserting = view && table.state() == DataSetState::Insert;
    const quint64 before = view ? view->insertedCount() : 0;
    auto rememberRow = [&] {
        if (inserting && view->insertedCount() != before)
            m_stored.emplace_back(view, view->lastInsertedRowid());
    };
    try {
        table.post();
        rememberRow();
        return true;
    } catch (const EngineError &error) {
        rememberRow();
        table.cancel();
        if (!error.isIntegrityViolation())
            throw;
        ++m_dropped;
        m_lastRefusal = error.message();
        return false;
    } catch (...) {
        rememberRow();
        throw;
    }
}

void ImportPoster::removeStored()
{
    for (auto it = m_stored.rbegin(); it != m_stored.rend(); ++it)
        it->first->deleteStoredRow(it->second);
    m_stored.clear();
}
