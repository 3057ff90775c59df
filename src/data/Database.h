#pragma once

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>

class SqliteStatement;
class TDataSet;
struct sqlite3;

// The connection to the database directory. The directory is named by an alias of the
// engine configuration ("engine.ini"), never by the program; all tables live in one
// SQLite file inside it.
class TDatabase : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kDatabaseFileName = "platewright.db";

    explicit TDatabase(QObject *parent = nullptr);
    ~TDatabase() override;

    void setAliasName(const QString &alias) { m_aliasName = alias; }
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    QString databaseName() const { return m_databaseName; }

    // Resolves the alias and connects; a new directory under the default location and a
    // directory without a database file both receive a fresh, seeded database.
    void open();
    // Connects to the database file of the given directory, creating it when absent.
    void openDirectory(const QString &directory);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    // True when the file or its directory cannot be written: the tables can be read, and
    // every change fails with a read-only engine error.
    bool isReadOnly() const { return m_readOnly; }
    QString directory() const { return m_directory; }

    // Where the alias points: the value in "[Aliases]" of the engine configuration, or the
    // default directory when none is configured.
    static QString resolveAlias(const QString &alias);
    static QString engineConfigPath();
    static QString defaultDirectory();

    // The table password. Tables open only after a matching password has been handed over;
    // when none has, the login handler gets one chance to supply it.
    void addPassword(const QString &password);
    void checkPassword();
    std::function<void(TDatabase &)> onLogin;

    // Transactions nest: the outermost one takes the write lock at once (BEGIN IMMEDIATE) so
    // that another copy of the program waits instead of interleaving; inner ones are savepoints.
    void startTransaction();
    void commit();
    void rollback();
    // Makes every open view drop its pending record and re-read its rows, as after a rollback.
    void resyncViews();
    bool inTransaction() const { return m_transactionDepth > 0; }

    // Another copy of the program may have changed the file since this connection last looked.
    // When it has, every open view re-reads its rows: a view that something on screen shows
    // at once, the others when they are next used. The outermost transaction does this as
    // soon as it holds the write lock, so that a command decides on the rows as stored now.
    // Costs one small statement when nothing changed. True when something had changed.
    bool catchUpWithOtherCopies();

    QSqlDatabase &connection() { return m_db; }
    // A statement prepared once per connection and kept until the database closes; call
    // finish() on it after reading its rows.
    QSqlQuery &prepared(const QString &sql);
    // The same, prepared on the SQLite handle itself for statements run once per record;
    // reset() it after reading its rows.
    SqliteStatement &statement(const QString &sql, const QString &context = {});
    // The connection's handle, taken from the Qt driver when the database opens.
    sqlite3 *handle() const { return m_handle; }
    // Counts the connections made so far: what was kept about one connection (its temporary
    // tables, its counters) does not hold for the next.
    quint64 connectionSerial() const { return m_connectionSerial; }

    // Statements run on the driver's handle with the SQLite library this program links, which
    // is safe only when the driver runs on the same build of it (a Qt that brings its own
    // SQLite does not). Empty when the driver's build, as its connection reports it, is ours;
    // else the reason the database cannot be opened.
    static QString sqliteLibraryProblem(const QString &driverSourceId);

    // Every open dataset registers itself so that a rollback can make it re-read its rows.
    void registerDataSet(TDataSet *dataSet);
    void unregisterDataSet(TDataSet *dataSet);

    // While set, detail views nobody watches put off re-reading their rows until they are used.
    bool defersDetailReads() const { return m_deferDetailReads > 0; }
    void deferDetailReads(bool on);

    static constexpr int kBusyTimeoutMs = 10000;

private:
    void exec(const QString &sql);
    bool noticeOtherCopies();
    void initialise(bool isNew);
    void takeHandle();

    QString m_aliasName = QStringLiteral("Recipe");
    QString m_databaseName = QStringLiteral("Evalc");
    QString m_connectionName;
    QString m_directory;
    QSqlDatabase m_db;
    QByteArray m_passwordHash;
    bool m_passwordAccepted = false;
    bool m_readOnly = false;
    QList<QString> m_passwords;
    int m_transactionDepth = 0;
    qint64 m_dataVersion = -1;  // SQLite's count of other connections' commits, as last seen
    int m_deferDetailReads = 0;
    QList<TDataSet *> m_dataSets;
    // Statements used again and again (transactions, key draws, lookups) stay prepared.
    QHash<QString, QSqlQuery> m_statements;
    std::unordered_map<QString, std::unique_ptr<SqliteStatement>> m_sqliteStatements;
    sqlite3 *m_handle = nullptr;
    quint64 m_connectionSerial = 0;
};

// Lets the detail views of the database put off their reads while a long walk or a long
// import runs; when it ends every view is brought up to date.
class TDeferredDetailReads {
public:
    explicit TDeferredDetailReads(TDatabase &db) : m_db(db) { m_db.deferDetailReads(true); }
    ~TDeferredDetailReads() { m_db.deferDetailReads(false); }
    TDeferredDetailReads(const TDeferredDetailReads &) = delete;
    TDeferredDetailReads &operator=(const TDeferredDetailReads &) = delete;

private:
    TDatabase &m_db;
};

// Rolls the transaction back unless commit() was called: compound writes are all-or-nothing.
class TTransaction {
public:
    explicit TTransaction(TDatabase &db) : m_db(db) { m_db.startTransaction(); }
    ~TTransaction()
    {
        if (!m_done) {
            try {
                m_db.rollback();
            } catch (...) {
            }
        }
    }
    void commit()
    {
        m_db.commit();
        m_done = true;
    }
    TTransaction(const TTransaction &) = delete;
    TTransaction &operator=(const TTransaction &) = delete;

private:
    TDatabase &m_db;
    bool m_done = false;
};
