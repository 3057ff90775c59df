#include "exchange_ui/BackgroundImport.h"

#include "data/dmmain.h"
#include "ui/WaitBoxScope.h"
#include "ui/BackgroundWork.h"
#include "ui/Waitbox.h"

#include <atomic>

namespace {

// Lets the program's views read the tables again, also when the import failed part-way.
class ViewsReread {
public:
    explicit ViewsReread(TdmMain1 &dataModule) : m_dataModule(dataModule) {}
    ~ViewsReread() { m_dataModule.Database1.resyncViews(); }
    ViewsReread(const ViewsReread &) = delete;
    ViewsReread &operator=(const ViewsReread &) = delete;

private:
    TdmMain1 &m_dataModule;
};

} // namespace

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
    const ViewsReread reread(m_dataModule);
    m_wait.setStoppable(true);
    runInBackground(
        [&] {
            TdmMain1 tables(nullptr, directory, TdmMain1::Use::Worker);
            summary = work(tables, progress);
        },
        [&] { m_wait.showRecipesRead(recipesRead); }, TWaitForm::kProgressIntervalMs, m_wait.box());
    return summary;
}
