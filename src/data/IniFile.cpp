#include "data/IniFile.h"

#include "data/EngineError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

struct Lines {
    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
};

Lines readLines(const QString &fileName)
{
    Lines result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.contains(QLatin1String("\r\n")))
        result.lineEnd = QStringLiteral("\r\n");
    result.lines = text.split(QLatin1Char('\n'));
    for (QString &line : result.lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    return result;
}

bool isSectionHeading(const QString &line, QString *name = nullptr)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = trimmed.mid(1, trimmed.size() - 2).trimmed();
    return true;
}

// The range of lines after the heading of the section: [first, end). first is -1 when absent.
std::pair<int, int> findSection(const QStringList &lines, const QString &section)
{
    int first = -1;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (!isSectionHeading(lines[i], &name))
            continue;
        if (first >= 0)
            return {first, i};
        if (name.compare(section, Qt::CaseInsensitive) == 0)
            first = i + 1;
    }
    return {first, int(lines.size())};
}

int findKey(const QStringList &lines, std::pair<int, int> range, const QString &key)
{
    for (int i = range.first; i >= 0 && i < range.second; ++i) {
        const int equals = lines[i].indexOf(QLatin1Char('='));
        if (equals > 0 && lines[i].left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString TIniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Lines file = readLines(m_fileName);
    const int line = findKey(file.lines, findSection(file.lines, section), key);
    if (line < 0)
        return defaultValue;
    const QString &text = file.lines[line];
    return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed().left(kMaxValueLength);
}

void TIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Lines file = readLines(m_fileName);
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString entry = key + QLatin1Char('=') + flat;

    auto range = findSection(file.lines, section);
    const int line = findKey(file.lines, range, key);
    if (line >= 0) {
        file.lines[line] = entry;
    } else if (range.first >= 0) {
        int at = range.second;
        while (at > range.first && file.lines[at - 1].trimmed().isEmpty())
            --at;  // keep the blank lines that separate sections after the new entry
        file.lines.insert(at, entry);
    } else {
        if (!file.lines.isEmpty() && !file.lines.last().trimmed().isEmpty())
            file.lines << QString();
        file.lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }

    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile out(m_fileName);
    bool ok = out.open(QIODevice::WriteOnly);
    if (ok) {
        out.write((file.lines.join(file.lineEnd) + file.lineEnd).toUtf8());
        ok = out.commit();
    }
    if (!ok)
        throw EngineError(EngineError::DiskError, QStringLiteral("Unable to write to %1").arg(m_fileName));
}
