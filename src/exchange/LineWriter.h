#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes lines to the end of a text file, each encoded by LineCodec and ended with CR LF.
// An existing file keeps its content; a missing one is created.
class LineWriter {
public:
    explicit LineWriter(const QString &fileName);
    // Writes out what is still buffered, so the lines written before a failure stay in the file.
    ~LineWriter();
    LineWriter(const LineWriter &) = delete;
    LineWriter &operator=(const LineWriter &) = delete;

    void writeLine(const QString &line);
    // Writes out and closes the file; a failure is raised as an ExchangeError.
    void close();

private:
    void flush();
    [[noreturn]] void fail();

    QFile m_file;
    QByteArray m_buffer;
};
