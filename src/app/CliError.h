#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A command-line request that cannot be carried out as given. A usage error (an unknown
// command, a missing argument) exits with 2, any other with 1.
class CliError : public std::exception {
public:
    enum class Kind { Usage, Failure };

    CliError(Kind kind, const QString &message);

    bool isUsage() const { return m_kind == Kind::Usage; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    static CliError usage(const QString &message) { return CliError(Kind::Usage, message); }
    static CliError failure(const QString &message) { return CliError(Kind::Failure, message); }

private:
    Kind m_kind;
    QString m_message;
    QByteArray m_utf8;
};
