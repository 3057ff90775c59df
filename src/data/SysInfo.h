#pragma once

#include "data/IniFile.h"
#include "data/Settings.h"

#include <QObject>
#include <memory>

class TTable;
class TDatabase;

// The settings store. Most settings are rows of the table "SYSTEM" (Topic, Data), so they
// travel with the database; the two appearance settings of the tiled backgrounds live in the
// settings file "Recipe.Ini", section "Setup".
class TSysInfo : public QObject {
    Q_OBJECT
public:
    // The database is the data module's; the settings file is found in the user's
    // configuration directory unless a path is given.
    explicit TSysInfo(TDatabase &db, QObject *owner = nullptr, const QString &iniPath = {});
    ~TSysInfo() override;

    // A setting by its name, from where it is kept (see Settings::Store for its default).
    bool read(const Settings::Flag &setting);
    QString read(const Settings::Text &setting);
    void write(const Settings::Flag &setting, bool on);
    void write(const Settings::Text &setting, const QString &value);

    // The stores by key text, under the typed interface above.
    // Reads the topic's value; a topic without a row gets one, with an empty value (on a
    // read-only database it only reads as empty).
    virtual QString ReadSystemValue(const QString &topic);
    virtual void WriteSystemValue(const QString &topic, const QString &value);
    // An absent or empty key is written with the default, which is returned.
    virtual QString ReadIniValue(const QString &key, const QString &defaultValue);
    // An empty value writes the default instead. A refused write raises "Unable to write to <file>".
    virtual void WriteIniValue(const QString &key, const QString &value, const QString &defaultValue);

    static QString defaultIniPath();
    // The default of "Nifty Forms File": GRAYROCK.bmp in the program's directory.
    static QString defaultNiftyFormsFile();

private:
    QString readValue(const char *key, Settings::Store store, const QString &defaultValue);
    void writeValue(const char *key, Settings::Store store, const QString &value, const QString &defaultValue);
    // Moves to the topic's row, making one when it is missing and `create` holds.
    bool seekTopic(const QString &topic, bool create = true);

    TDatabase &m_db;
    bool m_tableOpened = false;
    std::unique_ptr<TTable> m_system;
    TIniFile m_ini;
};

// The one settings store of the running program, owned by the main window.
extern TSysInfo *SysInfo;
