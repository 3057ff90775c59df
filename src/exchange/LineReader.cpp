#include "exchange/LineReader.h"

#include "exchange/ExchangeError.h"
#include "exchange/LineCodec.h"

#include <QBuffer>

namespace {

constexpr qint64 kChunkSize = 256 * 1024;

} // namespace

qsizetype LineReader::findLineEnd(QByteArrayView bytes, qsizetype from)
{
    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype k = from; k < size; ++k) {
        const char c = data[k];
        if (c == '\r' || c == '\n' || c == kEndOfText)
            return k;
    }
    return -1;
}

LineReader::LineReader(QIODevice &device) : m_device(&device) {}

LineReader::LineReader(const QByteArray &bytes) : m_ownBuffer(std::make_unique<QBuffer>())
{
    m_ownBuffer->setData(bytes);
    m_ownBuffer->open(QIODevice::ReadOnly);
    m_device = m_ownBuffer.get();
}

LineReader::~LineReader() = default;

void LineReader::setEncoding(TextEncoding encoding)
{
    Q_ASSERT(m_atStart);
    m_encodingSet = true;
    m_detect = encoding == TextEncoding::Automatic;
    m_perLine = m_detect;
    m_encoding = m_detect ? TextEncoding::Cp1252 : encoding;
}

TextEncoding LineReader::encoding()
{
    if (!m_encodingSet)
        return TextEncoding::Automatic;
    if (m_atStart)
        hasLines(1);  // Automatic decides on the first look at the text
    return m_encoding;
}

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
    QString text = m_perLine ? LineCodec::decode(raw, m_encoding) : LineCodec::decodeAs(raw, m_encoding);
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

// The whole text is read once, from the device's position on, before its first line is decoded.
void LineReader::detectEncoding()
{
    TextEncodingDetector detector;
    if (m_device->isSequential()) {  // held whole, then: it cannot be read twice
        while (!m_deviceDone && !detector.isDone()) {
            const qsizetype had = m_bytes.size();
            refill();
            detector.feed(QByteArrayView(m_bytes).sliced(had));
        }
    } else {
        const qint64 start = m_device->pos();
        while (!detector.isDone()) {
            const QByteArray chunk = m_device->read(kChunkSize);
            if (chunk.isEmpty())
                break;
            detector.feed(chunk);
        }
        m_device->seek(start);
    }
    m_encoding = detector.result();
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
    if (m_atStart) {
        if (m_detect)
            detectEncoding();
        dropByteOrderMark();
    }
    for (;;) {
        const qsizetype lineEnd = findLineEnd(m_bytes, m_pos);
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
