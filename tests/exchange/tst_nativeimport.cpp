#include "ExchangeFixture.h"
#include "exchange/ExchangeError.h"
#include "exchange/LineReader.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"

#include <QtTest>

namespace {

const QByteArray kSoupHeader = "Name=Soup;Meal=Dinner;Category=Soups;PrepTime=5 min;Servings=2;CookTime=20 min;";

QByteArray soupBlock(const QList<QByteArray> &lines = {"Ingredient=Leek;Order=0;Amount=2;Measurement=whole;Description=sliced;"})
{
    return nativeBlock(kSoupHeader, {"Boil.", ""}, {""}, lines);
}

} // namespace

class TestNativeImport : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;

    ImportSummary importText(const QByteArray &text) { return m_fx->importText(false, text); }

    QStringList headers()
    {
        QStringList result;
        for (const StoredRecipe &r : m_fx->recipes())
            result << headerOf(r);
        return result;
    }

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup() { m_fx.reset(); }

    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("header");  // name, meal, category, prep time, servings, cook time
        QTest::addColumn<QStringList>("instructions");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QStringList>("lines");   // ingredient|amount|measurement|description
        QTest::newRow("full recipe") << QStringList{"Pancakes", "Breakfast", "Bread", "10 min", "4", "15 min"}
                                     << QStringList{"Mix.", "", "Fry both sides."} << QStringList{"Serve hot."}
                                     << QStringList{"Flour|2|cups|sifted", "Milk|1 1/2|cups|", "Egg|1||beaten"};
        QTest::newRow("empty memos") << QStringList{"Toast", "", "", "", "", ""} << QStringList{} << QStringList{}
                                     << QStringList{"Bread|1|slice|"};
        QTest::newRow("no ingredient lines") << QStringList{"Tea", "Snack", "", "", "1", ""} << QStringList{"Steep."}
                                             << QStringList{} << QStringList{};
        QTest::newRow("wider characters") << QStringList{u"Crème brûlée"_qs, "Desert", "Desserts", "", u"6 Ω"_qs, ""}
                                          << QStringList{u"Caramelise – 5 min at 250°C"_qs} << QStringList{u"Пельмени"_qs}
                                          << QStringList{u"Crème|2|cups|fraîche"_qs};
        QTest::newRow("equals sign in values") << QStringList{"A=B Stew", "Dinner", "Beef", "", "", ""}
                                               << QStringList{"x=1"} << QStringList{}
                                               << QStringList{"Salt=fine|1|tsp|a=b"};
    }
    // The copy keeps every field; only its instructions and notes gain the empty line the
    // export writes before "Notes" and before "Ingredients List".
    void roundTrip()
    {
        QFETCH(QStringList, header);
        QFETCH(QStringList, instructions);
        QFETCH(QStringList, notes);
        QFETCH(QStringList, lines);
        StoredRecipe original{{}, header[0], header[1], header[2], header[3], header[4], header[5], instructions, notes, {}};
        m_fx->addRecipe(original, lines);
        const int ingredients = m_fx->count("INGREDIE");
        NativeExporter(m_fx->dm()).exportRecipes(m_fx->path("out.txt"), {original.name});
        const ImportSummary summary = NativeImporter(m_fx->dm()).importFile(m_fx->path("out.txt"));
        QCOMPARE(summary.recipesStored, 1);

        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        QVERIFY(stored[0].id != stored[1].id);
        StoredRecipe expected = stored[0];
        expected.instructions << QString();
        expected.notes << QString();
        QCOMPARE(headerOf(stored[1]), headerOf(expected));
        QCOMPARE(stored[1].instructions, expected.instructions);
        QCOMPARE(stored[1].notes, expected.notes);
        QCOMPARE(linesOf(stored[1]), linesOf(expected));
        QCOMPARE(m_fx->count("INGREDIE"), ingredients);
    }

    // Values the plain layout cannot carry go out escaped and come back exactly, into an empty
    // database; others keep the plain layout.
    void awkwardValuesSurviveTheRoundTrip_data()
    {
        QTest::addColumn<QStringList>("header");  // name, meal, category, prep time, servings, cook time
        QTest::addColumn<QStringList>("instructions");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QStringList>("line");    // ingredient, amount, measurement, description
        QTest::addColumn<bool>("escaped");
        QTest::newRow("every awkward character in every field")
            << QStringList{"A;B=C\\3B\\", "x;y=\\", "c=;\x1A", "p;\nq", "1;2\r", "a=b;c"}
            << QStringList{"Notes", "Ingredients List", "Platewright", "x;y=z", "", "back\\slash\\3B", "sub\x1A end"}
            << QStringList{"Ingredients List", "Notes", "Instructions", "Instructions (escaped)", "\\4E"}
            << QStringList{"Salt;fine=1\\", "1;2=", "c=;", "a;b\\3B\r\n"} << true;
        QTest::newRow("notes line in the notes, equals signs and backslashes stay plain")
            << QStringList{"C:\\dir=1", "", "", "", "", ""} << QStringList{"Ingredients List", "a\\3B"}
            << QStringList{"Notes"} << QStringList{"Salt=x", "1", "", "\\"} << false;
    }
    void awkwardValuesSurviveTheRoundTrip()
    {
        QFETCH(QStringList, header);
        QFETCH(QStringList, instructions);
        QFETCH(QStringList, notes);
        QFETCH(QStringList, line);
        QFETCH(bool, escaped);
        const StoredRecipe original{{}, header[0], header[1], header[2], header[3], header[4], header[5],
                                    instructions, notes, {}};
        const QString key = m_fx->addRecipe(original, {line.join(u'|')});
        const StoredRecipe stored = m_fx->recipes().value(0);
        NativeExporter(m_fx->dm()).exportKeys(m_fx->path("out.txt"), {key});
        const QByteArray text = m_fx->readFile("out.txt");
        QCOMPARE(text.contains("\r\nInstructions (escaped)\r\n"), escaped);
        m_fx = std::make_unique<ExchangeFixture>();
        m_fx->writeFile("in.txt", text);
        QCOMPARE(NativeImporter(m_fx->dm()).importFile(m_fx->path("in.txt")).recipesStored, 1);
        const StoredRecipe copy = m_fx->recipes().value(0);
        QCOMPARE(headerOf(copy), headerOf(original));
        QCOMPARE(copy.instructions, stored.instructions + QStringList{QString()});
        QCOMPARE(copy.notes, stored.notes + QStringList{QString()});
        const QStringList expectedLine{line[0], "0", line[1], line[2], line[3]};
        QCOMPARE(linesOf(copy), QStringList{expectedLine.join(u'|')});
    }

    void edgeCases_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("firstLines");  // the lines of the first recipe
        QTest::newRow("first line not the marker")
            << QByteArray("Some title\r\nskipped too\r\n" + soupBlock().mid(13))
            << QStringList{"Soup|Dinner|Soups|5 min|2|20 min"} << QStringList{"Leek|0|2|whole|sliced"};
        QTest::newRow("single line") << QByteArray("Platewright\r\n") << QStringList{} << QStringList{};
        QTest::newRow("block without lines in the middle")
            << nativeBlock(kSoupHeader, {}, {}, {}) + soupBlock()
            << QStringList{"Soup|Dinner|Soups|5 min|2|20 min", "Soup|Dinner|Soups|5 min|2|20 min"} << QStringList{};
        QTest::newRow("block without lines at the end")
            << soupBlock() + nativeBlock("Name=Tea;", {}, {}, {})
            << QStringList{"Soup|Dinner|Soups|5 min|2|20 min", "Tea|||||"} << QStringList{"Leek|0|2|whole|sliced"};
        QTest::newRow("semicolon in a value shifts the rest")
            << nativeBlock("Name=Fish; chips;Meal=Dinner;Category=Fish;PrepTime=5;Servings=2;CookTime=10;", {}, {}, {})
            << QStringList{"Fish||Dinner|Fish|5|2"} << QStringList{};
        QTest::newRow("equals sign in the name")
            << nativeBlock("Name=2=3 Salad;Meal=Lunch;", {}, {}, {}) << QStringList{"2=3 Salad|Lunch||||"} << QStringList{};
        QTest::newRow("header with fewer values")
            << nativeBlock("Name=Bare", {}, {}, {}) << QStringList{"|||||"} << QStringList{};
        QTest::newRow("same ingredient twice")
            << soupBlock({"Ingredient=Leek;Order=0;Amount=2;Measurement=;Description=;",
                          "Ingredient=Salt;Order=1;Amount=1;Measurement=tsp;Description=;",
                          "Ingredient=LEEK;Order=2;Amount=9;Measurement=;Description=;"})
            << QStringList{"Soup|Dinner|Soups|5 min|2|20 min"} << QStringList{"Leek|0|2||", "Salt|1|1|tsp|"};
        QTest::newRow("order taken from the file")
            << soupBlock({"Ingredient=Leek;Order=7;Amount=2;", "Ingredient=Salt;Order=;Amount=1;",
                          "Ingredient=Kale;Order=-2;"})
            << QStringList{"Soup|Dinner|Soups|5 min|2|20 min"} << QStringList{"Salt||1||", "Kale|-2|||", "Leek|7|2||"};
    }
    void edgeCases()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, headers);
        QFETCH(QStringList, firstLines);
        importText(text);
        QCOMPARE(this->headers(), headers);
        if (!headers.isEmpty())
            QCOMPARE(linesOf(m_fx->recipes().first()), firstLines);
    }

    void duplicateLineIsCountedAsDropped()
    {
        const ImportSummary summary = importText(soupBlock({"Ingredient=Leek;Order=0;", "Ingredient=leek;Order=1;"}));
        QCOMPARE(summary.recipesStored, 1);
        QCOMPARE(summary.recordsDropped, 1);
    }

    void namesDifferingInCaseLinkToStoredIngredients_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inFile");
        QTest::newRow("ASCII letters") << "Brown Sugar" << "BROWN sugar";
        QTest::newRow("accented letters") << u"Crème fraîche"_qs << u"CRÈME FRAÎCHE"_qs;
    }
    void namesDifferingInCaseLinkToStoredIngredients()
    {
        QFETCH(QString, stored);
        QFETCH(QString, inFile);
        const QString key = m_fx->addIngredient(stored);
        const int before = m_fx->count("INGREDIE");
        importText(soupBlock({"Ingredient=" + inFile.toUtf8() + ";Order=0;"}));
        QCOMPARE(m_fx->count("INGREDIE"), before);
        QCOMPARE(m_fx->recipes().value(0).lines.value(0).ingredient, stored);
        QCOMPARE(m_fx->column("SELECT Ingredient_ID FROM \"REC_INGR.DB\"").value(0).toString(), key);
    }

    void importingTwiceAddsEveryRecipeTwice()
    {
        const QByteArray text = soupBlock() + nativeBlock("Name=Tea;", {}, {}, {"Ingredient=Tea leaves;Order=0;"});
        importText(text);
        const int ingredients = m_fx->count("INGREDIE");
        importText(text);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 4);
        QSet<QString> keys;
        for (const StoredRecipe &r : stored)
            keys << r.id;
        QCOMPARE(keys.size(), 4);
        QVERIFY(stored[2].sameContent(stored[0]));
        QVERIFY(stored[3].sameContent(stored[1]));
        QCOMPARE(m_fx->count("INGREDIE"), ingredients);
    }

    // Every line end imports alike, and so do 8-bit and UTF-8 lines.
    void anyLineEndAndCodePage_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("CR LF, 8-bit") << QByteArray("\r\n") << QByteArray("Cr\xE8me");
        QTest::newRow("LF, UTF-8") << QByteArray("\n") << QByteArray("Cr\xC3\xA8me");
        QTest::newRow("CR, 8-bit") << QByteArray("\r") << QByteArray("Cr\xE8me");
    }
    void anyLineEndAndCodePage()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(QByteArray, name);
        QByteArray text = nativeBlock("Name=" + name + ";", {"Stir."}, {}, {"Ingredient=" + name + ";Order=0;"});
        text.replace("\r\n", lineEnd);
        importText(text);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].name, u"Crème"_qs);
        QCOMPARE(stored[0].instructions, QStringList{"Stir."});
        QCOMPARE(linesOf(stored[0]), QStringList{u"Crème|0|||"_qs});
    }

    void reportsProgressPerRecipe()
    {
        QList<int> progress;
        NativeImporter importer(m_fx->dm());
        importer.setProgress([&](int read) { progress << read; });
        LineReader reader(soupBlock() + soupBlock() + soupBlock());
        importer.importFrom(reader);
        QCOMPARE(progress, (QList<int>{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(TestNativeImport)
#include "tst_nativeimport.moc"
