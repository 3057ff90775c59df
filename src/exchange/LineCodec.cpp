#include "exchange/LineCodec.h"

#include "exchange/Windows1252.h"

namespace {

bool hasHighBytes(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return true;
    return false;
}

} // namespace

QString LineCodec::decode(QByteArrayView line)
{
    if (line.isValidUtf8())
        return QString::fromUtf8(line);
    return Windows1252::decode(line);
}

void LineCodec::encode(QStringView line, QByteArray &out)
{
    const qsizetype start = out.size();
    if (Windows1252::encode(line, out)) {
        const QByteArrayView written = QByteArrayView(out).sliced(start);
        if (!hasHighBytes(written) || !written.isValidUtf8())
            return;
        out.truncate(start);
    }
    out.append(line.toUtf8());
}
