#include "ExchangeFixture.h"
#include "data/EngineError.h"
#include "exchange/ExchangeError.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeImporter.h"

#include <QSqlQuery>
#include <QtTest>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kGoodNative = nativeBlock("Name=Soup;Category=Soups;", {"Boil."}, {}, {"Ingredient=Leek;Order=0;"});  // 7 lines

QByteArray mealMaster(const QByteArray &title, const QByteArray &category, const QList<QByteArray> &ingredients,
                      const QList<QByteArray> &directions, bool closed = true)
{
    QByteArray text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n      Title: " + title + "\r\n Categories: "
                      + category + "\r\n      Yield: 4 Servings\r\n \r\n";
    for (const QByteArray &line : ingredients)
        text += line + "\r\n";
    if (closed)
        text += " \r\n";
    for (const QByteArray &line : directions)
        text += line + "\r\n";
    return text;
}

const QByteArray kGoodMealMaster = mealMaster("Leek soup", "Soups", {"      2    Leeks"}, {"  Boil."}) + "MMMMM\r\n \r\n";  // 11 lines

} // namespace

class TestImportFailures : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;

    void importExpectingError(bool mealMasterFormat, const QByteArray &text, int line, const QString &mentions)
    {
        try {
            m_fx->importText(mealMasterFormat, text);
            QFAIL("the import went through");
        } catch (const ExchangeError &e) {
            QCOMPARE(e.lineNumber(), line);
            QVERIFY2(e.message().startsWith(QStringLiteral("Line %1: ").arg(line)), qPrintable(e.message()));
            QVERIFY2(e.message().contains(mentions), qPrintable(e.message()));
        }
    }

    void verifyNothingOfTheFailedRecipe(const QString &ingredient)
    {
        m_fx->verifyNothingHalfDone();
        QVERIFY(!m_fx->listValues("INGREDIE.DB", "Ingredient").contains(ingredient));
    }

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup() { m_fx.reset(); }

    // A file that ends inside a recipe, or holds a line it cannot read, stops the import at
    // that line: the recipes before stay, the one being read goes, with its lines and the
    // ingredients and list values made for it.
    void malformedFile_data()
    {
        QTest::addColumn<bool>("mealMaster");
        QTest::addColumn<QByteArray>("bad");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("native, ends before Notes")
            << false << QByteArray("Platewright\r\nName=Bad;\r\nInstructions\r\nStir.\r\n") << 11 << "\"Notes\"";
        QTest::newRow("native, ends before Ingredients List")
            << false << QByteArray("Platewright\r\nName=Bad;\r\nInstructions\r\nNotes\r\nIngredient=Fresh herb;Order=0;\r\n")
            << 12 << "\"Ingredients List\"";
        QTest::newRow("native, ends after the header") << false << QByteArray("Platewright\r\nName=Bad;\r\n") << 9 << "\"Instructions\"";
        QTest::newRow("native, order not a number")
            << false << nativeBlock("Name=Bad;", {}, {}, {"Ingredient=Fresh herb;Order=0;", "Ingredient=Odd;Order=two;"})
            << 14 << "'two'";
        QTest::newRow("Meal-Master, file ends in the ingredient list")
            << true << mealMaster("Bad", "Oddities", {"      1 zz Fresh herb"}, {"  Stir."}, false) << 19
            << "line of one blank";
        QTest::newRow("Meal-Master, directions never end")
            << true << mealMaster("Bad", "Oddities", {"      1 zz Fresh herb"}, {"  Stir.", "  Serve."}) << 21 << "\"-----\"";
        QTest::newRow("Meal-Master, file ends in the title lines")
            << true << QByteArray("---------- Recipe via Meal-Master (tm) v7.04\r\n \r\n      Title: Bad\r\n") << 14
            << "categories";
    }
    void malformedFile()
    {
        QFETCH(bool, mealMaster);
        QFETCH(QByteArray, bad);
        QFETCH(int, line);
        QFETCH(QString, mentions);
        importExpectingError(mealMaster, (mealMaster ? kGoodMealMaster : kGoodNative) + bad, line, mentions);
        QCOMPARE(m_fx->names(), QStringList{mealMaster ? "Leek soup" : "Soup"});
        verifyNothingOfTheFailedRecipe("Fresh herb");
        QVERIFY(!m_fx->listValues("INGREDIE.DB", "Ingredient").contains("Odd"));
        QVERIFY(!m_fx->listValues("LCategory.db", "Category").contains("Oddities"));
        QVERIFY(!m_fx->listValues("LAmtMeas.db", "Measurement").contains("zz"));
    }

    // The recipe row is posted last; when the table refuses it, its lines and the ingredients
    // made for it go too, and the import goes on with the next recipe.
    void refusedRecipeTakesItsLinesAlong()
    {
        TTable &recipes = m_fx->dm().tblRecipe;
        recipes.insert();
        recipes.fieldByName("Name").setAsString("Kept");
        recipes.post();
        // Keys never clash with stored ones, so a check of the table does the refusing.
        QSqlQuery refuse(m_fx->dm().Database1.connection());
        QVERIFY(refuse.exec("CREATE TEMP TRIGGER refuse BEFORE INSERT ON main.Recipe WHEN NEW.Name = 'Refused' "
                            "BEGIN SELECT RAISE(ABORT, 'CHECK constraint failed: refused'); END"));
        const QByteArray text = nativeBlock("Name=Refused;", {}, {}, {"Ingredient=Fresh herb;Order=0;"})
                                + nativeBlock("Name=Second;", {}, {}, {"Ingredient=Leek;Order=0;"});
        const ImportSummary summary = m_fx->importText(false, text);
        QCOMPARE(summary.recipesRead, 2);
        QCOMPARE(summary.recipesStored, 1);
        QCOMPARE(summary.recordsDropped, 1);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(m_fx->names(), (QStringList{"Kept", "Second"}));
        QVERIFY(stored[0].lines.isEmpty());
        QCOMPARE(linesOf(stored[1]), QStringList{"Leek|0|||"});
        verifyNothingOfTheFailedRecipe("Fresh herb");
    }

    void otherEngineErrorEndsTheImport()
    {
        int posted = 0;
        m_fx->dm().tblRecipeIngredient.afterPost = [&](TDataSet &) {
            if (++posted == 2)
                throw EngineError(EngineError::Locked, QStringLiteral("The table is locked."));
        };
        const QByteArray bad = nativeBlock("Name=Bad;", {}, {}, {"Ingredient=Fresh herb;Order=0;"});
        importExpectingError(false, kGoodNative + bad, 13, "The table is locked.");
        QCOMPARE(m_fx->names(), QStringList{"Soup"});
        verifyNothingOfTheFailedRecipe("Fresh herb");
    }

    void errorOutsideTheEngineEndsTheImportAtOnce()
    {
        int posted = 0;
        m_fx->dm().tblRecipeIngredient.afterPost = [&](TDataSet &) {
            if (++posted == 3)
                throw std::runtime_error("out of paper");
        };
        const QByteArray bad = nativeBlock("Name=Bad;", {}, {}, {"Ingredient=Fresh herb;Order=0;", "Ingredient=Kale;Order=1;"});
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_fx->importText(false, kGoodNative + bad + kGoodNative));
        QCOMPARE(m_fx->names(), QStringList{"Soup"});
        verifyNothingOfTheFailedRecipe("Fresh herb");
    }

    // A process that dies in the middle of a recipe leaves the recipes it completed and
    // nothing of the one it was reading.
    void crashLeavesNoHalfRecipe()
    {
        m_fx.reset();  // its environment must be gone before the next one is set up
        m_fx = std::make_unique<ExchangeFixture>(false);
        QByteArray text;
        for (const char *name : {"First", "Second", "Third"})
            text += nativeBlock(QByteArray("Name=") + name + ";", {}, {},
                                {QByteArray("Ingredient=") + name + " a;Order=0;", QByteArray("Ingredient=") + name + " b;Order=1;"});
        m_fx->writeFile("in.txt", text);
        const pid_t child = fork();
        if (child == 0) {
            m_fx->openDataModule();
            int posted = 0;
            m_fx->dm().tblRecipeIngredient.afterPost = [&](TDataSet &) {
                if (++posted == 5)
                    _exit(0);  // between the two lines of the third recipe
            };
            NativeImporter importer(m_fx->dm());
            importer.setCommitInterval(0);
            importer.importFile(m_fx->path("in.txt"));
            _exit(1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        m_fx->openDataModule();
        QCOMPARE(m_fx->names(), (QStringList{"First", "Second"}));
        for (const StoredRecipe &r : m_fx->recipes())
            QCOMPARE(r.lines.size(), 2);
        verifyNothingOfTheFailedRecipe("Third a");
    }

    // Look-ups go through in-memory maps: the importers never move the ingredient view or
    // the lookup lists to find a value, which would mean a search through the table.
    void lookUpsNeverMoveTheViews()
    {
        m_fx->addIngredient("Leeks");
        QMap<QString, int> moves;
        TdmMain1 &dm = m_fx->dm();
        for (TTable *table : {&dm.tblIngredientLookup, &dm.tblCategory, &dm.tblMeasurement, &dm.tblDescription})
            table->afterScroll = [&moves, table](TDataSet &) { ++moves[table->tableName()]; };
        QByteArray text = kGoodMealMaster + mealMaster("Other", "Soups", {"      2 c  leeks; sliced", "      1 tb Oil"}, {"  Fry."})
                          + "MMMMM\r\n";
        LineReader reader(text);
        QCOMPARE(MealMasterImporter(dm).importFrom(reader).recipesStored, 2);
        QCOMPARE(moves, (QMap<QString, int>{}));
        QCOMPARE(m_fx->listValues("INGREDIE.DB", "Ingredient"), (QStringList{"Leeks", "Oil"}));
    }
};

QTEST_GUILESS_MAIN(TestImportFailures)
#include "tst_importfailures.moc"
