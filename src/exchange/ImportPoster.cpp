#include "exchange/ImportPoster.h"

#include "data/DataSet.h"
#include "data/EngineError.h"

bool ImportPoster::post(TDataSet &table)
{
    try {
        table.post();
        return true;
    } catch (const EngineError &error) {
        table.cancel();
        if (!error.isIntegrityViolation())
            throw;
        ++m_dropped;
        return false;
    }
}
