#pragma once

#include <QString>

// A settings file of "[Section]" headings and "key=value" lines. Keys are written exactly as
// given (spaces and all), matched without regard to letter case, and every line the program
// does not change stays as it was.
class TIniFile {
public:
    explicit TIniFile(QString fileName) : m_fileName(std::move(fileName)) {}
    const QString &fileName() const { return m_fileName; }

    static constexpr int kMaxValueLength = 1023;

    // The value, cut to kMaxValueLength characters; the default when the key is absent.
    QString readString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // Throws EngineError "Unable to write to <file>" when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);

private:
    QString m_fileName;
};
