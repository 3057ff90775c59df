#include "ExchangeFixture.h"
#include "exchange/ExchangeError.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/IngredientDirectory.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"

#include <QIODevice>
#include <QRandomGenerator>
#include <QtTest>
#include <sys/stat.h>

namespace {

// A device that hands out the given lines and then the same byte for ever, with no line end,
// counting what was taken from it.
class EndlessLine final : public QIODevice {
public:
    explicit EndlessLine(QByteArray start) : m_start(std::move(start)) { open(QIODevice::ReadOnly); }
    qint64 taken() const { return m_taken; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        for (qint64 i = 0; i < maxSize; ++i, ++m_taken)
            data[i] = m_taken < m_start.size() ? m_start[m_taken] : 'x';
        return maxSize;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_start;
    qint64 m_taken = 0;
};

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, 0);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

template <size_t N>
QByteArray withNul(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

// Import files that are no recipe files, or not whole ones: a clear error naming the line or
// nothing imported, never a crash or a hang, and the recipes stored before stay as they were.
class TestBadImportFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;
    StoredRecipe m_kept;

    void verifyKeptRecipe()
    {
        const QList<StoredRecipe> stored = m_fx->recipes();
        QVERIFY(!stored.isEmpty());
        QVERIFY(stored.first().sameContent(m_kept));
        m_fx->verifyNothingHalfDone();
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<ExchangeFixture>();
        m_fx->addRecipe({{}, "Kept stew", {}, "Soups", {}, "4", {}, {"Simmer."}, {}, {}}, {"Beef|1|lb|", "Onion|2||chopped"});
        QCOMPARE(m_fx->recipes().size(), 1);
        m_kept = m_fx->recipes().first();
        QCOMPARE(m_kept.lines.size(), 2);
    }
    void cleanup() { m_fx.reset(); }

    void endlessLineEndsTheImportAtItsLine_data();
    void endlessLineEndsTheImportAtItsLine();
    void binaryFileChangesNothingStored_data();
    void binaryFileChangesNothingStored();
    void emptyFileImportsNothing_data();
    void emptyFileImportsNothing();
    void archiveCutInsideARecipeKeepsTheWholeOnes();
    void onlyOrdinaryFilesAreReadOrWritten_data();
    void onlyOrdinaryFilesAreReadOrWritten();
    void nulBytesAreDroppedAndCounted();
    void emptyNamedIngredientIsSharedWithAnotherImport();
};

void TestBadImportFiles::endlessLineEndsTheImportAtItsLine_data()
{
    QTest::addColumn<bool>("mealMaster");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("stored");
    QTest::newRow("native, first line") << false << QByteArray() << 1 << 0;
    QTest::newRow("native, after a recipe")
        << false << nativeBlock("Name=Soup;", {"Boil."}, {}, {"Ingredient=Leek;Order=0;"}) + "Platewright\r\n" << 9 << 1;
    QTest::newRow("Meal-Master, first line") << true << QByteArray() << 1 << 0;
    QTest::newRow("Meal-Master, in the directions")
        << true << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n      Title: Soup\r\n"
                              " Categories: Soups\r\n      Yield: 4\r\n \r\n      2    Leeks\r\n \r\n  Boil ")
        << 9 << 0;
}

// The reader gives up after a bounded stretch of the line instead of holding it whole.
void TestBadImportFiles::endlessLineEndsTheImportAtItsLine()
{
    QFETCH(bool, mealMaster);
    QFETCH(QByteArray, start);
    QFETCH(int, line);
    QFETCH(int, stored);
    EndlessLine device(start);
    LineReader reader(device);
    try {
        m_fx->importFrom(mealMaster, reader);
        QFAIL("the import went through");
    } catch (const ExchangeError &e) {
        QCOMPARE(e.lineNumber(), line);
        QVERIFY2(e.message().contains(QStringLiteral("longer than")), qPrintable(e.message()));
    }
    QVERIFY2(device.taken() < 4 * 1024 * 1024, qPrintable(QString::number(device.taken())));
    QCOMPARE(m_fx->recipes().size(), 1 + stored);
    verifyKeptRecipe();
}

void TestBadImportFiles::binaryFileChangesNothingStored_data()
{
    QTest::addColumn<bool>("mealMaster");
    QTest::addColumn<QByteArray>("bytes");
    for (quint32 seed : {1u, 2u, 3u}) {
        const QByteArray bytes = randomBytes(seed, 512 * 1024);
        QByteArray without = bytes;
        without.replace('\x1a', '\x1b');  // no end-of-text byte: every line is read
        QTest::addRow("native, seed %u", seed) << false << bytes;
        QTest::addRow("native, seed %u, no end-of-text byte", seed) << false << without;
        QTest::addRow("Meal-Master, seed %u", seed) << true << bytes;
        QTest::addRow("Meal-Master, seed %u, no end-of-text byte", seed) << true << without;
    }
}

// Whatever random bytes make of lines, the import ends with a summary or an error naming a
// line, and only what it reports as stored is added.
void TestBadImportFiles::binaryFileChangesNothingStored()
{
    QFETCH(bool, mealMaster);
    QFETCH(QByteArray, bytes);
    LineReader reader(bytes);
    int stored = 0;
    try {
        stored = m_fx->importFrom(mealMaster, reader).recipesStored;
    } catch (const ExchangeError &e) {
        QVERIFY2(e.lineNumber() > 0, qPrintable(e.message()));
    }
    QCOMPARE(m_fx->recipes().size(), 1 + stored);
    verifyKeptRecipe();
}

