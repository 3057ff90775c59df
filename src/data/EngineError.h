#pragma once

#include <QString>
#include <exception>

class QSqlError;

// The quiet cancellation: unwinds the current command and is dropped by the command guard
// without a message (a refused delete, a cancelled editor).
struct SilentAbort final : std::exception {
    const char *what() const noexcept override { return "silent abort"; }
};

// Every failure of the table engine. The high byte of the code is its category; importers
// test for the integrity category to skip records the database refuses.
class EngineError : public std::exception {
public:
    enum Category : int {
        CatIo = 0x21,            // the database file cannot be read or written
        CatNotFound = 0x22,      // directory, table, field or record missing
        CatIntegrity = 0x26,     // key violation, required field, check or foreign key
        CatInvalidRequest = 0x27,// operation not allowed in the dataset's state
        CatLock = 0x29,          // another copy holds the database too long
        CatSyntax = 0x2A,        // a filter or query the engine cannot parse
        CatSecurity = 0x2D,      // no valid password
    };
    enum Code : int {
        DiskError = 0x2101,
        NotADatabase = 0x2102,
        ReadOnly = 0x2103,
        DirectoryNotFound = 0x2201,
        TableNotFound = 0x2202,
        FieldNotFound = 0x2203,
        RecordDeleted = 0x2204,
        IndexNotFound = 0x2205,
        KeyViolation = 0x2601,
        RequiredField = 0x2602,
        CheckFailed = 0x2603,
        ForeignKeyViolation = 0x2604,
        NotEditing = 0x2701,
        EmptyDataSet = 0x2702,
        Inactive = 0x2703,
        ActiveDataSet = 0x2704,
        ReadOnlyDataSet = 0x2705,
        Locked = 0x2901,
        FilterSyntax = 0x2A01,
        QuerySyntax = 0x2A02,
        InvalidPassword = 0x2D01,
    };

    EngineError(int code, QString message);

    int code() const { return m_code; }
    int category() const { return m_code >> 8; }
    bool isIntegrityViolation() const { return category() == CatIntegrity; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Turns a failure reported by the SQLite driver into an engine error of the right category.
    static EngineError fromSql(const QSqlError &error, const QString &context = {});
    // The same for a message read from SQLite itself.
    static EngineError fromSqliteText(const QString &text, const QString &context = {});

private:
    int m_code;
    QString m_message;
    QByteArray m_utf8;
};
