#include "data/Database.h"

#include "data/DataSet.h"
#include "data/EngineError.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

namespace {

QByteArray hashPassword(const QString &password)
{
    return QCryptographicHash::hash("platewright-table-password:" + password.toUtf8(), QCryptographicHash::Sha256)
        .toHex();
}

} // namespace

TDatabase::TDatabase(QObject *parent)
    : QObject(parent), m_connectionName(QStringLiteral("platewright-") + QUuid::createUuid().toString(QUuid::Id128))
{
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

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!m_db.open()) {
        const EngineError error = EngineError::fromSql(m_db.lastError(), path);
        close();
        throw error;
    }
    try {
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next())
            throw EngineError::fromSql(probe.lastError(), path);
        const bool isNew = probe.value(0).toInt() == 0;
        // Savepoint journals of long imports stay in memory instead of spilling to temporary files.
        probe.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
        initialise(isNew);
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
    m_statements.clear();
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

void TDatabase::exec(const QString &sql)
{
    QSqlQuery &q = prepared(sql);
    const bool done = q.exec();
    const QSqlError error = q.lastError();
    q.finish();
    if (!done)
        throw EngineError::fromSql(error);
}

void TDatabase::startTransaction()
{
    exec(m_transactionDepth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                 : QStringLiteral("SAVEPOINT sp%1").arg(m_transactionDepth));
    ++m_transactionDepth;
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
