#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure that ends an export or an import. When it concerns a place in the file, the
// message begins with the line number ("Line 12: ...") and lineNumber() gives it.
class ExchangeError : public std::exception {
public:
    explicit ExchangeError(const QString &message, int lineNumber = 0);

    const QString &message() const { return m_message; }
    int lineNumber() const { return m_lineNumber; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    int m_lineNumber;
    QByteArray m_utf8;
};
