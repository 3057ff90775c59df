#include "data/Database.h"

#include "data/DataSet.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/SqliteStatement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <sqlite3.h>
#include <QtEndian>
#include <unistd.h>
#include <utility>

namespace {

QByteArray hashPassword(const QString &password)
{
    return QCryptographicHash::hash("platewright-table-password:" + password.toUtf8(), QCryptographicHash::Sha256)
        .toHex();
}

// PLATEWRIGHT_BUSY_TIMEOUT_MS overrides how long a copy waits for another one to release the
// database (milliseconds); the tests of two copies at once shorten it.
int busyTimeoutMs()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("PLATEWRIGHT_BUSY_TIMEOUT_MS", &ok);
    return ok && value >= 0 ? value : TDatabase::kBusyTimeoutMs;
}

// Asks the system, not the permission bits: root may write where the bits say no.
bool isWritable(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// A copy stopped in the middle of a commit leaves SQLite's journal beside the file.
bool hasJournal(const QString &path)
{
    return QFileInfo(path + QStringLiteral("-journal")).size() > 0;
}

// Looks at the header before SQLite does, so that a file that is no database, or one cut
// short (by a failed copy, say), is refused with its name and left as it is. A copy that
// stopped in the middle of a commit leaves a journal, from which SQLite repairs the file.
void checkDatabaseFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(EngineError::DiskError,
                          QStringLiteral("Cannot read the database file \"%1\": %2").arg(path, file.errorString()));
    const QByteArray header = file.read(100);
    if (header.isEmpty())
        return;  // an empty file is an empty database
    if (header.size() < 100 || !header.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        throw EngineError(EngineError::NotADatabase,
                          QStringLiteral("\"%1\" is not a Platewright database. It was left unchanged.").arg(path));
    if (hasJournal(path))
        return;
    const char *bytes = header.constData();
    const quint16 pageSizeField = qFromBigEndian<quint16>(bytes + 16);
    const qint64 pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    const quint32 pages = qFromBigEndian<quint32>(bytes + 28);
    // The page count is kept up to date only when the two change counters agree.
    const bool pagesKnown = pages > 0 && qFromBigEndian<quint32>(bytes + 24) == qFromBigEndian<quint32>(bytes + 92);
    if (pagesKnown && file.size() < pageSize * pages)
        throw EngineError(EngineError::NotADatabase,
                          QStringLiteral("The database file \"%1\" is damaged: it is cut off after %2 of its %3 bytes. "
                                         "It was left unchanged; put a backup copy in its place.")
                              .arg(path)
                              .arg(file.size())
                              .arg(pageSize * pages));
}

EngineError openFailure(const QSqlError &error, const QString &path)
{
    const EngineError failure = EngineError::fromSql(error, path);
    if (failure.code() != EngineError::NotADatabase)
        return failure;
    return EngineError(failure.code(),
                       QStringLiteral("\"%1\" is damaged or is not a Platewright database. It was left unchanged.")
                           .arg(path));
}

} // namespace

TDatabase::TDatabase(QObject *parent)
    : QObject(parent), m_connectionName(QStringLiteral("platewright-") + QUuid::createUuid().toString(QUuid::Id128))
{
    // SQLite keeps statistics of its memory use behind a global lock on every allocation;
    // nothing here reads them. Only possible before SQLite's first use in the process.
    static const bool statisticsOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    Q_UNUSED(statisticsOff);
}

TDatabase::~TDatabase()
{
    close();
}

QString TDatabase::engineConfigPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Platewright/engine.ini");
}

QString TDatabase::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Platewright/Recipe");
}

QString TDatabase::resolveAlias(const QString &alias)
{
    QSettings config(engineConfigPath(), QSettings::IniFormat);
    const QString configured = config.value(QStringLiteral("Aliases/") + alias).toString().trimmed();
    return configured.isEmpty() ? QString() : configured;
}

void TDatabase::open()
{
    QString directory = resolveAlias(m_aliasName);
    if (directory.isEmpty()) {
        directory = defaultDirectory();
        if (!QDir().mkpath(directory))
            throw EngineError(EngineError::DirectoryNotFound,
                              QStringLiteral("Cannot create the database directory \"%1\".").arg(directory));
    } else if (!QFileInfo(directory).isDir()) {
        throw EngineError(EngineError::DirectoryNotFound,
                          QStringLiteral("The directory \"%1\" named by the alias %2 in \"%3\" does not exist.")
                              .arg(directory, m_aliasName, engineConfigPath()));
    }
    openDirectory(directory);
}

