#pragma once

// File permissions do not stop root, and the tests run as root on the build machine. A test
// of a read-only file or directory therefore runs its body as the user "nobody": as root it
// starts its own test program again under setpriv for this one test function (and data row)
// and passes on the verdict; as any other user it runs the body directly. When that user
// cannot run the test program, not even a copy of it under /tmp, the test is skipped.
//
//     void TestX::readOnlyFile()
//     {
//         RUN_AS_UNPRIVILEGED_USER();
//         ...  // from here on, chmod means what it says
//     }

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace Unprivileged {

inline QStringList setprivCommand()
{
    return {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
            QStringLiteral("--")};
}

inline QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    env.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return env;
}

// Runs the program as "nobody"; -1 when it could not be started at all.
inline int run(const QStringList &programAndArguments, QByteArray &output, int timeoutMs = 120000)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return -1;
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(QStringLiteral("/tmp"));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(setpriv, setprivCommand() + programAndArguments);
    if (!process.waitForFinished(timeoutMs))
        return -1;
    output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// This test program where the user "nobody" can run it: in place when it can reach it,
// otherwise a copy in a directory of its own under /tmp (the build may lie in root's home),
// with the command-line program beside it as in the build. Empty when neither works.
inline QString reachableProgram()
{
    const QString program = QCoreApplication::applicationFilePath();
    QByteArray output;
    if (run({QStringLiteral("test"), QStringLiteral("-x"), program}, output) == 0)
        return program;
    static QTemporaryDir copies(QStringLiteral("/tmp/platewright-unprivileged-XXXXXX"));
    const QString tests = copies.path() + QStringLiteral("/tests");
    const QString app = copies.path() + QStringLiteral("/src/app");
    const QString copy = tests + u'/' + QFileInfo(program).fileName();
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/platewright-cli");
    if (!QFileInfo::exists(copy)) {
        QDir().mkpath(tests);
        QDir().mkpath(app);
        QFile::copy(program, copy);
        if (QFileInfo::exists(cli))
            QFile::copy(cli, app + QStringLiteral("/platewright-cli"));
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                          | QFile::ReadOther | QFile::ExeOther;
        for (const QString &path : {copies.path(), copies.path() + QStringLiteral("/src"), tests, app, copy,
                                    app + QStringLiteral("/platewright-cli")})
            QFile::setPermissions(path, open);
    }
    return run({QStringLiteral("test"), QStringLiteral("-x"), copy}, output) == 0 ? copy : QString();
}

} // namespace Unprivileged

#define RUN_AS_UNPRIVILEGED_USER()                                                                                  \
    do {                                                                                                            \
        if (::geteuid() == 0) {                                                                                     \
            const QString program = Unprivileged::reachableProgram();                                               \
            if (program.isEmpty())                                                                                  \
                QSKIP("the user nobody cannot run this test program through setpriv");                             \
            QString selector = QString::fromLatin1(QTest::currentTestFunction());                                   \
            if (QTest::currentDataTag())                                                                            \
                selector += QLatin1Char(':') + QString::fromLocal8Bit(QTest::currentDataTag());                     \
            QByteArray childOutput;                                                                                 \
            const int verdict = Unprivileged::run({program, selector}, childOutput);                                \
            QVERIFY2(verdict == 0, childOutput.constData());                                                        \
            if (childOutput.contains("SKIP   :"))                                                                   \
                QSKIP(childOutput.constData());                                                                     \
            return;                                                                                                 \
        }                                                                                                           \
    } while (false)
