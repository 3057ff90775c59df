#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A report that cannot be made as asked. A notice (nothing was chosen to print) is shown as a
// plain notice; an error (a date that cannot be read) in the error box.
class ReportRequestError : public std::exception {
public:
    enum class Severity { Notice, Error };

    ReportRequestError(Severity severity, const QString &message);

    Severity severity() const { return m_severity; }
    bool isNotice() const { return m_severity == Severity::Notice; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    Severity m_severity;
    QString m_message;
    QByteArray m_utf8;
};
