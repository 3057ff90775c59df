#include "data/SysInfo.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Prompter.h"
#include "data/Table.h"
#include "data/Utilities.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QStandardPaths>

TSysInfo *SysInfo = nullptr;

namespace {
const QString kSection = QStringLiteral("Setup");
}

TSysInfo::TSysInfo(TDatabase &db, QObject *owner, const QString &iniPath)
    : QObject(owner), m_db(db), m_ini(iniPath.isEmpty() ? defaultIniPath() : iniPath)
{
    if (!SysInfo)
        SysInfo = this;
}

TSysInfo::~TSysInfo()
{
    if (SysInfo == this)
        SysInfo = nullptr;
}

QString TSysInfo::defaultIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Platewright/Recipe.Ini");
}

QString TSysInfo::defaultNiftyFormsFile()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator()
           + QStringLiteral("GRAYROCK.bmp");
}

bool TSysInfo::seekTopic(const QString &topic, bool create)
{
    if (!m_tableOpened) {
        // Set first: a failed open is not retried, later calls fail on the closed view.
        m_tableOpened = true;
        m_system = std::make_unique<TTable>(m_db);
        m_system->setTableName(QStringLiteral("SYSTEM"));
        m_system->open();
    }
    if (m_system->findKey({topic}))
        return true;
    if (!create)
        return false;
    m_system->insert();
    m_system->fieldByName(QStringLiteral("Topic")).setAsString(topic);
    m_system->post();
    return true;
}

QString TSysInfo::ReadSystemValue(const QString &topic)
{
    // A read-only database cannot keep the new row, and reading must not fail for it.
    if (!seekTopic(topic, !m_db.isReadOnly()))
        return {};
    return m_system->fieldByName(QStringLiteral("Data")).asString();
}

void TSysInfo::WriteSystemValue(const QString &topic, const QString &value)
{
    seekTopic(topic);
    m_system->edit();
    m_system->fieldByName(QStringLiteral("Data")).setAsString(value);
    m_system->post();
}

QString TSysInfo::ReadIniValue(const QString &key, const QString &defaultValue)
{
    const QString value = m_ini.readString(kSection, key);
    if (!value.isEmpty())
        return value;
    // The default is written back only for the next start. A file that cannot be written (a
    // directory of that name, a read-only file) must not stop the caller from using the value:
    // the user is told once per run, and the default serves.
    try {
        m_ini.writeString(kSection, key, defaultValue);
    } catch (const EngineError &e) {
        static QSet<QString> told;
        if (!told.contains(m_ini.fileName())) {
            told.insert(m_ini.fileName());
            Prompter::instance().error(e.message());
        }
    }
    return defaultValue;
}

void TSysInfo::WriteIniValue(const QString &key, const QString &value, const QString &defaultValue)
{
    m_ini.writeString(kSection, key, value.isEmpty() ? defaultValue : value);
}

bool TSysInfo::read(const Settings::Flag &setting)
{
    return TextToBool(readValue(setting.key, setting.store, BoolToText(setting.defaultValue)));
}

QString TSysInfo::read(const Settings::Text &setting)
{
    return readValue(setting.key, setting.store, setting.defaultValue ? setting.defaultValue() : QString());
}

void TSysInfo::write(const Settings::Flag &setting, bool on)
{
    writeValue(setting.key, setting.store, BoolToText(on), BoolToText(setting.defaultValue));
}

void TSysInfo::write(const Settings::Text &setting, const QString &value)
{
    writeValue(setting.key, setting.store, value, setting.defaultValue ? setting.defaultValue() : QString());
}

QString TSysInfo::readValue(const char *key, Settings::Store store, const QString &defaultValue)
{
    if (store == Settings::Store::SettingsFile)
        return ReadIniValue(QLatin1String(key), defaultValue);
    return ReadSystemValue(QLatin1String(key));
}

// A row of the database keeps what it is given, the empty text too.
void TSysInfo::writeValue(const char *key, Settings::Store store, const QString &value, const QString &defaultValue)
{
    if (store == Settings::Store::SettingsFile)
        WriteIniValue(QLatin1String(key), value, defaultValue);
    else
        WriteSystemValue(QLatin1String(key), value);
}
