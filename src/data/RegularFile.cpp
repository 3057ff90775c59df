#include "data/RegularFile.h"

#include <QDir>
#include <QFileInfo>

QString RegularFile::problem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    return QStringLiteral("\"%1\" is %2, not a file. Please choose a file.")
        .arg(QDir::toNativeSeparators(path),
             info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a pipe, a socket or a device"));
}
