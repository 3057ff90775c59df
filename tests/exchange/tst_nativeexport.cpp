#include "ExchangeFixture.h"
#include "exchange/ExchangeError.h"
#include "exchange/NativeExporter.h"
#include "exchange/NativeImporter.h"

#include <QtTest>

namespace {

StoredRecipe pancakes()
{
    return {{}, "Pancakes", "Breakfast", "Bread", "10 min", "4", "15 min", {"Mix and fry."}, {}, {}};
}

StoredRecipe named(const QString &name, const QString &category = QStringLiteral("Soups"))
{
    return {{}, name, "Dinner", category, "5 min", "2", "10 min", {"Cook " + name + "."}, {"Keeps a day."}, {}};
}

const QByteArray kPancakeBlock =
    "Platewright\r\n"
    "Name=Pancakes;Meal=Breakfast;Category=Bread;PrepTime=10 min;Servings=4;CookTime=15 min;\r\n"
    "Instructions\r\n"
    "Mix and fry.\r\n"
    "\r\n"
    "Notes\r\n"
    "\r\n"
    "Ingredients List\r\n"
    "Ingredient=Flour;Order=0;Amount=2;Measurement=cups;Description=sifted;\r\n"
    "Ingredient=Milk;Order=1;Amount=1 1/2;Measurement=cups;Description=;\r\n";

} // namespace

