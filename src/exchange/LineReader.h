#pragma once

#include "exchange/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

class QBuffer;
class QIODevice;

// Reads an exchange file line by line without holding it whole. CR LF, LF alone and CR
// alone each end a line; byte 26 ends the text, as it did for the old 8-bit programs; a
// UTF-8 byte-order mark at the start is dropped. Each line is decoded on its own
// (LineCodec), in the encoding set. The importers look at most a few lines ahead, and ask
// before every read whether the line is there, so a short file ends the import instead of
// being read past.
// A line longer than a megabyte is no recipe text: reading it raises an ExchangeError naming it.
// NUL bytes are no text either: a line keeps its other characters, and taking it tells the
// cleaned-line handler its number.
class LineReader {
public:
    explicit LineReader(QIODevice &device);  // an open device, read from its position on
    explicit LineReader(const QByteArray &bytes);
    ~LineReader();
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    // No line of a recipe file comes near this; a longer one means a file of another kind, which
    // would otherwise be held whole in memory while its line end is sought.
    static constexpr qsizetype kMaxLineLength = 1024 * 1024;
    static constexpr char kEndOfText = 26;
    // Where the line that starts at `from` ends: its CR, LF or byte 26; -1 when none follows.
    static qsizetype findLineEnd(QByteArrayView bytes, qsizetype from);

    // How the lines are decoded; set it before the first line is looked at. Unset, a line that
    // is valid UTF-8 is read as UTF-8 and any other as Windows-1252. Automatic first reads the
    // whole text once to find the code page of its 8-bit lines (TextEncodingDetector); an
    // encoding named reads every line in it.
    void setEncoding(TextEncoding encoding);
    // What the lines are read in: the encoding named, or what Automatic found (UTF-8 when
    // every line is valid UTF-8); Automatic while unset.
    TextEncoding encoding();

    // Whether at least `count` lines are still to be taken.
    bool hasLines(int count);
    // A line still to be taken, `ahead` lines after the next one; hasLines(ahead + 1) must hold.
    const QString &peek(int ahead = 0);
    QString take();
    // The number (from 1) of the line taken last; 0 before the first.
    int lineNumber() const { return m_taken; }
    void setCleanedLineHandler(std::function<void(int lineNumber)> handler) { m_onCleanedLine = std::move(handler); }

private:
    bool decodeNextLine();
    bool nextRawLine(QByteArrayView &line);
    void refill();
    void dropByteOrderMark();
    void detectEncoding();

    std::unique_ptr<QBuffer> m_ownBuffer;
    QIODevice *m_device;
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_deviceDone = false;
    bool m_textEnded = false;
    bool m_atStart = true;
    // The encoding of every line, or with m_perLine, of those that are not valid UTF-8.
    TextEncoding m_encoding = TextEncoding::Cp1252;
    bool m_perLine = true;
    bool m_detect = false;
    bool m_encodingSet = false;
    struct Line {
        QString text;
        bool cleaned;  // NUL bytes were removed from it
    };
    std::deque<Line> m_ahead;
    std::function<void(int)> m_onCleanedLine;
    int m_taken = 0;
};