void TDatabase::openDirectory(const QString &directory)
{
    close();
    m_directory = directory;
    const QString path = QDir(directory).filePath(QString::fromLatin1(kDatabaseFileName));
    const bool fileExisted = QFileInfo::exists(path);
    // SQLite writes its journal beside the file: in a read-only directory the file is read-only too.
    m_readOnly = fileExisted && !(isWritable(path) && isWritable(directory));
    if (fileExisted)
        checkDatabaseFile(path);
    else if (!isWritable(directory))
        throw EngineError(EngineError::ReadOnly,
                          QStringLiteral("Cannot create a database in \"%1\": the directory is read-only.").arg(directory));

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs());
    if (m_readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        const EngineError error = EngineError::fromSql(m_db.lastError(), path);
        close();
        throw error;
    }
    try {
        takeHandle();
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next()) {
            // A copy stopped in the middle of a change left a journal to repair the file from,
            // which needs the right to write.
            if (m_readOnly && hasJournal(path))
                throw EngineError(EngineError::ReadOnly,
                                  QStringLiteral("\"%1\" was left in the middle of a change by a copy of the program "
                                                 "that stopped, and it is read-only, so it cannot be repaired. Open "
                                                 "it once with write permission for its file and directory.")
                                      .arg(path));
            throw openFailure(probe.lastError(), path);
        }
        const bool isNew = probe.value(0).toInt() == 0;
        if (isNew && m_readOnly)
            throw EngineError(EngineError::ReadOnly,
                              QStringLiteral("\"%1\" is empty and read-only, so no database can be made in it.").arg(path));
        // Savepoint journals of long imports stay in memory instead of spilling to temporary files.
        probe.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
        // A long import touches index pages all over the file; a larger page cache keeps them
        // from being written out and read back before the transaction commits.
        probe.exec(QStringLiteral("PRAGMA cache_size = -32768"));
        initialise(isNew);
        catchUpWithOtherCopies();  // what the views read from here on is the starting point
    } catch (...) {
        close();
        if (!fileExisted)
            QFile::remove(path);
        throw;
    }
}

void TDatabase::initialise(bool isNew)
{
    if (isNew) {
        TTransaction transaction(*this);
        exec(QStringLiteral("CREATE TABLE \"_engine\" (\"name\" TEXT PRIMARY KEY, \"value\" TEXT)"));
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("INSERT INTO \"_engine\" VALUES ('password', ?)"));
        q.addBindValue(QString::fromLatin1(hashPassword(QString::fromLatin1(Schema::kTablePassword))));
        if (!q.exec())
            throw EngineError::fromSql(q.lastError());
        Schema::create(m_db);
        transaction.commit();
    }
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT \"value\" FROM \"_engine\" WHERE \"name\" = 'password'")))
        throw EngineError(EngineError::NotADatabase,
                          QStringLiteral("\"%1\" is not a Platewright database.").arg(m_db.databaseName()));
    m_passwordHash = q.next() ? q.value(0).toString().toLatin1() : QByteArray();
    m_passwordAccepted = m_passwordHash.isEmpty();
    for (const auto &password : std::as_const(m_passwords))
        addPassword(password);
}

void TDatabase::close()
{
    const auto dataSets = m_dataSets;
    for (TDataSet *dataSet : dataSets)
        dataSet->close();
    m_dataSets.clear();
    // Every statement is finalized before the connection closes, or SQLite keeps it open.
    m_statements.clear();
    m_sqliteStatements.clear();
    m_handle = nullptr;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_transactionDepth = 0;
    m_passwordAccepted = false;
}

void TDatabase::addPassword(const QString &password)
{
    if (!m_passwords.contains(password))
        m_passwords.append(password);
    if (!m_passwordHash.isEmpty() && hashPassword(password) == m_passwordHash)
        m_passwordAccepted = true;
}

void TDatabase::checkPassword()
{
    if (!isOpen())
        throw EngineError(EngineError::Inactive, QStringLiteral("The database is not open."));
    if (!m_passwordAccepted && onLogin)
        onLogin(*this);
    if (!m_passwordAccepted)
        throw EngineError(EngineError::InvalidPassword, QStringLiteral("Invalid password for the database."));
}

QSqlQuery &TDatabase::prepared(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            throw EngineError::fromSql(q.lastError());
        it = m_statements.insert(sql, q);
    }
    return it.value();
}

