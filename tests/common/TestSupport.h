#pragma once

#include "data/EngineError.h"
#include "data/Prompter.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>
#include <functional>

// Points the XDG configuration and data directories at a fresh temporary directory for the
// lifetime of the object, so a test never touches the user's own database or settings.
class TempEnvironment {
public:
    TempEnvironment();
    ~TempEnvironment();
    QString path() const { return m_dir.path(); }
    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }
    QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    // Writes "[Aliases] Recipe=<directory>" into the engine configuration.
    void setRecipeAlias(const QString &directory) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig, m_oldData;
};

// Answers confirmations from a script (Yes when the script runs out unless told otherwise)
// and records every text it was shown. Installs itself for its lifetime.
class ScriptedPrompter final : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    void answer(std::initializer_list<bool> answers) { m_answers.append(answers); }
    void setDefaultAnswer(bool yes) { m_default = yes; }

    bool confirm(const QString &question) override;
    void inform(const QString &message) override { notices << message; }
    void informWithDetails(const QString &message, const QString &text) override
    {
        notices << message;
        details << text;
    }
    void error(const QString &message) override { errors << message; }
    // Answers with the next scripted text; a script run out cancels.
    std::optional<QString> askText(const QString &caption, const QString &question, const QString &text) override
    {
        asked << caption + QLatin1Char('|') + question + QLatin1Char('|') + text;
        return m_texts.isEmpty() ? std::nullopt : m_texts.takeFirst();
    }
    void answerText(std::initializer_list<std::optional<QString>> texts) { m_texts.append(texts); }

    QStringList questions;
    QStringList notices;
    QStringList details;  // of the notices that offered details
    QStringList errors;
    QStringList asked;  // caption|question|starting text of every text asked for

private:
    QList<bool> m_answers;
    QList<std::optional<QString>> m_texts;
    bool m_default = true;
    Prompter *m_previous;
};

// The built command-line program, and a runner that starts it as the user would and keeps
// what it printed.
QString cliProgram();
class CliRunner {
public:
    // The exit code; -1 when the program crashed or did not end within the time.
    int run(const QStringList &arguments, int timeoutMs = 120000);
    QString out, err;
};

// The directory of the shared sample files beside the repository, and the path of one
// Meal-Master archive below its "mealmaster" folder.
QString testDataDir();
QString mealMasterArchive(const QString &name);
bool hasTestData();

// Skips the running test (or, in a _data function, the whole test function) when the shared
// sample files are absent, as in a bare clone of the repository.
#define SKIP_WITHOUT_TESTDATA()                                                                             \
    do {                                                                                                    \
        if (!hasTestData())                                                                                 \
            QSKIP(qPrintable(QStringLiteral("the shared sample files are not at %1").arg(testDataDir())));  \
    } while (false)

// The whole file; empty when it cannot be read.
QByteArray readFile(const QString &path);
// Replaces the file with the bytes; false when it could not be written whole.
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);
// The database file the engine keeps in a directory.
QString databaseFile(const QString &directory);

// The engine error the call raises; code 0 and no message when it raises none.
EngineError raisedError(const std::function<void()> &call);

// Runs a statement of a test's own setup with its bound values; a failure fails the running
// test, naming the statement and the error.
bool execSql(const QSqlDatabase &connection, const QString &sql, const QVariantList &values = {});
// The first column of every row the query gives, as text; empty when it fails.
QStringList sqlColumn(const QSqlDatabase &connection, const QString &sql, const QVariantList &values = {});
// The count a "SELECT count(*) ..." gives; -1 when the query fails.
int sqlCount(const QSqlDatabase &connection, const QString &sql, const QVariantList &values = {});
// The first value the query gives; invalid when it gives no row or fails.
QVariant sqlValue(const QSqlDatabase &connection, const QString &sql, const QVariantList &values = {});
