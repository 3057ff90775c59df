#include "ExchangeFixture.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/MealMasterIngredient.h"

#include <QtTest>

namespace {

QByteArray recipe(const QByteArray &title, const QByteArray &categories, const QByteArray &servings,
                  const QList<QByteArray> &ingredients, const QList<QByteArray> &directions,
                  const QByteArray &end = "MMMMM")
{
    QByteArray text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n      Title: " + title
                      + "\r\n Categories: " + categories + "\r\n" + servings + "\r\n \r\n";
    for (const QByteArray &line : ingredients)
        text += line + "\r\n";
    text += " \r\n";
    for (const QByteArray &line : directions)
        text += line + "\r\n";
    return text + end + "\r\n \r\n";
}

// A line of two ingredient columns, the second starting at column 42.
QByteArray twoColumns(const QByteArray &first, const QByteArray &second)
{
    return first.leftJustified(41, ' ') + second;
}

QByteArray simple(const QByteArray &title, const QList<QByteArray> &ingredients = {"      2 c  Flour"})
{
    return recipe(title, "Breads", "   Servings:  4", ingredients, {"  Bake."});
}

} // namespace

class TestMealMaster : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;

    ImportSummary importText(const QByteArray &text) { return m_fx->importText(true, text); }

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup() { m_fx.reset(); }

    void trimSpaces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("one blank stays") << " " << " ";
        QTest::newRow("two blanks go") << "  " << "";
        QTest::newRow("both ends") << "  c  " << "c";
        QTest::newRow("inner blanks stay") << " 1 1/2 " << "1 1/2";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("tabs are not blanks") << "\tx " << "\tx";
    }
    void trimSpaces()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimSpaces(text), trimmed);
    }

    void ingredientColumns_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("parts");  // amount, measurement, name, description
        QTest::newRow("quantity, unit, name") << "  1 1/2 c  Sliced mushrooms" << QStringList{"1 1/2", "c", "Sliced mushrooms", ""};
        QTest::newRow("semicolon") << "      2 c  Apples; peeled and sliced" << QStringList{"2", "c", "Apples", "peeled and sliced"};
        QTest::newRow("semicolon without blank") << "      2 c  Apples;sliced" << QStringList{"2", "c", "Apples", ""};
        QTest::newRow("comma") << "      1 sm Onion, chopped" << QStringList{"1", "sm", "Onion", "chopped"};
        QTest::newRow("comma last") << "      1    Onion," << QStringList{"1", "", "Onion,", ""};
        QTest::newRow("semicolon last, comma earlier") << "           Salt, pepper;" << QStringList{"", "", "Salt", "pepper;"};
        QTest::newRow("semicolon before comma") << "      1 ts Salt; fine, or coarse" << QStringList{"1", "ts", "Salt", "fine, or coarse"};
        QTest::newRow("no quantity or unit") << "           Clove garlic, minced" << QStringList{"", "", "Clove garlic", "minced"};
        QTest::newRow("name not trimmed") << "      1 c   Sugar " << QStringList{"1", "c", " Sugar ", ""};
        QTest::newRow("description trimmed") << "      1    Egg;  beaten  " << QStringList{"1", "", "Egg", "beaten"};
        QTest::newRow("description of one blank") << "      1    Egg;x  " << QStringList{"1", "", "Egg", " "};
        QTest::newRow("short line") << "      3" << QStringList{"3", "", "", ""};
        QTest::newRow("second column read as text")
            << "      1 c  Navy beans, dry                     2    Small beets"
            << QStringList{"1", "c", "Navy beans", "dry                     2    Small beets"};
    }
    void ingredientColumns()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, parts);
        const MealMasterIngredient item = MealMasterIngredient::fromLine(line);
        QCOMPARE((QStringList{item.amount, item.measurement, item.name, item.description}), parts);
    }

    void headerLines_data()
    {
        QTest::addColumn<QByteArray>("categories");
        QTest::addColumn<QByteArray>("servings");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("servingsText");
        QTest::newRow("two categories") << QByteArray("Desserts, Pies") << QByteArray("   Servings:  4") << "Desserts" << " 4";
        QTest::newRow("one category") << QByteArray("Soups") << QByteArray("   Servings: 10") << "Soups" << "10";
        QTest::newRow("yield label") << QByteArray("Snacks") << QByteArray("      Yield: 6 Servings") << "Snacks" << "6 Servings";
        QTest::newRow("no colon") << QByteArray("Snacks") << QByteArray("Makes 6") << "Snacks" << "akes 6";
    }
    void headerLines()
    {
        QFETCH(QByteArray, categories);
        QFETCH(QByteArray, servings);
        QFETCH(QString, category);
        QFETCH(QString, servingsText);
        importText(recipe("Almond Puff", categories, servings, {"      1 c  Flour"}, {"  Bake."}));
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(headerOf(stored[0]), "Almond Puff||" + category + "||" + servingsText + "|");
        QVERIFY(stored[0].notes.isEmpty());
        QVERIFY(m_fx->listValues("LCategory.db", "Category").contains(category));
    }

    void wholeRecipe()
    {
        importText(recipe("Almond Puff", "Desserts, Pies", "   Servings:  6",
                          {"    1/2 c  Butter (or margarine),", "           -softened",
                           "MMMMM-----------------------GLAZE------------------------", "      1 c  Powdered sugar; sifted",
                           "      2 tb Milk"},
                          {"  Heat oven to 350.", "", "  Bake 60 minutes. "}));
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(linesOf(stored[0]), (QStringList{"Butter (or margarine),|0|1/2|c|softened",
                                                  "Powdered sugar|1|1|c|sifted", "Milk|2|2|tb|"}));
        QCOMPARE(stored[0].instructions, (QStringList{"  Heat oven to 350.", "", "  Bake 60 minutes. "}));
        QVERIFY(m_fx->listValues("LAmtMeas.db", "Measurement").contains("tb"));
        QVERIFY(m_fx->listValues("LAmtDesc.db", "Description").contains("sifted"));
    }

    void versionSevenEndLine()
    {
        importText(recipe("First", "Soups", "   Servings:  2", {"      1    Leek"}, {"  Boil."}, "-----")
                   + simple("Second"));
        QCOMPARE(m_fx->recipes().size(), 2);
        QCOMPARE(m_fx->recipes()[0].instructions, QStringList{"  Boil."});
    }

    // Layouts and layout faults of real archives; none may turn directions into ingredient lines.
    void archiveLayouts_data()
    {
        QTest::addColumn<QList<QByteArray>>("ingredients");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("sub-heading right before the end of the list")
            << QList<QByteArray>{"      1 c  Sugar", "MMMMM------------------------PREPARATION-----------------------"}
            << QStringList{"Sugar|0|1|c|"};
        QTest::newRow("empty line and sub-heading before the end")
            << QList<QByteArray>{"      1 c  Sugar", "", "MMMMM-------------PREPARATION-------------"}
            << QStringList{"Sugar|0|1|c|"};
        QTest::newRow("sub-heading alone") << QList<QByteArray>{"MMMMM--------------FREEZING HOT PEPPERS--------------"} << QStringList{};
        QTest::newRow("empty line after a sub-heading")
            << QList<QByteArray>{"---------- SAUCE ----------", "", "      2 tb Butter"} << QStringList{"Butter|0|2|tb|"};
        // Layouts beyond one column: each gives the lines a cook would read.
        QTest::newRow("two columns, read down the first, then the second")
            << QList<QByteArray>{twoColumns("      1 c  Flour", "      2 ts Salt"),
                                 twoColumns("      3    Eggs", "      1 pn Mace")}
            << QStringList{"Flour|0|1|c|", "Eggs|1|3||", "Salt|2|2|ts|", "Mace|3|1|pn|"};
        QTest::newRow("odd count: the last line has one column")
            << QList<QByteArray>{twoColumns("      1 c  Flour", "      2 ts Salt"), "      3    Eggs"}
            << QStringList{"Flour|0|1|c|", "Eggs|1|3||", "Salt|2|2|ts|"};
        QTest::newRow("continuation in either column")
            << QList<QByteArray>{twoColumns("      1 c  Walnuts; toasted", "      1 ts Vanilla"),
                                 twoColumns("           -and chopped", "           -pure")}
            << QStringList{"Walnuts|0|1|c|toasted and chopped", "Vanilla|1|1|ts|pure"};
        QTest::newRow("continuation on top of the second column")
            << QList<QByteArray>{twoColumns("      1 c  Rice", "           -long grain")}
            << QStringList{"Rice|0|1|c|long grain"};
        QTest::newRow("continuation with nothing above it is kept")
            << QList<QByteArray>{"           -John Doe-"} << QStringList{"-John Doe-|0|||"};
        QTest::newRow("long text in one column is not split")
            << QList<QByteArray>{"      1 c  Chicken broth, or use the water the bones cooked in"}
            << QStringList{"Chicken broth|0|1|c|or use the water the"};
        QTest::newRow("empty line between groups")
            << QList<QByteArray>{"      1 c  Sugar", "", "      2 tb Milk"} << QStringList{"Sugar|0|1|c|", "Milk|1|2|tb|"};
    }
    void archiveLayouts()
    {
        QFETCH(QList<QByteArray>, ingredients);
        QFETCH(QStringList, lines);
        importText(recipe("Layout", "Tests", "      Yield: 1 Servings", ingredients, {"  Mix."}) + simple("Next"));
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(linesOf(stored[0]), lines);
        QCOMPARE(stored[0].instructions, QStringList{"  Mix."});
    }

    // An empty line closes the list when directions follow it, as a line of one blank does.
    void emptyLineBeforeDirectionsEndsTheList()
    {
        QByteArray text = recipe("Soup", "Soups", "   Servings:  2", {"      1    Leek", "      2 c  Water"},
                                 {"  Boil the leek.", "", "  Serve hot."});
        text.replace("Water\r\n \r\n", "Water\r\n\r\n");
        importText(text + simple("Next"));
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(linesOf(stored[0]), (QStringList{"Leek|0|1||", "Water|1|2|c|"}));
        QCOMPARE(stored[0].instructions, (QStringList{"  Boil the leek.", "", "  Serve hot."}));
    }

    // Shorter shapes some writers produce: no line between banner and title, a recipe that
    // ends in its ingredient list, a recipe of a title alone. None may swallow the next one.
    void shortRecipes()
    {
        const QByteArray text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\n      Title: No blank\n Categories: A\n"
                                "   Servings: 1\n\n      1 c  Flour\n      2    Eggs\nMMMMM\n"
                                "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Title alone\n"
                                " Categories: B\n   Servings: 2\nMMMMM\n"
                                + simple("Last");
        const ImportSummary summary = importText(text);
        QCOMPARE(summary.recipesStored, 3);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored[0].name, QStringLiteral("No blank"));
        QCOMPARE(linesOf(stored[0]), (QStringList{"Flour|0|1|c|", "Eggs|1|2||"}));
        QVERIFY(stored[0].instructions.isEmpty());
        QCOMPARE(stored[1].name, QStringLiteral("Title alone"));
        QVERIFY(stored[1].lines.isEmpty());
        QCOMPARE(stored[2].name, QStringLiteral("Last"));
        QCOMPARE(stored[2].instructions, QStringList{"  Bake."});
    }

    // With no line closing the list before the end line, the text under the ingredients is
    // read as directions; a list closed by its line of one blank keeps every line as before.
    void directionsRightUnderTheIngredients()
    {
        importText("MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Apples\n Categories: A\n"
                   "   Servings: 1\n\n      2    Apples\nCook all the ingredients.\n  Serve warm.\nMMMMM\n");
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(linesOf(stored[0]), QStringList{"Apples|0|2||"});
        QCOMPARE(stored[0].instructions, (QStringList{"Cook all the ingredients.", "  Serve warm."}));
    }

    void sameIngredientTwiceKeepsTheFirstLine()
    {
        const ImportSummary summary =
            importText(simple("Pie", {"      1 c  Sugar; fine", "      2 c  Flour; sifted", "    1/2 c  SUGAR; for the top"}));
        QCOMPARE(linesOf(m_fx->recipes().value(0)), (QStringList{"Sugar|0|1|c|fine", "Flour|1|2|c|sifted"}));
        QCOMPARE(summary.recordsDropped, 1);
    }

    void namesDifferingInCaseLinkToStoredIngredients()
    {
        m_fx->addIngredient("Brown sugar");
        const int before = m_fx->count("INGREDIE");
        importText(simple("Pie", {"      1 c  BROWN SUGAR", "      1 c  brown Sugar, packed"}) + simple("Tart", {"      1 c  brown sugar"}));
        QCOMPARE(m_fx->count("INGREDIE"), before);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        for (const StoredRecipe &r : stored)
            QCOMPARE(r.lines.value(0).ingredient, QStringLiteral("Brown sugar"));
    }

    // An empty unit or description is searched for like any other value; the lists cannot
    // hold an empty key, so each refuses it quietly, once, and the lines keep the empty values.
    void lineWithoutQuantityOrUnit()
    {
        const ImportSummary summary = importText(simple("Soup", {"           Salt", "           Pepper"}));
        QCOMPARE(linesOf(m_fx->recipes().value(0)), (QStringList{"Salt|0|||", "Pepper|1|||"}));
        QCOMPARE(summary.recordsDropped, 2);
        QVERIFY(!m_fx->listValues("LAmtMeas.db", "Measurement").contains(""));
    }

    void importingTwiceAddsRecipesButNoListValues()
    {
        const QByteArray text = simple("Pie", {"      1 zz Quince; diced"}) + simple("Tart");
        importText(text);
        const int ingredients = m_fx->count("INGREDIE");
        const QStringList units = m_fx->listValues("LAmtMeas.db", "Measurement");
        const QStringList descriptions = m_fx->listValues("LAmtDesc.db", "Description");
        const QStringList categories = m_fx->listValues("LCategory.db", "Category");
        importText(text);
        QCOMPARE(m_fx->recipes().size(), 4);
        QVERIFY(m_fx->recipes()[2].sameContent(m_fx->recipes()[0]));
        QCOMPARE(m_fx->count("INGREDIE"), ingredients);
        QCOMPARE(m_fx->listValues("LAmtMeas.db", "Measurement"), units);
        QCOMPARE(m_fx->listValues("LAmtDesc.db", "Description"), descriptions);
        QCOMPARE(m_fx->listValues("LCategory.db", "Category"), categories);
        QVERIFY(units.contains("zz"));
    }

    void fileWithoutARecipeStartImportsNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("no banner") << QByteArray("From: someone\r\n      1 c  Flour\r\n-----\r\n");
        QTest::newRow("one line") << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n");
        QTest::newRow("empty") << QByteArray();
    }
    void fileWithoutARecipeStartImportsNothing()
    {
        QFETCH(QByteArray, text);
        QCOMPARE(importText(text).recipesRead, 0);
        QCOMPARE(m_fx->count("Recipe.DB"), 0);
    }

    // Mail headers, notes and separators around the recipes are passed over.
    void textAroundRecipesIsSkipped()
    {
        importText("From: someone\r\nSubject: two pies\r\n\r\n" + simple("Pie") + "-----\r\nA note between.\r\n"
                   + simple("Tart") + "-- \r\nsignature\r\n");
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[0].name, QStringLiteral("Pie"));
        QCOMPARE(stored[1].name, QStringLiteral("Tart"));
        QCOMPARE(stored[1].instructions, QStringList{"  Bake."});
    }

    void anyLineEnd_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void anyLineEnd()
    {
        QFETCH(QByteArray, lineEnd);
        QByteArray text = simple("Pie", {"      1 c  Cr\xC3\xA8me fra\xC3\xAE\x63he", "      2    Eggs"}) + simple("Tart");
        text.replace("\r\n", lineEnd);
        importText(text);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(linesOf(stored[0]), (QStringList{u"Crème fraîche|0|1|c|"_qs, "Eggs|1|2||"}));
        QCOMPARE(stored[0].instructions, QStringList{"  Bake."});
    }
};

QTEST_GUILESS_MAIN(TestMealMaster)
#include "tst_mealmaster.moc"
