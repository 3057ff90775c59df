#include "data/Prompter.h"

#include <QDebug>

namespace {

// Used until the application installs its own: answers No and writes the text to the log.
class StderrPrompter final : public Prompter {
public:
    bool confirm(const QString &question) override
    {
        qWarning().noquote() << "Confirm (answered No):" << question;
        return false;
    }
    void inform(const QString &message) override { qInfo().noquote() << message; }
    void error(const QString &message) override { qWarning().noquote() << "Error:" << message; }
};

StderrPrompter g_fallback;
Prompter *g_current = &g_fallback;

} // namespace

Prompter &Prompter::instance()
{
    return *g_current;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = g_current;
    g_current = prompter ? prompter : &g_fallback;
    return previous;
}
