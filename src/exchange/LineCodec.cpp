#include "exchange/LineCodec.h"

#include "exchange/TextEncoding.h"
#include "exchange/Windows1252.h"

bool LineCodec::hasHighBytes(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return true;
    return false;
}

QString LineCodec::decode(QByteArrayView line)
{
    return decode(line, TextEncoding::Cp1252);
}

QString LineCodec::decode(QByteArrayView line, TextEncoding eightBit)
{
    if (line.isValidUtf8())
        return QString::fromUtf8(line);
    return decodeAs(line, eightBit);
}

QString LineCodec::decodeAs(QByteArrayView line, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Automatic:
        return decode(line);
    case TextEncoding::Cp437:
        return Cp437::decode(line);
    case TextEncoding::Cp1252:
        return Windows1252::decode(line);
    case TextEncoding::Utf8:
        break;
    }
    return QString::fromUtf8(line);
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
