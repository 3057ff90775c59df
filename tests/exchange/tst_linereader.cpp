#include "exchange/LineCodec.h"
#include "exchange/LineReader.h"
#include "exchange/Windows1252.h"

#include <QBuffer>
#include <QtTest>

namespace {

QStringList readAll(LineReader &reader)
{
    QStringList lines;
    while (reader.hasLines(1))
        lines << reader.take();
    return lines;
}

QStringList readAll(const QByteArray &bytes)
{
    LineReader reader(bytes);
    return readAll(reader);
}

QByteArray encoded(const QString &line)
{
    QByteArray out;
    LineCodec::encode(line, out);
    return out;
}

} // namespace

class TestLineReader : public QObject {
    Q_OBJECT
private slots:
    void splitsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF alone") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
        QTest::newRow("no final line end") << QByteArray("a\r\nlast") << QStringList{"a", "last"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("character 26 ends the text") << QByteArray("a\r\n\x1a" "after\r\n") << QStringList{"a"};
        QTest::newRow("character 26 inside a line") << QByteArray("a\r\nbc\x1a" "d\r\ne") << QStringList{"a", "bc"};
        QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBFPlatewright\r\n") << QStringList{"Platewright"};
        QTest::newRow("mark before an 8-bit line") << QByteArray("\xEF\xBB\xBF" "caf\xE9") << QStringList{u"café"_qs};
    }
    void splitsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(readAll(bytes), lines);
    }

    // The reader takes the file in chunks: a CR at the end of one chunk and its LF at the
    // start of the next are still one line end.
    void lineEndAcrossChunks_data()
    {
        QTest::addColumn<int>("firstLineLength");
        QTest::newRow("CR last byte of chunk") << 256 * 1024 - 1;
        QTest::newRow("CR first byte of chunk") << 256 * 1024;
        QTest::newRow("LF last byte of chunk") << 256 * 1024 - 2;
    }
    void lineEndAcrossChunks()
    {
        QFETCH(int, firstLineLength);
        const QByteArray bytes = QByteArray(firstLineLength, 'x') + "\r\nsecond\r\nthird";
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        LineReader reader(buffer);
        const QStringList lines = readAll(reader);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].size(), firstLineLength);
        QCOMPARE(lines.mid(1), (QStringList{"second", "third"}));
    }

    void manyLinesThroughADevice()
    {
        QByteArray bytes;
        for (int i = 0; i < 100000; ++i)
            bytes += "line " + QByteArray::number(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        LineReader reader(buffer);
        int count = 0;
        QString last;
        while (reader.hasLines(1)) {
            last = reader.take();
            QCOMPARE(reader.lineNumber(), ++count);
        }
        QCOMPARE(count, 100000);
        QCOMPARE(last, QStringLiteral("line 99999"));
    }

    void looksAheadWithoutTaking()
    {
        LineReader reader(QByteArray("one\ntwo\nthree"));
        QVERIFY(reader.hasLines(3));
        QVERIFY(!reader.hasLines(4));
        QCOMPARE(reader.peek(2), QStringLiteral("three"));
        QCOMPARE(reader.lineNumber(), 0);
        QCOMPARE(reader.take(), QStringLiteral("one"));
        QCOMPARE(reader.peek(), QStringLiteral("two"));
        QCOMPARE(reader.lineNumber(), 1);
        QVERIFY(!reader.hasLines(3));
    }

    void decodesEachLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain ASCII") << QByteArray("Flour") << QStringLiteral("Flour");
        QTest::newRow("UTF-8") << QByteArray("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65") << u"Crème brûlée"_qs;
        QTest::newRow("8-bit accent") << QByteArray("Cr\xE8me") << u"Crème"_qs;
        QTest::newRow("8-bit euro and quotes") << QByteArray("\x80\x35 \x93hot\x94") << u"€5 “hot”"_qs;
        QTest::newRow("8-bit degree sign") << QByteArray("350\xB0" "F") << u"350°F"_qs;
        QTest::newRow("broken UTF-8 read as 8-bit") << QByteArray("\xC3(") << u"Ã("_qs;
        QTest::newRow("unassigned byte kept") << QByteArray("a\x81z") << u"a\u0081z"_qs;
    }
    void decodesEachLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(LineCodec::decode(bytes), text);
    }

    void aFileMayMixCodePages()
    {
        QCOMPARE(readAll(QByteArray("caf\xC3\xA9\r\ncaf\xE9\r\n")), (QStringList{u"café"_qs, u"café"_qs}));
    }

    // Real lines of the Meal-Master archives; those in 1252 are the lines of the archive's
    // converted twin as a Windows editor writes them. The code page is told for the whole text.
    void detectsTheCodePageOfRealLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        QTest::newRow("437: accent ending a title") << QByteArray("      Title: Frosted Liver Pat\x82")
                                                    << TextEncoding::Cp437 << u"      Title: Frosted Liver Paté"_qs;
        QTest::newRow("437: accent ending a word") << QByteArray("  enjoy the entree\x82. From: Syd's")
                                                   << TextEncoding::Cp437 << u"  enjoy the entreeé. From: Syd's"_qs;
        QTest::newRow("437: degrees F") << QByteArray("  Preheat oven to 325\xF8" "F.  Bake artichoke mixture")
                                        << TextEncoding::Cp437 << u"  Preheat oven to 325°F.  Bake artichoke mixture"_qs;
        QTest::newRow("437: degrees alone") << QByteArray("  heat 1\" of oil to 375\xF8. Fry wings")
                                            << TextEncoding::Cp437 << u"  heat 1\" of oil to 375°. Fry wings"_qs;
        QTest::newRow("437: degrees, other archive") << QByteArray("  surface heat or in a preheat, 350\xF8" "F oven")
                                                     << TextEncoding::Cp437 << u"  surface heat or in a preheat, 350°F oven"_qs;
        QTest::newRow("437: half as the quantity") << QByteArray("  \xAB     tsp Italian seasoning")
                                                   << TextEncoding::Cp437 << u"  ½     tsp Italian seasoning"_qs;
        QTest::newRow("437: quarter after a digit") << QByteArray("  coconut in 1\xAC cup warm water")
                                                    << TextEncoding::Cp437 << u"  coconut in 1¼ cup warm water"_qs;
        QTest::newRow("nothing tells: DOS") << QByteArray("  1.80\xE1") << TextEncoding::Cp437 << u"  1.80ß"_qs;
        QTest::newRow("1252: accent ending a title") << QByteArray("      Title: Frosted Liver Pat\xE9")
                                                     << TextEncoding::Cp1252 << u"      Title: Frosted Liver Paté"_qs;
        QTest::newRow("1252: accent inside a word") << QByteArray("  enjoy the entr\xE9" "e. From: Syd's")
                                                    << TextEncoding::Cp1252 << u"  enjoy the entrée. From: Syd's"_qs;
        QTest::newRow("1252: degrees F") << QByteArray("  Preheat oven to 325\xBA" "F.  Bake artichoke mixture")
                                         << TextEncoding::Cp1252 << u"  Preheat oven to 325ºF.  Bake artichoke mixture"_qs;
        QTest::newRow("1252: apostrophe") << QByteArray("  your guests can\x92t enjoy the entree.")
                                          << TextEncoding::Cp1252 << u"  your guests can’t enjoy the entree."_qs;
        QTest::newRow("1252: quotes and euro") << QByteArray("\x80\x35 \x93hot\x94") << TextEncoding::Cp1252
                                               << u"€5 “hot”"_qs;
        QTest::newRow("UTF-8") << QByteArray("      Title: Frosted Liver Pat\xC3\xA9") << TextEncoding::Utf8
                               << u"      Title: Frosted Liver Paté"_qs;
    }
    void detectsTheCodePageOfRealLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        LineReader reader(bytes);
        reader.setEncoding(TextEncoding::Automatic);
        QCOMPARE(reader.take(), text);
        QCOMPARE(reader.encoding(), encoding);
    }

    // Automatic reads lines that are valid UTF-8 as UTF-8 in an 8-bit file; an encoding named
    // reads every line in it.
    void namedEncodingReadsEveryLine_data()
    {
        QTest::addColumn<TextEncoding>("named");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<TextEncoding>("used");
        QTest::newRow("automatic") << TextEncoding::Automatic << QStringList{u"Paté"_qs, u"Paté"_qs} << TextEncoding::Cp437;
        QTest::newRow("437") << TextEncoding::Cp437 << QStringList{u"Paté"_qs, u"Pat├⌐"_qs} << TextEncoding::Cp437;
        QTest::newRow("1252") << TextEncoding::Cp1252 << QStringList{u"Pat‚"_qs, u"PatÃ©"_qs} << TextEncoding::Cp1252;
        QTest::newRow("UTF-8") << TextEncoding::Utf8 << QStringList{u"Pat\uFFFD"_qs, u"Paté"_qs} << TextEncoding::Utf8;
    }
    void namedEncodingReadsEveryLine()
    {
        QFETCH(TextEncoding, named);
        QFETCH(QStringList, lines);
        QFETCH(TextEncoding, used);
        LineReader reader(QByteArray("Pat\x82\r\nPat\xC3\xA9\r\n"));
        reader.setEncoding(named);
        QCOMPARE(readAll(reader), lines);
        QCOMPARE(reader.encoding(), used);
    }

    void encodesEachLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain ASCII") << QStringLiteral("Flour") << QByteArray("Flour");
        QTest::newRow("8-bit when it fits") << u"Crème"_qs << QByteArray("Cr\xE8me");
        QTest::newRow("8-bit typography") << u"€ – ™"_qs << QByteArray("\x80 \x96 \x99");
        QTest::newRow("UTF-8 when it does not fit") << u"Crème ½ Ωmega"_qs.replace(u"½"_qs, u"\u2153"_qs)
                                                    << QByteArray("Cr\xC3\xA8me \xE2\x85\x93 \xCE\xA9mega");
        QTest::newRow("UTF-8 when 8-bit would read back differently") << u"Ã©"_qs << QByteArray("\xC3\x83\xC2\xA9");
    }
    void encodesEachLine()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encoded(text), bytes);
        QCOMPARE(LineCodec::decode(encoded(text)), text);
    }

    void everyByteSurvivesTheCodePage()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray original(1, char(byte));
            QByteArray back;
            QVERIFY2(Windows1252::encode(Windows1252::decode(original), back), qPrintable(QString::number(byte, 16)));
            QCOMPARE(back, original);
        }
    }

    void codePageTable_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("codePoint");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("right single quote") << 0x92 << 0x2019;
        QTest::newRow("em dash") << 0x97 << 0x2014;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("e acute") << 0xE9 << 0x00E9;
    }
    void codePageTable()
    {
        QFETCH(int, byte);
        QFETCH(int, codePoint);
        QCOMPARE(int(Windows1252::decodeByte(uchar(byte)).unicode()), codePoint);
    }

    void charactersWithoutAByteAreRefused()
    {
        QByteArray out("kept");
        QVERIFY(!Windows1252::encode(u"a\u0080b"_qs, out));  // a C1 control the table gives to the euro
        QVERIFY(!Windows1252::encode(u"Ω"_qs, out));
        QCOMPARE(out, QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestLineReader)
#include "tst_linereader.moc"
