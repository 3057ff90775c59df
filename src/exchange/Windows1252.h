#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page of the exchange files. Bytes 0x80..0x9F carry typographic characters;
// the five bytes the code page leaves unassigned stand for the C1 controls of the same
// number, so every byte decodes and every decoded text encodes back to the same bytes.
class Windows1252 {
public:
    static QString decode(QByteArrayView bytes);
    static QChar decodeByte(uchar byte);
    // Appends the bytes of the text; false, with nothing appended, when a character has no byte.
    static bool encode(QStringView text, QByteArray &out);
};
