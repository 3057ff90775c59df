#pragma once

#include <QString>
#include <memory>

class TdmMain1;

// Opens the data module for the command-line program: on the directory the alias names, as
// the program does, or on a directory given on the command line.
class DataModuleOpener {
public:
    // An empty directory means the alias. A missing directory is an error, not created.
    static std::unique_ptr<TdmMain1> open(const QString &directory);
};
