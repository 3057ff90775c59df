#include "exchange/TextEncoding.h"

#include "exchange/LineCodec.h"
#include "exchange/LineReader.h"
#include "exchange/Windows1252.h"

#include <QStringList>
#include <array>

namespace {

const QStringList kDescriptions = {QStringLiteral("Automatic"), QStringLiteral("DOS (437)"),
                                   QStringLiteral("Windows (1252)"), QStringLiteral("UTF-8")};
const QStringList kOptionNames = {QStringLiteral("auto"), QStringLiteral("cp437"), QStringLiteral("cp1252"),
                                  QStringLiteral("utf-8")};

// Bytes 0x80..0xFF of code page 437 in order.
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// What an 8-bit byte reads as, for the votes.
enum class Kind : unsigned char {
    Letter, Capital, Degree, Fraction, Opening, Closing, Dash, Currency, Neutral, Unlikely
};

Kind kindOf(char16_t c)
{
    switch (c) {
    case u'°': case u'º':
        return Kind::Degree;
    case u'¼': case u'½': case u'¾':
        return Kind::Fraction;
    case u'‘': case u'“': case u'„': case u'«': case u'‹': case u'¿': case u'¡':
        return Kind::Opening;
    case u'’': case u'”': case u'»': case u'›': case u'…': case u'™': case u'®':
        return Kind::Closing;
    case u'–': case u'—':
        return Kind::Dash;
    case u'€': case u'£': case u'¢': case u'¥': case u'₧':
        return Kind::Currency;
    case u'•': case u'‚': case u'†': case u'‡': case u'‰': case u'ƒ': case u'µ': case u'ª': case u'©': case u'§':
    case u'±': case u'×': case u'÷': case u'·': case u'²': case u'³': case u'¹': case u'¶': case u'\u00A0':
        return Kind::Neutral;
    default:
        break;
    }
    // Latin letters only: the Greek letters of 437 are mathematical signs in a recipe.
    const QChar character(c);
    if (c >= 0xC0 && c <= 0x24F && character.isLetter())
        return character.isUpper() ? Kind::Capital : Kind::Letter;
    return Kind::Unlikely;
}

struct HighByte {
    Kind kind;
    bool wordEdgeLetter;  // é and É stand at the start or end of words (pâté, entrée, éclair)
};

using KindTable = std::array<HighByte, 128>;

template <typename Decode>
KindTable kindTable(Decode decode)
{
    KindTable table{};
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char16_t c = decode(uchar(byte));
        table[size_t(byte - 0x80)] = {kindOf(c), c == u'é' || c == u'É'};
    }
    return table;
}

const KindTable &kinds437()
{
    static const KindTable table = kindTable([](uchar byte) { return kCp437High[byte - 0x80]; });
    return table;
}

const KindTable &kinds1252()
{
    static const KindTable table = kindTable([](uchar byte) { return Windows1252::decodeByte(byte).unicode(); });
    return table;
}

// What stands beside an 8-bit byte; another 8-bit byte is most likely a letter.
enum class Beside : unsigned char { Lower, Upper, Digit, Blank, Punctuation, EightBit };

Beside besideAt(QByteArrayView line, qsizetype at)
{
    if (at < 0 || at >= line.size())
        return Beside::Blank;
    const uchar c = uchar(line[at]);
    if (c >= 0x80)
        return Beside::EightBit;
    if (c >= 'a' && c <= 'z')
        return Beside::Lower;
    if (c >= 'A' && c <= 'Z')
        return Beside::Upper;
    if (c >= '0' && c <= '9')
        return Beside::Digit;
    if (c == ' ' || c == '\t')
        return Beside::Blank;
    return Beside::Punctuation;
}

bool isLetter(Beside b)
{
    return b == Beside::Lower || b == Beside::Upper || b == Beside::EightBit;
}

