#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The encodings a Meal-Master file may be read in. Automatic decides per file: UTF-8 when
// every line is valid UTF-8, otherwise the 8-bit code page its bytes fit (TextEncodingDetector).
enum class TextEncoding { Automatic, Cp437, Cp1252, Utf8 };

namespace TextEncodings {

// "Automatic", "DOS (437)", "Windows (1252)", "UTF-8": what the user picks and is told.
QString description(TextEncoding encoding);
// "auto", "cp437", "cp1252", "utf-8": the command-line option's values and the stored setting.
QString optionName(TextEncoding encoding);
std::optional<TextEncoding> fromOptionName(QStringView name);

} // namespace TextEncodings

// Code page 437 of the DOS programs: bytes 0x80..0xFF are accented letters, the degree sign,
// fractions, box drawing and mathematical signs; bytes below 0x80 are ASCII.
namespace Cp437 {
QString decode(QByteArrayView bytes);
}

// Tells which 8-bit code page a file's text is in, from the lines that are not valid UTF-8.
// Each 8-bit byte votes for the code page in which it reads as what stands at its place in a
// recipe: a letter inside a word, a degree sign or a fraction after a number, a quote at the
// edge of a word; box drawing, Greek letters and unassigned bytes vote against. Bytes 0x80..0x9F
// are letters in 437 and mostly punctuation in 1252, which is what the votes mostly turn on.
// The file is fed in pieces as it is read; byte 26 ends its text.
class TextEncodingDetector {
public:
    void feed(QByteArrayView bytes);
    // Utf8 when no line needed an 8-bit code page; otherwise Cp437 or Cp1252. Where the bytes
    // do not tell, 437: Meal-Master was a DOS program.
    TextEncoding result();
    static TextEncoding detect(QByteArrayView text);
    // Whether the rest of the file can tell nothing more: its text has ended.
    bool isDone() const { return m_ended; }

private:
    void takeLine(QByteArrayView line);
    void scoreLine(QByteArrayView line);

    QByteArray m_partialLine;  // the start of a line the last piece cut
    bool m_ended = false;
    bool m_atStart = true;
    bool m_eightBitLines = false;
    qint64 m_votesFor437 = 0;
    qint64 m_votesFor1252 = 0;
};
