#include "exchange_ui/BackgroundImport.h"

#include "data/dmmain.h"
#include "ui/BackgroundWork.h"
#include "ui/WaitBoxScope.h"
#include "ui/Waitbox.h"

#include <atomic>

ImportSummary BackgroundImport::run(const Work &work)
{
    const QString directory = m_dataModule.Database1.directory();
    std::atomic<int> recipesRead = 0;
    const ImportSession::Progress progress = [&](int count) {
        recipesRead = count;
        if (m_wait.stopRequested())
            throw ImportStopped();
    };
    ImportSummary summary;
    m_wait.setStoppable(true);
    try {
        runInBackground(
            [&] {
                TdmMain1 tables(nullptr, directory, TdmMain1::Use::Worker);
                summary = work(tables, progress);
            },
            [&] { m_wait.showRecipesRead(recipesRead); }, TWaitForm::kProgressIntervalMs, m_wait.box());
    } catch (...) {
        // Recipes stored before the failure stay stored.
        m_dataModule.Database1.resyncViews();
        throw;
    }
    m_dataModule.Database1.resyncViews();
    return summary;
}
