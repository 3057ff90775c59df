#include "data/IniFile.h"

#include "data/EngineError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// Lines are kept as bytes: a line the program does not change is written back byte for byte,
// even when it is not UTF-8 (a path in an 8-bit code page, or garbage).
// A byte-order mark at the start of the file is set aside so the first heading is recognised,
// and put back when the file is written.
struct Lines {
    QByteArray byteOrderMark;
    QList<QByteArray> lines;
    QByteArray lineEnd = "\n";
};

const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");

Lines readLines(const QString &fileName)
{
    Lines result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8ByteOrderMark)) {
        result.byteOrderMark = kUtf8ByteOrderMark;
        bytes.remove(0, kUtf8ByteOrderMark.size());
    }
    if (bytes.contains("\r\n"))
        result.lineEnd = "\r\n";
    result.lines = bytes.split('\n');
    for (QByteArray &line : result.lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    return result;
}

bool isSectionHeading(const QByteArray &line, QString *name = nullptr)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return false;
    if (name)
        *name = QString::fromUtf8(trimmed.mid(1, trimmed.size() - 2)).trimmed();
    return true;
}

// The range of lines after the heading of the section: [first, end). first is -1 when absent.
std::pair<int, int> findSection(const QList<QByteArray> &lines, const QString &section)
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

int findKey(const QList<QByteArray> &lines, std::pair<int, int> range, const QString &key)
{
    for (int i = range.first; i >= 0 && i < range.second; ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0 && QString::fromUtf8(lines[i].left(equals)).trimmed().compare(key, Qt::CaseInsensitive) == 0)
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
    const QByteArray &text = file.lines[line];
    return QString::fromUtf8(text.mid(text.indexOf('=') + 1)).trimmed().left(kMaxValueLength);
}

void TIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Lines file = readLines(m_fileName);
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray entry = (key + QLatin1Char('=') + flat).toUtf8();

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
            file.lines << QByteArray();
        file.lines << (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8() << entry;
    }

    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile out(m_fileName);
    bool ok = out.open(QIODevice::WriteOnly);
    if (ok) {
        out.write(file.byteOrderMark + file.lines.join(file.lineEnd) + file.lineEnd);
        ok = out.commit();
    }
    if (!ok)
        throw EngineError(EngineError::DiskError, QStringLiteral("Unable to write to %1").arg(m_fileName));
}
