#include "FuzzEnvironment.h"

#include "data/Prompter.h"
#include "data/dmmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <cstdlib>
#include <stdexcept>

namespace {

// Nobody is there to answer: every question is answered No and nothing is shown.
class QuietPrompter final : public Prompter {
public:
    bool confirm(const QString &) override { return false; }
    void inform(const QString &) override {}
    void error(const QString &message) override { lastError = message; }

    QString lastError;
};

std::unique_ptr<FuzzEnvironment> &current()
{
    static std::unique_ptr<FuzzEnvironment> environment;
    return environment;
}

int g_argc = 1;
char g_programName[] = "platewright-fuzz";
char *g_argv[] = {g_programName, nullptr};

} // namespace

FuzzEnvironment &FuzzEnvironment::instance()
{
    if (!current()) {
        current().reset(new FuzzEnvironment);
        // Qt's own globals (the SQL connections among them) are made after the holder above,
        // so they would go before it at exit; release the data module first.
        static const bool releasedAtExit = std::atexit(release) == 0;
        Q_UNUSED(releasedAtExit);
    }
    return *current();
}

void FuzzEnvironment::release()
{
    current().reset();
}

// Named after the fuzzer, so that what a crashed run leaves behind is easy to tell apart.
FuzzEnvironment::FuzzEnvironment() : m_directory(QDir::tempPath() + QStringLiteral("/platewright-fuzz-XXXXXX"))
{
    // The SQLite driver is a plugin, and plugins are found through the application object.
    if (!QCoreApplication::instance())
        m_application = std::make_unique<QCoreApplication>(g_argc, g_argv);
    if (!m_directory.isValid())
        throw std::runtime_error("cannot create a scratch directory");
    auto prompter = std::make_unique<QuietPrompter>();
    QuietPrompter &quiet = *prompter;
    m_prompter = std::move(prompter);
    m_previousPrompter = Prompter::install(m_prompter.get());
    try {
        m_dataModule = std::make_unique<TdmMain1>(nullptr, m_directory.path());
    } catch (...) {
        Prompter::install(m_previousPrompter);
        throw;
    }
    if (!quiet.lastError.isEmpty() || !m_dataModule->tblRecipe.isActive()) {
        m_dataModule.reset();
        Prompter::install(m_previousPrompter);
        throw std::runtime_error("cannot open the data module: " + quiet.lastError.toStdString());
    }
    // Every input is rolled back; waiting for the disk on the way would only slow the fuzzer.
    QSqlQuery(m_dataModule->Database1.connection()).exec(QStringLiteral("PRAGMA synchronous = OFF"));

    m_dayView = std::make_unique<TTable>(m_dataModule->Database1);
    m_dayView->setTableName(QStringLiteral("DAY.DB"));
    m_dayView->setFiltered(true);
    m_dayView->open();
}

FuzzEnvironment::~FuzzEnvironment()
{
    m_dayView.reset();
    m_dataModule.reset();
    Prompter::install(m_previousPrompter);
}
