#pragma once

#include <QString>

// Files are read and written only when they are ordinary files, or, to be written, do not
// exist yet: reading a pipe or a device, or writing into one, could wait for ever.
namespace RegularFile {

// Empty when the path names an ordinary file or nothing; otherwise the message to show.
QString problem(const QString &path);

} // namespace RegularFile
