#include "app/CliProgram.h"

#include "app/CliCommands.h"
#include "app/CliError.h"
#include "app/CommandLine.h"
#include "app/DataModuleOpener.h"
#include "data/EngineError.h"
#include "data/dmmain.h"
#include "exchange/ExchangeError.h"
#include "reports/ReportRequestError.h"

#include <QTextStream>
#include <cstdlib>

namespace {

constexpr int kUsageExit = 2;

int fail(QTextStream &err, const QString &message)
{
    err << "platewright-cli: " << message << Qt::endl;
    return EXIT_FAILURE;
}

} // namespace

int CliProgram::run(const QStringList &arguments, QTextStream &out, QTextStream &err, bool interactive)
{
    try {
        return runCommand(arguments, out, interactive);
    } catch (const CliError &e) {
        fail(err, e.message());
        if (!e.isUsage())
            return EXIT_FAILURE;
        err << CommandLine::usage() << Qt::flush;
        return kUsageExit;
    } catch (const ExchangeError &e) {
        return fail(err, e.message());
    } catch (const EngineError &e) {
        return fail(err, e.message());
    } catch (const ReportRequestError &e) {
        return fail(err, e.message());
    } catch (const SilentAbort &) {
        return fail(err, QStringLiteral("cancelled"));
    } catch (const std::exception &e) {
        return fail(err, QString::fromUtf8(e.what()));
    }
}

int CliProgram::runCommand(const QStringList &arguments, QTextStream &out, bool interactive)
{
    if (arguments.size() == 1 && (arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h"))) {
        out << CommandLine::usage() << Qt::flush;
        return EXIT_SUCCESS;
    }
    const CommandLine line = CommandLine::parse(arguments);
    const std::unique_ptr<TdmMain1> dataModule = DataModuleOpener::open(line.database);
    CliCommands commands(*dataModule, out);
    commands.setShowProgress(interactive);
    commands.run(line);
    out.flush();
    return EXIT_SUCCESS;
}
