#include "app/DataModuleOpener.h"

#include "app/CliError.h"
#include "data/dmmain.h"

#include <QFileInfo>

std::unique_ptr<TdmMain1> DataModuleOpener::open(const QString &directory)
{
    if (!directory.isEmpty() && !QFileInfo(directory).isDir())
        throw CliError::failure(QStringLiteral("The directory \"%1\" does not exist.").arg(directory));
    return std::make_unique<TdmMain1>(nullptr, directory);
}
