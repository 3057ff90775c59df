#include "exchange/LineReader.h"

#include "exchange/ExchangeError.h"
#include "exchange/LineCodec.h"

#include <QBuffer>

namespace {

constexpr qint64 kChunkSize = 256 * 1024;
constexpr char kEndOfText = 26;
// No line of a recipe file comes near this; a longer one means a file of another kind, which
// would otherwise be held whole in memory while its line end is sought.
constexpr qsizetype kMaxLineLength = 1024 * 1024;

qsizetype findLineBreak(const QByteArray &bytes, qsizetype from)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    for (qsizetype k = from; k < size; ++k) {
        const char c = data[k];
        if (c == '\r' || c == '\n' || c == kEndOfText)
            return k;
    }
    return -1;
}

} // namespace

LineReader::LineReader(QIODevice &device) : m_device(&device) {}

LineReader::LineReader(const QByteArray &bytes) : m_ownBuffer(std::make_unique<QBuffer>())
{
    m_ownBuffer->setData(bytes);
    m_ownBuffer->open(QIODevice::ReadOnly);
    m_device = m_ownBuffer.get();
}

LineReader::~LineReader() = default;

bool LineReader::hasLines(int count)
{
    while (int(m_ahead.size()) < count)
        if (!decodeNextLine())
            return false;
    return true;
}

const QString &LineReader::peek(int ahead)
{
    hasLines(ahead + 1);
    Q_ASSERT(int(m_ahead.size()) > ahead);
    return m_ahead[size_t(ahead)].text;
}

QString LineReader::take()
{
    hasLines(1);
    Q_ASSERT(!m_ahead.empty());
    Line line = std::move(m_ahead.front());
    m_ahead.pop_front();
    ++m_taken;
    if (line.cleaned && m_onCleanedLine)
        m_onCleanedLine(m_taken);
    return std::move(line.text);
}

bool LineReader::decodeNextLine()
{
    QByteArrayView raw;
    if (!nextRawLine(raw))
        return false;
    QString text = LineCodec::decode(raw);
    const bool cleaned = text.contains(QChar(0));
    if (cleaned)
        text.remove(QChar(0));
    m_ahead.push_back({std::move(text), cleaned});
    return true;
}

void LineReader::refill()
{
    if (m_pos > 0) {
        m_bytes.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray chunk = m_device->read(kChunkSize);
    if (chunk.isEmpty())
        m_deviceDone = true;
    else
        m_bytes.append(chunk);
}

void LineReader::dropByteOrderMark()
{
    m_atStart = false;
    while (m_bytes.size() < 3 && !m_deviceDone)
        refill();
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

bool LineReader::nextRawLine(QByteArrayView &line)
{
    if (m_textEnded)
        return false;
    if (m_atStart)
        dropByteOrderMark();
    for (;;) {
        const qsizetype lineEnd = findLineBreak(m_bytes, m_pos);
        if ((lineEnd < 0 ? m_bytes.size() : lineEnd) - m_pos > kMaxLineLength)
            throw ExchangeError(QStringLiteral("The line is longer than %1 bytes; this is not a recipe file.")
                                    .arg(kMaxLineLength),
                                m_taken + int(m_ahead.size()) + 1);
        if (lineEnd < 0 && !m_deviceDone) {
            refill();
            continue;
        }
        if (lineEnd < 0) {  // the last line has no line end
            m_textEnded = true;
            line = QByteArrayView(m_bytes).sliced(m_pos);
            m_pos = m_bytes.size();
            return !line.isEmpty();
        }
        const char c = m_bytes.at(lineEnd);
        if (c == '\r' && lineEnd + 1 == m_bytes.size() && !m_deviceDone) {
            refill();  // an LF may follow in the next chunk
            continue;
        }
        line = QByteArrayView(m_bytes).sliced(m_pos, lineEnd - m_pos);
        if (c == kEndOfText) {
            m_textEnded = true;
            return !line.isEmpty();
        }
        m_pos = lineEnd + 1;
        if (c == '\r' && m_pos < m_bytes.size() && m_bytes.at(m_pos) == '\n')
            ++m_pos;
        return true;
    }
}