class TestNativeExport : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;

    int exportNames(const QStringList &names, const QString &file = QStringLiteral("out.txt"))
    {
        NativeExporter exporter(m_fx->dm());
        return exporter.exportRecipes(m_fx->path(file), names);
    }

    void addPancakes() { m_fx->addRecipe(pancakes(), {"Flour|2|cups|sifted", "Milk|1 1/2|cups|"}); }

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup() { m_fx.reset(); }

    void writesTheBlockByteForByte()
    {
        addPancakes();
        QCOMPARE(exportNames({"Pancakes"}), 1);
        QCOMPARE(m_fx->readFile("out.txt"), kPancakeBlock);
    }

    void appendsToAnExistingFile()
    {
        addPancakes();
        m_fx->addRecipe(named("Stew"), {"Beef|1|lb|diced"});
        m_fx->writeFile("out.txt", "kept line\r\n");
        exportNames({"Pancakes"});
        exportNames({"Stew"});
        const QByteArray text = m_fx->readFile("out.txt");
        QVERIFY(text.startsWith("kept line\r\n" + kPancakeBlock));
        QVERIFY(text.mid(11 + kPancakeBlock.size()).startsWith("Platewright\r\nName=Stew;"));
        QVERIFY(text.endsWith("Ingredient=Beef;Order=0;Amount=1;Measurement=lb;Description=diced;\r\n"));
    }

    void appendedFileImportsEveryRecipe()
    {
        addPancakes();
        m_fx->addRecipe(named("Stew"));
        exportNames({"Pancakes"});
        exportNames({"Stew"});
        NativeImporter importer(m_fx->dm());
        QCOMPARE(importer.importFile(m_fx->path("out.txt")).recipesStored, 2);
        QStringList names;
        for (const StoredRecipe &r : m_fx->recipes())
            names << r.name;
        QCOMPARE(names, (QStringList{"Pancakes", "Stew", "Pancakes", "Stew"}));
    }

    void memoLinesSplitAtEveryLineEnd()
    {
        StoredRecipe recipe = named("Soup");
        m_fx->addRecipe(recipe);
        TTable &recipes = m_fx->dm().tblRecipe;
        recipes.edit();
        recipes.fieldByName("Instructions").setAsString("one\rtwo\nthree\r\nfour");
        recipes.post();
        exportNames({"Soup"});
        QVERIFY(m_fx->readFile("out.txt").contains("Instructions\r\none\r\ntwo\r\nthree\r\nfour\r\n\r\nNotes\r\n"));
    }

    void skipsNamesTheRecipeViewDoesNotShow()
    {
        addPancakes();
        m_fx->addRecipe(named("Stew", "Soups"));
        TTable &recipes = m_fx->dm().tblRecipe;
        recipes.setFilter("Category = 'Bread'");
        QList<int> progress;
        NativeExporter exporter(m_fx->dm());
        exporter.setProgress([&](int written) { progress << written; });
        QCOMPARE(exporter.exportRecipes(m_fx->path("out.txt"), {"Stew", "Pancakes", "Nothing"}), 1);
        QCOMPARE(progress, (QList<int>{1}));
        QCOMPARE(m_fx->readFile("out.txt"), kPancakeBlock);
    }

    void namesDifferingInCaseExportTheFirstRecipeTwice()
    {
        m_fx->addRecipe(named("Stew"), {"Beef|1|lb|"});
        m_fx->addRecipe(named("STEW"), {"Lamb|2|lb|"});
        QCOMPARE(exportNames({"STEW", "stew"}), 2);
        const QByteArray text = m_fx->readFile("out.txt");
        QCOMPARE(text.count("Name=Stew;"), 2);
        QCOMPARE(text.count("Ingredient=Beef;"), 2);
        QVERIFY(!text.contains("Lamb"));
    }

    // Each key writes its own recipe, whatever the recipe view's filter and however names repeat.
    void exportsEachRecipeByItsKey()
    {
        const QString beef = m_fx->addRecipe(named("Dup", "Soups"), {"Beef|1|lb|"});
        const QString lamb = m_fx->addRecipe(named("dup", "Breads"), {"Lamb|2|lb|"});
        m_fx->dm().tblRecipe.setFilter("Category = 'Soups'");
        NativeExporter exporter(m_fx->dm());
        QCOMPARE(exporter.exportKeys(m_fx->path("out.txt"), {lamb, beef, "999", lamb}), 3);
        const QByteArray text = m_fx->readFile("out.txt");
        QCOMPARE(text.count("Platewright\r\n"), 3);
        QVERIFY(text.indexOf("Name=dup;") < text.indexOf("Name=Dup;"));
        QCOMPARE(text.count("Ingredient=Lamb;"), 2);
        QCOMPARE(text.count("Ingredient=Beef;"), 1);
    }

    void ordersAreWrittenAsNumbers_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("negative") << "-3" << QByteArray(";Order=-3;");
        QTest::newRow("several digits") << "120" << QByteArray(";Order=120;");
        QTest::newRow("blank") << "" << QByteArray(";Order=;");
    }
    void ordersAreWrittenAsNumbers()
    {
        QFETCH(QString, order);
        QFETCH(QByteArray, written);
        m_fx->addRecipe(named("Soup"), {"Salt|1|pinch|"});
        TTable &lines = m_fx->dm().tblRecipeIngredient;
        lines.first();
        lines.edit();
        lines.fieldByName("Order").setAsString(order);
        lines.post();
        exportNames({"Soup"});
        QVERIFY(m_fx->readFile("out.txt").contains("Ingredient=Salt" + written));
    }

    // Lines whose characters all exist in the 8-bit code page stay 8-bit; others go out as UTF-8.
    void choosesTheCodePagePerLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("8-bit") << u"Crème brûlée"_qs << QByteArray("Name=Cr\xE8me br\xFBl\xE9\x65;");
        QTest::newRow("8-bit typography") << u"Chef’s “best”"_qs << QByteArray("Name=Chef\x92s \x93\x62\x65st\x94;");
        QTest::newRow("UTF-8") << u"Pelmeni Пельмени"_qs << QStringLiteral(u"Name=Pelmeni Пельмени;").toUtf8();
    }
    void choosesTheCodePagePerLine()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        m_fx->addRecipe(named(name));
        exportNames({name});
        const QByteArray text = m_fx->readFile("out.txt");
        QVERIFY2(text.contains(bytes), text.constData());
        QVERIFY(text.contains("\r\nCook "));
        NativeImporter(m_fx->dm()).importFile(m_fx->path("out.txt"));
        QCOMPARE(m_fx->recipes().last().name, name);
    }

    void failsWhenTheFileCannotBeWritten_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing directory") << "missing/dir/out.txt" << "Cannot write \"%1\"";
        // A device is no file to export into: it is refused before anything is written.
        QTest::newRow("full disk device") << "/dev/full" << "\"%1\" is a pipe, a socket or a device";
    }
    void failsWhenTheFileCannotBeWritten()
    {
        QFETCH(QString, file);
        QFETCH(QString, says);
        if (file.startsWith(u'/') && !QFile::exists(file))
            QSKIP("no full device here");
        addPancakes();
        const QString path = file.startsWith(u'/') ? file : m_fx->path(file);
        NativeExporter exporter(m_fx->dm());
        try {
            exporter.exportRecipes(path, {"Pancakes"});
            QFAIL("the export went through");
        } catch (const ExchangeError &e) {
            QVERIFY2(e.message().startsWith(says.arg(path)), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestNativeExport)
#include "tst_nativeexport.moc"
