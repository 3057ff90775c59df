#pragma once

#include "data/Prompter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// The directory of the shared sample files.
QString testDataDir();
