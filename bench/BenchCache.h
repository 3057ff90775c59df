#pragma once

#include "data/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <functional>

// A generated collection kept under the build directory between runs: the directory is
// returned at once when it holds a database, and otherwise filled by `generate` first, in a
// directory of its own that takes the name only when it is complete.
inline QString cachedCollection(const QString &directory, const QString &description,
                                const std::function<void(const QString &partialDirectory)> &generate)
{
    if (QFileInfo::exists(directory + QLatin1Char('/') + QLatin1String(TDatabase::kDatabaseFileName)))
        return directory;
    const QString partial = directory + QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    QDir().mkpath(partial);
    std::printf("Generating %s in %s ...\n", qPrintable(description), qPrintable(directory));
    std::fflush(stdout);
    generate(partial);
    QDir().rename(partial, directory);
    return directory;
}
