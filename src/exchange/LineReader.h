#pragma once

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
// (LineCodec). The importers look at most a few lines ahead, and ask before every read
// whether the line is there, so a short file ends the import instead of being read past.
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

    std::unique_ptr<QBuffer> m_ownBuffer;
    QIODevice *m_device;
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_deviceDone = false;
    bool m_textEnded = false;
    bool m_atStart = true;
    struct Line {
        QString text;
        bool cleaned;  // NUL bytes were removed from it
    };
    std::deque<Line> m_ahead;
    std::function<void(int)> m_onCleanedLine;
    int m_taken = 0;
};
