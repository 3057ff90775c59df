#pragma once

#include <QStringList>

class QTextStream;

// The whole of platewright-cli after the application object exists: reads the arguments,
// opens the data module, runs the command and turns every failure into a message on `err`
// and an exit code (0 done, 1 failed, 2 wrong usage).
class CliProgram {
public:
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err, bool interactive);

private:
    static int runCommand(const QStringList &arguments, QTextStream &out, bool interactive);
};
