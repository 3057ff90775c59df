#pragma once

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// Points the engine configuration of a private home at a fresh database directory, the way
// the program finds its database.
class BenchHome {
public:
    BenchHome()
    {
        qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/data")).toLocal8Bit());
        QDir().mkpath(directory());
        QDir().mkpath(QFileInfo(TDatabase::engineConfigPath()).path());
        QFile file(TDatabase::engineConfigPath());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("[Aliases]\nRecipe=" + directory().toUtf8() + "\n");
    }

    QString directory() const { return m_home.path() + QStringLiteral("/Recipe"); }
    QString file(const QString &name) const { return m_home.filePath(name); }

private:
    QTemporaryDir m_home;
};
