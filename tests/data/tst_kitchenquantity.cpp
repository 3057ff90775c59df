#include "data/CombinedShoppingList.h"
#include "data/KitchenQuantity.h"

#include <QtTest>

namespace {

// "Flour|1 1/2|c|sifted|Cake|1": ingredient, amount, unit, description, recipe, factor.
QList<ShoppingLine> linesOf(const QStringList &texts)
{
    QList<ShoppingLine> lines;
    for (const QString &text : texts) {
        const QStringList f = text.split(QLatin1Char('|'));
        lines << ShoppingLine{f[0], f[1], f[2], f[3], f[4], f.value(5, QStringLiteral("1")).toDouble()};
    }
    return lines;
}

QStringList textsOf(const QList<CombinedShoppingRow> &rows)
{
    QStringList texts;
    for (const CombinedShoppingRow &row : rows)
        texts << QStringList{row.ingredient, row.amount, row.measurement, row.description, row.recipe}.join(QLatin1Char('|'));
    return texts;
}

} // namespace

class TestKitchenQuantity : public QObject {
    Q_OBJECT
private slots:
    void readsAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("whole") << "2" << true << 2.0 << 2.0;
        QTest::newRow("mixed number") << "1 1/2" << true << 1.5 << 1.5;
        QTest::newRow("fraction") << "3/4" << true << 0.75 << 0.75;
        QTest::newRow("decimal") << "1.5" << true << 1.5 << 1.5;
        QTest::newRow("decimal without whole") << ".5" << true << 0.5 << 0.5;
        QTest::newRow("range") << "1-2" << true << 1.0 << 2.0;
        QTest::newRow("range with blanks and fractions") << "1/2 - 1 1/2" << true << 0.5 << 1.5;
        QTest::newRow("range in words") << "2 to 3" << true << 2.0 << 3.0;
        QTest::newRow("dash written for a mixed number") << "1-1/2" << true << 1.5 << 1.5;
        QTest::newRow("vulgar fraction") << QString::fromUtf8("1\u00BD") << true << 1.5 << 1.5;
        QTest::newRow("empty") << "" << false << 0.0 << 0.0;
        QTest::newRow("words") << "a few" << false << 0.0 << 0.0;
        QTest::newRow("decimal comma") << "1,5" << false << 0.0 << 0.0;
        QTest::newRow("zero denominator") << "2/0" << false << 0.0 << 0.0;
        QTest::newRow("three numbers") << "1 1/2 3" << false << 0.0 << 0.0;
        QTest::newRow("falling range") << "3-2" << false << 0.0 << 0.0;
        QTest::newRow("negative") << "-2" << false << 0.0 << 0.0;
    }
    void readsAmounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        const auto amount = Kitchen::readAmount(text);
        QCOMPARE(amount.has_value(), readable);
        if (readable) {
            QFETCH(double, low);
            QFETCH(double, high);
            QCOMPARE(amount->low, low);
            QCOMPARE(amount->high, high);
        }
    }

    // The base units: teaspoons, millilitres, ounces and grams.
    void readsUnits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("addable");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("inBase");
        QTest::newRow("t is a teaspoon") << "t" << true << "volume" << 1.0;
        QTest::newRow("T is a tablespoon") << "T" << true << "volume" << 3.0;
        QTest::newRow("T. with its dot") << "T." << true << "volume" << 3.0;
        QTest::newRow("code ts") << "ts" << true << "volume" << 1.0;
        QTest::newRow("code TB in capitals") << "TB" << true << "volume" << 3.0;
        QTest::newRow("Tbsp.") << "Tbsp." << true << "volume" << 3.0;
        QTest::newRow("tablespoons spelled out") << "Tablespoons" << true << "volume" << 3.0;
        QTest::newRow("code c") << "c" << true << "volume" << 48.0;
        QTest::newRow("fluid ounces") << "fl oz" << true << "volume" << 6.0;
        QTest::newRow("code fl") << "fl" << true << "volume" << 6.0;
        QTest::newRow("code pt") << "pt" << true << "volume" << 96.0;
        QTest::newRow("code qt") << "QT" << true << "volume" << 192.0;
        QTest::newRow("code ga") << "ga" << true << "volume" << 768.0;
        QTest::newRow("code ml") << "ml" << true << "metric volume" << 1.0;
        QTest::newRow("L for litre") << "L" << true << "metric volume" << 1000.0;
        QTest::newRow("code oz") << "oz" << true << "weight" << 1.0;
        QTest::newRow("Pounds") << "Pounds" << true << "weight" << 16.0;
        QTest::newRow("code g") << "g" << true << "metric weight" << 1.0;
        QTest::newRow("code KG") << "KG" << true << "metric weight" << 1000.0;
        QTest::newRow("code cn, a can") << "cn" << true << "can" << 1.0;
        QTest::newRow("cloves") << "cloves" << true << "clove" << 1.0;
        QTest::newRow("no unit") << "" << true << "" << 1.0;
        QTest::newRow("code x, a bare count") << "x" << true << "" << 1.0;
        QTest::newRow("a word of its own") << "Sprigs" << true << "word:sprig" << 1.0;
        QTest::newRow("code pn, a pinch") << "pn" << false << "" << 0.0;
        QTest::newRow("Pinch") << "Pinch" << false << "" << 0.0;
        QTest::newRow("code ds, a dash") << "ds" << false << "" << 0.0;
        QTest::newRow("to taste") << "to taste" << false << "" << 0.0;
        QTest::newRow("no word") << "2 cups" << false << "" << 0.0;
    }
    void readsUnits()
    {
        QFETCH(QString, text);
        QFETCH(bool, addable);
        const auto unit = Kitchen::readUnit(text);
        QCOMPARE(unit.has_value(), addable);
        if (addable) {
            QFETCH(QString, family);
            QFETCH(double, inBase);
            QCOMPARE(unit->family, family);
            QCOMPARE(unit->inBase, inBase);
        }
    }

    void writesTotalsInASensibleUnit_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QString>("written");
        QTest::newRow("teaspoons") << "volume" << 2.0 << 2.0 << "t" << "2 tsp";
        QTest::newRow("tablespoons") << "volume" << 14.0 << 14.0 << "t" << "4 2/3 tbsp";
        QTest::newRow("from a quarter cup") << "volume" << 36.0 << 36.0 << "T" << "3/4 cup";
        QTest::newRow("cups") << "volume" << 72.0 << 72.0 << "c" << "1 1/2 cups";
        QTest::newRow("gallons") << "volume" << 1536.0 << 1536.0 << "qt" << "2 gallons";
        QTest::newRow("range of cups") << "volume" << 48.0 << 96.0 << "c" << "1-2 cups";
        QTest::newRow("millilitres") << "metric volume" << 250.0 << 250.0 << "ml" << "250 ml";
        QTest::newRow("litres") << "metric volume" << 1500.0 << 1500.0 << "ml" << "1.5 l";
        QTest::newRow("ounces") << "weight" << 12.0 << 12.0 << "oz" << "12 oz";
        QTest::newRow("pounds") << "weight" << 24.0 << 24.0 << "oz" << "1 1/2 lb";
        QTest::newRow("grams") << "metric weight" << 7.5 << 7.5 << "g" << "7.5 g";
        QTest::newRow("kilograms") << "metric weight" << 2250.0 << 2250.0 << "g" << "2.25 kg";
        QTest::newRow("count") << "" << 2.5 << 2.5 << "" << "2 1/2 ";
        QTest::newRow("cans") << "can" << 3.0 << 3.0 << "cn" << "3 cans";
        QTest::newRow("one can") << "can" << 1.0 << 1.0 << "cn" << "1 can";
        QTest::newRow("a word keeps its text") << "word:sprig" << 2.0 << 2.0 << "sprigs" << "2 sprigs";
    }
    void writesTotalsInASensibleUnit()
    {
        QFETCH(QString, family);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, unitText);
        QFETCH(QString, written);
        const Kitchen::Written total = Kitchen::writeTotal(family, {low, high}, unitText);
        QCOMPARE(total.amount + QLatin1Char(' ') + total.unit, written);
    }

    void roundsToKitchenFractions_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("a third") << 0.32 << "1/3";
        QTest::newRow("a quarter") << 0.26 << "1/4";
        QTest::newRow("two thirds") << 1.66 << "1 2/3";
        QTest::newRow("a half") << 2.49 << "2 1/2";
        QTest::newRow("up to the next whole") << 0.97 << "1";
        QTest::newRow("a trace is never nothing") << 0.01 << "1/8";
    }
    void roundsToKitchenFractions()
    {
        QFETCH(double, value);
        QFETCH(QString, written);
        QCOMPARE(Kitchen::writeFraction(value), written);
    }

    void readsRecipeServings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("servings");  // 0: no number
        QTest::newRow("number") << " 4" << 4.0;
        QTest::newRow("with the word") << "6 Servings" << 6.0;
        QTest::newRow("serves") << "Serves 8" << 8.0;
        QTest::newRow("range") << "4-6" << 0.0;
        QTest::newRow("a batch") << "1 batch" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }
    void readsRecipeServings()
    {
        QFETCH(QString, text);
        QFETCH(double, servings);
        QCOMPARE(Kitchen::readServings(text).value_or(0), servings);
    }

    void combinesLinesPerIngredientAndFamily_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("fractions and mixed units")
            << QStringList{"Flour|1 1/2|c|sifted|Cake", "Flour|2|T||Bread", "Flour|3/4|cup|Sifted|Pie"}
            << QStringList{"Flour|2 3/8|cups|sifted|"};
        QTest::newRow("ranges add end by end")
            << QStringList{"Onion|1-2||chopped|Soup", "Onion|1||sliced|Stew"} << QStringList{"Onion|2-3||chopped, sliced|"};
        QTest::newRow("families stay apart")
            << QStringList{"Milk|1|c||Cake", "Milk|250|ml||Soup", "Milk|1|qt||Pudding"}
            << QStringList{"Milk|5|cups||", "Milk|250|ml||"};
        QTest::newRow("what cannot be added is listed as it stands")
            << QStringList{"Salt|1|pn||Soup", "Salt|2|t||Bread", "Salt|||to taste|Stew", "Salt|some|||Soup"}
            << QStringList{"Salt|2|tsp||", "Salt|1|pn||Soup", "Salt|||to taste|Stew", "Salt|some|||Soup"};
        QTest::newRow("scaled by the factor")
            << QStringList{"Beef|1|lb||Chili|1.5", "Beef|8|oz||Chili|1"} << QStringList{"Beef|2|lb||"};
        QTest::newRow("sorted by name, letter case ignored")
            << QStringList{"sugar|1|c||Cake", "Apples|3|||Pie", "Sugar|1|c||Pie"}
            << QStringList{"Apples|3|||", "sugar|2|cups||"};
        QTest::newRow("a line repeated over days is listed once")
            << QStringList{"Salt|1|pinch||Soup", "Salt|1|pinch||Soup"} << QStringList{"Salt|1|pinch||Soup"};
    }
    void combinesLinesPerIngredientAndFamily()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, rows);
        QCOMPARE(textsOf(CombinedShoppingList::combine(linesOf(lines))), rows);
    }
};

QTEST_APPLESS_MAIN(TestKitchenQuantity)
#include "tst_kitchenquantity.moc"