void TestBadImportFiles::emptyFileImportsNothing_data()
{
    QTest::addColumn<bool>("mealMaster");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("native, empty") << false << QByteArray();
    QTest::newRow("native, one line end") << false << QByteArray("\r\n");
    QTest::newRow("Meal-Master, empty") << true << QByteArray();
    QTest::newRow("Meal-Master, end-of-text byte only") << true << QByteArray("\x1a");
}

void TestBadImportFiles::emptyFileImportsNothing()
{
    QFETCH(bool, mealMaster);
    QFETCH(QByteArray, bytes);
    LineReader reader(bytes);
    const ImportSummary summary = m_fx->importFrom(mealMaster, reader);
    QCOMPARE(summary.recipesRead, 0);
    QCOMPARE(m_fx->recipes().size(), 1);
    verifyKeptRecipe();
}

// A real archive cut off inside the ingredients of a recipe: every recipe before it is
// stored, the cut one is not, and the error names the recipe's place.
void TestBadImportFiles::archiveCutInsideARecipeKeepsTheWholeOnes()
{
    SKIP_WITHOUT_TESTDATA();
    const QByteArray whole = readFile(mealMasterArchive("gitpan_MealMaster/31000.mmf"));
    QVERIFY(!whole.isEmpty());
    const qsizetype title = whole.indexOf("Title:", whole.size() / 2);
    const qsizetype cut = whole.indexOf("\r\n", whole.indexOf("\r\n \r\n", title) + 4) + 2;  // after an ingredient line
    const QByteArray part = whole.left(cut);
    const int complete = int(part.count("\r\nMMMMM\r\n"));
    QVERIFY(complete > 30);
    LineReader reader(part);
    try {
        m_fx->importFrom(true, reader);
        QFAIL("the import went through");
    } catch (const ExchangeError &e) {
        QCOMPARE(e.lineNumber(), int(part.count("\r\n")));
        QVERIFY2(e.message().contains(QStringLiteral("The file ends here")), qPrintable(e.message()));
    }
    QCOMPARE(m_fx->recipes().size(), 1 + complete);
    verifyKeptRecipe();
}

void TestBadImportFiles::onlyOrdinaryFilesAreReadOrWritten_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder" << "a folder";
    QTest::newRow("pipe") << "pipe" << "a pipe, a socket or a device";
    QTest::newRow("device") << "/dev/zero" << "a pipe, a socket or a device";
}
// A folder, a pipe or a device is refused at once with one clear message, for either
// importer and for an export, instead of a wait for ever.
void TestBadImportFiles::onlyOrdinaryFilesAreReadOrWritten()
{
    QFETCH(QString, which);
    QFETCH(QString, kind);
    QString path = which;
    if (which == "folder") {
        path = m_fx->path("folder");
        QVERIFY(QDir().mkpath(path));
    } else if (which == "pipe") {
        path = m_fx->path("pipe");
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    }
    const QString message = "\"" + QDir::toNativeSeparators(path) + "\" is " + kind + ", not a file. Please choose a file.";
    for (int step = 0; step < 3; ++step) {
        try {
            if (step == 0)
                NativeImporter(m_fx->dm()).importFile(path);
            else if (step == 1)
                MealMasterImporter(m_fx->dm()).importFile(path);
            else if (!path.startsWith("/dev/"))
                NativeExporter(m_fx->dm()).exportRecipes(path, {m_kept.name});
            else
                continue;
            QFAIL("the file was taken");
        } catch (const ExchangeError &e) {
            QCOMPARE(e.message(), message);
        }
    }
    verifyKeptRecipe();
}

// The rest of a line with NUL bytes is kept, and the summary counts the line.
void TestBadImportFiles::nulBytesAreDroppedAndCounted()
{
    const QByteArray text = nativeBlock(withNul("Name=So\0up;Meal=;Category=Ve\0g;"), {withNul("Bo\0il.")}, {},
                                        {withNul("Ingredient=Le\0ek;Order=0;")});
    LineReader reader(text);
    const ImportSummary summary = m_fx->importFrom(false, reader);
    const StoredRecipe stored = m_fx->recipes().last();
    QCOMPARE(headerOf(stored), QStringLiteral("Soup||Veg|||"));
    QCOMPARE(stored.instructions, QStringList{"Boil."});
    QCOMPARE(linesOf(stored), QStringList{"Leek|0|||"});
    QCOMPARE(summary.nulLines, 3);
    QCOMPARE(summary.totalsText(), QStringLiteral("1 recipe imported, 3 lines held NUL bytes, kept without them"));
}

// An ingredient with an empty name that another import stored after this one read the
// ingredient table is found, not made a second time.
void TestBadImportFiles::emptyNamedIngredientIsSharedWithAnotherImport()
{
    ImportPoster poster;
    IngredientDirectory directory(m_fx->dm().tblIngredientLookup, poster);
    const QString stored = m_fx->addIngredient(QString());
    const int before = m_fx->count("INGREDIE");
    QCOMPARE(directory.keyFor(QString()), stored);
    QCOMPARE(m_fx->count("INGREDIE"), before);
}

QTEST_GUILESS_MAIN(TestBadImportFiles)
#include "tst_badimportfiles.moc"
