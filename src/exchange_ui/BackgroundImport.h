#pragma once

#include "exchange/ImportSession.h"

#include <functional>

class TdmMain1;
class WaitBoxScope;

// Runs one import on a thread of its own, on a data module of its own over the program's
// database, while the wait box counts the recipes read and offers Stop, which ends the import
// after the recipe being read. The program's views do not follow each new record: they
// re-read their rows once when the import has ended, however it ended.
class BackgroundImport {
public:
    // The import itself: an importer on the tables given, reporting to the progress given.
    using Work = std::function<ImportSummary(TdmMain1 &tables, const ImportSession::Progress &progress)>;

    BackgroundImport(TdmMain1 &dataModule, WaitBoxScope &wait) : m_dataModule(dataModule), m_wait(wait) {}
    ImportSummary run(const Work &work);

private:
    TdmMain1 &m_dataModule;
    WaitBoxScope &m_wait;
};
