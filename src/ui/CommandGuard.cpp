#include "ui/CommandGuard.h"

#include "data/EngineError.h"
#include "data/Prompter.h"

#include <QDebug>
#include <exception>

namespace {

void showError(const QString &message) noexcept
{
    try {
        Prompter::instance().error(message);
    } catch (...) {
        // The error box itself failed; stderr is all that is left.
        qCritical().noquote() << "Error:" << message;
    }
}

} // namespace

void reportCurrentException() noexcept
{
    try {
        throw;
    } catch (const SilentAbort &) {
    } catch (const EngineError &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError(QStringLiteral("An unknown error occurred."));
    }
}
