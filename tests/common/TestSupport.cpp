#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>

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

QString testDataDir()
{
    const QByteArray fromEnv = qgetenv("PLATEWRIGHT_TESTDATA");
    return fromEnv.isEmpty() ? QStringLiteral(SOURCE_TESTDATA) : QString::fromLocal8Bit(fromEnv);
}
