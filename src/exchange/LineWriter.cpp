#include "exchange/LineWriter.h"

#include "data/RegularFile.h"
#include "exchange/ExchangeError.h"
#include "exchange/LineCodec.h"

namespace {

constexpr qsizetype kFlushSize = 256 * 1024;

} // namespace

LineWriter::LineWriter(const QString &fileName) : m_file(fileName)
{
    if (const QString problem = RegularFile::problem(fileName); !problem.isEmpty())
        throw ExchangeError(problem);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail();
    m_buffer.reserve(kFlushSize + 4096);
}

LineWriter::~LineWriter()
{
    if (m_file.isOpen() && !m_buffer.isEmpty())
        m_file.write(m_buffer);
}

void LineWriter::writeLine(const QString &line)
{
    LineCodec::encode(line, m_buffer);
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void LineWriter::close()
{
    flush();
    if (!m_file.flush())
        fail();
    m_file.close();
}

void LineWriter::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_file.write(m_buffer) != m_buffer.size()) {
        m_buffer.clear();
        fail();
    }
    m_buffer.clear();
}

void LineWriter::fail()
{
    throw ExchangeError(QStringLiteral("Cannot write \"%1\": %2").arg(m_file.fileName(), m_file.errorString()));
}
