#include "EditorSteps.h"

#include "ui/BoundGrid.h"

#include <QAbstractItemModel>

// Moving ingredient lines up and down in the recipe editor: each move exchanges the Order
// values of two neighbouring lines and keeps the moved line current.
class TestLineOrder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void moves_data();
    void moves();
    void moveAfterDeleteExchangesWithTheRightLine();
    void movesOnRecipeWithoutLinesDoNothing();

private:
    // Runs the editor on the current recipe, selects the line and clicks the buttons.
    QString runMoves(int startRow, const QString &clicks);

    std::unique_ptr<EditorFixture> m_fixture;
    QString m_recipeId;
};

void TestLineOrder::init()
{
    m_fixture = std::make_unique<EditorFixture>();
}

void TestLineOrder::cleanup()
{
    m_fixture.reset();
}

QString TestLineOrder::runMoves(int startRow, const QString &clicks)
{
    QString current;
    TRecipeEditForm editor;
    whenShown<TRecipeEditForm>([&](TRecipeEditForm &window) {
        window.DBGrid1->setCurrentIndex(window.DBGrid1->model()->index(startRow, 0));
        for (QChar click : clicks)
            (click == QLatin1Char('D') ? window.btnMoveDown : window.btnMoveUp)->click();
        current = shownFirst(window.DBGrid1, window.DBGrid1->currentIndex().row());
        window.BitBtn4->click();
    });
    runCommand([&] { editor.EditRecipe(); });
    return current;
}

void TestLineOrder::moves_data()
{
    QTest::addColumn<QList<int>>("orders");  // of the lines A, B, C
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("clicks");     // D for Down, U for Up
    QTest::addColumn<QStringList>("result");
    QTest::addColumn<QString>("current");
    const QList<int> plain{0, 1, 2};
    QTest::newRow("down on last") << plain << 2 << "D" << QStringList{"A:0", "B:1", "C:2"} << "C";
    QTest::newRow("up on first") << plain << 0 << "U" << QStringList{"A:0", "B:1", "C:2"} << "A";
    QTest::newRow("down on first") << plain << 0 << "D" << QStringList{"B:0", "A:1", "C:2"} << "A";
    QTest::newRow("up on last") << plain << 2 << "U" << QStringList{"A:0", "C:1", "B:2"} << "C";
    QTest::newRow("up on middle") << plain << 1 << "U" << QStringList{"B:0", "A:1", "C:2"} << "B";
    QTest::newRow("down on middle") << plain << 1 << "D" << QStringList{"A:0", "C:1", "B:2"} << "B";
    QTest::newRow("gaps, third up") << QList<int>{0, 1, 5} << 2 << "U" << QStringList{"A:0", "C:1", "B:5"} << "C";
    QTest::newRow("gaps, first down twice")
        << QList<int>{0, 1, 5} << 0 << "DD" << QStringList{"B:0", "C:1", "A:5"} << "A";
    QTest::newRow("repeated down walks") << plain << 0 << "DDD" << QStringList{"B:0", "C:1", "A:2"} << "A";
    QTest::newRow("down then up") << plain << 1 << "DU" << QStringList{"A:0", "B:1", "C:2"} << "B";
}

void TestLineOrder::moves()
{
    QFETCH(QList<int>, orders);
    QFETCH(int, startRow);
    QFETCH(QString, clicks);
    QFETCH(QStringList, result);
    QFETCH(QString, current);
    const QStringList ids{m_fixture->addIngredient("A"), m_fixture->addIngredient("B"), m_fixture->addIngredient("C")};
    const QString recipe = m_fixture->addRecipe(QStringLiteral("Stew"), ids, orders);
    QCOMPARE(runMoves(startRow, clicks), current);
    QCOMPARE(storedLines(*m_fixture, recipe), result);
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR WHERE \"Order\" = -1"), 0);
    QCOMPARE(m_fixture->dm().tblRecipeIngredient.fieldByName("Ingredient").asString(), current);
}

void TestLineOrder::moveAfterDeleteExchangesWithTheRightLine()
{
    const QStringList ids{m_fixture->addIngredient("A"), m_fixture->addIngredient("B"), m_fixture->addIngredient("C")};
    const QString recipe = m_fixture->addRecipe(QStringLiteral("Stew"), ids);
    m_fixture->addIngredient("D");
    TRecipeEditForm editor;
    whenShown<TRecipeEditForm>([&](TRecipeEditForm &window) {
        window.DBGrid1->setCurrentIndex(window.DBGrid1->model()->index(1, 0));
        window.btnDelete->click();  // B, numbered 1
        addLineThrough(window, "D", "1");
        QCOMPARE(storedLines(*m_fixture, recipe), (QStringList{"A:0", "C:2", "D:3"}));
        window.DBGrid1->setCurrentIndex(window.DBGrid1->model()->index(2, 0));
        window.btnMoveUp->click();
        window.btnMoveUp->click();
        window.BitBtn4->click();
    });
    runCommand([&] { editor.EditRecipe(); });
    QCOMPARE(storedLines(*m_fixture, recipe), (QStringList{"D:0", "A:2", "C:3"}));
}

void TestLineOrder::movesOnRecipeWithoutLinesDoNothing()
{
    m_fixture->addRecipe(QStringLiteral("Toast"));
    runMoves(0, QStringLiteral("DUDU"));
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 0);
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

QTEST_MAIN(TestLineOrder)
#include "tst_lineorder.moc"