void TDatabase::deferDetailReads(bool on)
{
    m_deferDetailReads += on ? 1 : -1;
    if (m_deferDetailReads > 0)
        return;
    const auto dataSets = m_dataSets;
    for (TDataSet *dataSet : dataSets) {
        try {
            dataSet->settlePending();
        } catch (const std::exception &) {
            // A view that cannot be read now reports it when it is next used.
        }
    }
}

QString TDatabase::sqliteLibraryProblem(const QString &driverSourceId)
{
    const QString linked = QString::fromLatin1(sqlite3_sourceid());
    if (driverSourceId == linked)
        return {};
    return QStringLiteral("The Qt SQLite driver runs on another SQLite library (%1) than this program (%2), so "
                          "it cannot work on the database safely. Install the Qt SQLite driver built for the "
                          "system's SQLite library.")
        .arg(driverSourceId.isEmpty() ? QStringLiteral("unknown") : driverSourceId, linked);
}

void TDatabase::takeHandle()
{
    QSqlQuery probe(m_db);
    const QString driverSourceId =
        probe.exec(QStringLiteral("SELECT sqlite_source_id()")) && probe.next() ? probe.value(0).toString() : QString();
    if (const QString problem = sqliteLibraryProblem(driverSourceId); !problem.isEmpty())
        throw EngineError(EngineError::DiskError, problem);
    const QVariant value = m_db.driver()->handle();
    if (!value.isValid() || qstrcmp(value.typeName(), "sqlite3*") != 0)
        throw EngineError(EngineError::DiskError, QStringLiteral("The Qt SQLite driver gives no SQLite connection."));
    m_handle = *static_cast<sqlite3 *const *>(value.constData());
    ++m_connectionSerial;
}

SqliteStatement &TDatabase::statement(const QString &sql, const QString &context)
{
    auto it = m_sqliteStatements.find(sql);
    if (it == m_sqliteStatements.end())
        it = m_sqliteStatements.emplace(sql, std::make_unique<SqliteStatement>(handle(), sql, context)).first;
    return *it->second;
}

void TDatabase::exec(const QString &sql)
{
    statement(sql).exec();
}

void TDatabase::startTransaction()
{
    const bool outermost = m_transactionDepth == 0;
    exec(outermost ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT sp%1").arg(m_transactionDepth));
    ++m_transactionDepth;
    if (!outermost)
        return;
    // Nobody else can write now: what the views read from here on stays true until the commit.
    try {
        noticeOtherCopies();
    } catch (...) {
        rollback();
        throw;
    }
}

bool TDatabase::catchUpWithOtherCopies()
{
    if (!isOpen() || inTransaction())
        return false;
    return noticeOtherCopies();
}

bool TDatabase::noticeOtherCopies()
{
    SqliteStatement &q = statement(QStringLiteral("PRAGMA data_version"));
    qint64 version;
    {
        StatementRun run(q);
        if (!q.step())
            return false;
        version = q.int64Value(0);
    }
    if (version == std::exchange(m_dataVersion, version))
        return false;
    const auto dataSets = m_dataSets;
    for (TDataSet *dataSet : dataSets)
        dataSet->rowsChangedElsewhere();
    return true;
}

void TDatabase::commit()
{
    if (m_transactionDepth == 0)
        throw EngineError(EngineError::NotEditing, QStringLiteral("No transaction is active."));
    if (m_transactionDepth > 1) {
        exec(QStringLiteral("RELEASE sp%1").arg(m_transactionDepth - 1));
        --m_transactionDepth;
        return;
    }
    try {
        exec(QStringLiteral("COMMIT"));
        m_transactionDepth = 0;
    } catch (...) {
        rollback();
        throw;
    }
}

void TDatabase::rollback()
{
    if (m_transactionDepth == 0)
        return;
    --m_transactionDepth;
    if (m_transactionDepth == 0) {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        exec(QStringLiteral("ROLLBACK TO sp%1").arg(m_transactionDepth));
        exec(QStringLiteral("RELEASE sp%1").arg(m_transactionDepth));
    }
    // The views may now show rows that no longer exist or miss rows that came back.
    resyncViews();
}

void TDatabase::resyncViews()
{
    const auto dataSets = m_dataSets;
    for (TDataSet *dataSet : dataSets)
        dataSet->discardPendingRecord();
    for (TDataSet *dataSet : dataSets)
        dataSet->resyncAfterRollback();
}

void TDatabase::registerDataSet(TDataSet *dataSet)
{
    if (!m_dataSets.contains(dataSet))
        m_dataSets.append(dataSet);
}

void TDatabase::unregisterDataSet(TDataSet *dataSet)
{
    m_dataSets.removeAll(dataSet);
}
