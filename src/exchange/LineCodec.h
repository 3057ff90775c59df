#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

enum class TextEncoding;

// How one line of an exchange file is turned into text and back. Old files are 8-bit
// (Windows-1252), newer ones may be UTF-8, and a file may even mix them line by line, so the
// choice is made per line: a line that is valid UTF-8 is read as UTF-8, any other as 8-bit.
class LineCodec {
public:
    static QString decode(QByteArrayView line);
    // The same with the 8-bit code page given (Cp437 or Cp1252) for the lines that are not UTF-8.
    static QString decode(QByteArrayView line, TextEncoding eightBit);
    // The line in the encoding given, valid UTF-8 or not; Automatic is the rule of decode().
    static QString decodeAs(QByteArrayView line, TextEncoding encoding);
    // Appends the line's bytes: 8-bit when every character has a byte there (so files stay
    // readable by 8-bit programs), UTF-8 otherwise, or when the 8-bit bytes would read back
    // as different UTF-8 text.
    static void encode(QStringView line, QByteArray &out);
    // Whether a byte is 0x80 or above: ASCII bytes read the same in every encoding.
    static bool hasHighBytes(QByteArrayView bytes);
};
