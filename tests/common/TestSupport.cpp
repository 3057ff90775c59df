#include "TestSupport.h"

#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

TempEnvironment::TempEnvironment()
    : m_oldConfig(qgetenv("XDG_CONFIG_HOME")), m_oldData(qgetenv("XDG_DATA_HOME"))
{
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
}

TempEnvironment::~TempEnvironment()
{
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
    qputenv("XDG_DATA_HOME", m_oldData);
}

void TempEnvironment::setRecipeAlias(const QString &directory) const
{
    QDir().mkpath(configHome() + QStringLiteral("/Platewright"));
    QFile file(configHome() + QStringLiteral("/Platewright/engine.ini"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("[Aliases]\nRecipe=" + directory.toUtf8() + "\n");
}

ScriptedPrompter::ScriptedPrompter() : m_previous(Prompter::install(this)) {}

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(m_previous);
}

bool ScriptedPrompter::confirm(const QString &question)
{
    questions << question;
    return m_answers.isEmpty() ? m_default : m_answers.takeFirst();
}

QString cliProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/platewright-cli");
}

int CliRunner::run(const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(cliProgram(), arguments);
    if (!process.waitForFinished(timeoutMs))
        return -1;
    out = QString::fromUtf8(process.readAllStandardOutput());
    err = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString testDataDir()
{
    const QByteArray fromEnv = qgetenv("PLATEWRIGHT_TESTDATA");
    return fromEnv.isEmpty() ? QStringLiteral(SOURCE_TESTDATA) : QString::fromLocal8Bit(fromEnv);
}

QString mealMasterArchive(const QString &name)
{
    return testDataDir() + QStringLiteral("/mealmaster/") + name;
}

bool hasTestData()
{
    return QFileInfo(testDataDir() + QStringLiteral("/mealmaster")).isDir();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString databaseFile(const QString &directory)
{
    return QDir(directory).filePath(QString::fromLatin1(TDatabase::kDatabaseFileName));
}

EngineError raisedError(const std::function<void()> &call)
{
    try {
        call();
    } catch (const EngineError &e) {
        return e;
    }
    return EngineError(0, {});
}

namespace {

bool runQuery(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

bool execSql(const QSqlDatabase &connection, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(connection);
    if (runQuery(query, sql, values))
        return true;
    const QString message = sql + QStringLiteral(": ") + query.lastError().text();
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    return false;
}

QStringList sqlColumn(const QSqlDatabase &connection, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(connection);
    QStringList result;
    if (runQuery(query, sql, values)) {
        while (query.next())
            result << query.value(0).toString();
    }
    return result;
}

QVariant sqlValue(const QSqlDatabase &connection, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(connection);
    return runQuery(query, sql, values) && query.next() ? query.value(0) : QVariant();
}

int sqlCount(const QSqlDatabase &connection, const QString &sql, const QVariantList &values)
{
    const QVariant count = sqlValue(connection, sql, values);
    return count.isValid() ? count.toInt() : -1;
}
