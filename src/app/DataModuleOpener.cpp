#include "app/DataModuleOpener.h"

#include "app/CliError.h"
#include "data/Database.h"
#include "data/dmmain.h"

#include <QFileInfo>

std::unique_ptr<TdmMain1> DataModuleOpener::open(const QString &directory)
{
    const QFileInfo given(directory);
    if (!directory.isEmpty() && given.exists() && !given.isDir())
        throw CliError::failure(QStringLiteral("\"%1\" is a file, not a directory: give --database the directory that "
                                               "holds the database file \"%2\".")
                                    .arg(directory, QString::fromLatin1(TDatabase::kDatabaseFileName)));
    if (!directory.isEmpty() && !given.isDir())
        throw CliError::failure(QStringLiteral("The directory \"%1\" does not exist.").arg(directory));
    return std::make_unique<TdmMain1>(nullptr, directory);
}