// How well the byte's reading fits between what stands before and after it.
int vote(const HighByte &byte, Beside before, Beside after)
{
    switch (byte.kind) {
    case Kind::Letter:
        if (isLetter(before) && isLetter(after))
            return 2;
        return byte.wordEdgeLetter && (isLetter(before) || isLetter(after)) ? 1 : 0;
    case Kind::Capital:
        return before != Beside::Lower && isLetter(after) ? 1 : 0;
    case Kind::Degree:
        return before == Beside::Digit ? 3 : 0;
    case Kind::Fraction:
        return before == Beside::Digit || (before == Beside::Blank && !isLetter(after)) ? 3 : 0;
    case Kind::Opening:
        return !isLetter(before) && before != Beside::Digit && (isLetter(after) || after == Beside::Digit) ? 1 : 0;
    case Kind::Closing:
        if (isLetter(before) && isLetter(after))
            return 2;  // an apostrophe
        return before != Beside::Blank && !isLetter(after) ? 1 : 0;
    case Kind::Dash:
        return 1;
    case Kind::Currency:
        return before == Beside::Digit || after == Beside::Digit ? 1 : 0;
    case Kind::Neutral:
        return 0;
    case Kind::Unlikely:
        return -2;
    }
    return 0;
}

} // namespace

QString TextEncodings::description(TextEncoding encoding)
{
    return kDescriptions.at(int(encoding));
}

QString TextEncodings::optionName(TextEncoding encoding)
{
    return kOptionNames.at(int(encoding));
}

std::optional<TextEncoding> TextEncodings::fromOptionName(QStringView name)
{
    const qsizetype index = kOptionNames.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return TextEncoding(index);
}

QString Cp437::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar byte = uchar(bytes[i]);
        out[i] = QChar(byte < 0x80 ? char16_t(byte) : kCp437High[byte - 0x80]);
    }
    return text;
}

void TextEncodingDetector::feed(QByteArrayView bytes)
{
    if (m_ended)
        return;
    if (m_atStart && !bytes.isEmpty()) {
        m_atStart = false;
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
    }
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = LineReader::findLineEnd(bytes, start);
        if (end < 0)
            break;
        const QByteArrayView piece = bytes.sliced(start, end - start);
        if (m_partialLine.isEmpty()) {
            takeLine(piece);
        } else {
            m_partialLine.append(piece);
            takeLine(m_partialLine);
            m_partialLine.clear();
        }
        if (bytes[end] == LineReader::kEndOfText) {
            m_ended = true;
            return;
        }
        start = end + 1;
    }
    m_partialLine.append(bytes.sliced(start));
    // A longer line is no recipe text: the line reader refuses it, and it is not held here.
    if (m_partialLine.size() > LineReader::kMaxLineLength) {
        m_partialLine.clear();
        m_ended = true;
    }
}

TextEncoding TextEncodingDetector::result()
{
    if (!m_partialLine.isEmpty()) {
        takeLine(m_partialLine);
        m_partialLine.clear();
    }
    if (!m_eightBitLines)
        return TextEncoding::Utf8;
    return m_votesFor1252 > m_votesFor437 ? TextEncoding::Cp1252 : TextEncoding::Cp437;
}

TextEncoding TextEncodingDetector::detect(QByteArrayView text)
{
    TextEncodingDetector detector;
    detector.feed(text);
    return detector.result();
}

// A line that is valid UTF-8 is read as UTF-8 whatever the file's code page.
void TextEncodingDetector::takeLine(QByteArrayView line)
{
    if (!LineCodec::hasHighBytes(line) || line.isValidUtf8())
        return;
    m_eightBitLines = true;
    scoreLine(line);
}

void TextEncodingDetector::scoreLine(QByteArrayView line)
{
    const KindTable &in437 = kinds437();
    const KindTable &in1252 = kinds1252();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const uchar byte = uchar(line[i]);
        if (byte < 0x80)
            continue;
        const Beside before = besideAt(line, i - 1);
        const Beside after = besideAt(line, i + 1);
        m_votesFor437 += vote(in437[byte - 0x80], before, after);
        m_votesFor1252 += vote(in1252[byte - 0x80], before, after);
    }
}
