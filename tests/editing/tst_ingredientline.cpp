#include "EditorSteps.h"

#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"

#include <QLineEdit>

using LineAction = std::function<void(TIngredientDetailForm &)>;

// The ingredient line editor, run on a line of the current recipe as the recipe editor does.
class TestIngredientLine : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ingredientUsedByAnotherLineIsRefused();
    void choosingTheSameIngredientShowsNothing();
    void typedListValuesJoinTheirLists_data();
    void typedListValuesJoinTheirLists();
    void descriptionIsListedBeforeMeasurement();
    void untouchedNewLineIsNotStored();
    void cancelledLineIsNotStored();
    void cancelledPickKeepsLineAndFocus();
    void focusMovesToAmountAfterPick();

private:
    bool runLine(bool insert, const LineAction &action);

    std::unique_ptr<EditorFixture> m_fixture;
    QString m_recipe, m_salt, m_pepper;
};

void TestIngredientLine::init()
{
    m_fixture = std::make_unique<EditorFixture>();
    m_salt = m_fixture->addIngredient(QStringLiteral("Salt"));
    m_pepper = m_fixture->addIngredient(QStringLiteral("Pepper"));
    m_fixture->addIngredient(QStringLiteral("Thyme"));
    m_recipe = m_fixture->addRecipe(QStringLiteral("Soup"), {m_salt, m_pepper});
}

void TestIngredientLine::cleanup()
{
    m_fixture.reset();
}

bool TestIngredientLine::runLine(bool insert, const LineAction &action)
{
    TIngredientDetailForm editor;
    whenShown<TIngredientDetailForm>(action);
    return runCommand([&] { insert ? editor.InsertLine() : editor.EditLine(); });
}

void TestIngredientLine::ingredientUsedByAnotherLineIsRefused()
{
    m_fixture->dm().tblRecipeIngredient.last();  // Pepper
    const bool stored = runLine(false, [](TIngredientDetailForm &line) {
        QCOMPARE(line.windowTitle(), QStringLiteral("Editing Ingredient Detail"));
        fillLine(line, QStringLiteral("Salt"), QStringLiteral("3"));
        QVERIFY(line.isVisible());
        QCOMPARE(line.DBText1->text(), QStringLiteral("Pepper"));
        line.BitBtn4->click();
    });
    QVERIFY(stored);
    QCOMPARE(m_fixture->prompter().notices,
             QStringList{"The ingredient Salt is already in this recipe's ingredient list.\r"
                         "Choose another one, or go and edit Salt"});
    QCOMPARE(storedLines(*m_fixture, m_recipe), (QStringList{"Salt:0", "Pepper:1"}));
}

void TestIngredientLine::choosingTheSameIngredientShowsNothing()
{
    runLine(false, [](TIngredientDetailForm &line) {
        pickNext(QStringLiteral("Salt"));
        line.BitBtn1->click();
        QCOMPARE(line.DBText1->text(), QStringLiteral("Salt"));
        QVERIFY(!dmMain1->tblRecipeIngredient.isModified());
        line.BitBtn4->click();
    });
    QVERIFY(m_fixture->prompter().notices.isEmpty());
    QCOMPARE(storedLines(*m_fixture, m_recipe), (QStringList{"Salt:0", "Pepper:1"}));
}

void TestIngredientLine::typedListValuesJoinTheirLists_data()
{
    QTest::addColumn<QString>("measurement");
    QTest::addColumn<int>("added");
    QTest::newRow("new measurement") << "smidgen" << 1;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("listed measurement") << "cup" << 0;
}

void TestIngredientLine::typedListValuesJoinTheirLists()
{
    QFETCH(QString, measurement);
    QFETCH(int, added);
    const int measurements = m_fixture->count("SELECT COUNT(*) FROM LAmtMeas");
    const int descriptions = m_fixture->count("SELECT COUNT(*) FROM LAmtDesc");
    runLine(true, [&](TIngredientDetailForm &line) {
        QCOMPARE(line.cbMeasurement->count(), measurements);
        fillLine(line, QStringLiteral("Thyme"), QStringLiteral("1"));
        QTest::keyClicks(line.cbMeasurement->lineEdit(), measurement);
        line.BitBtn4->click();
    });
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LAmtMeas"), measurements + added);
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LAmtDesc"), descriptions);
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT Measurement FROM REC_INGR WHERE Ingredient_ID <> '%1' AND "
                                              "Ingredient_ID <> '%2'").arg(m_salt, m_pepper)).value(0),
             measurement);
}

void TestIngredientLine::descriptionIsListedBeforeMeasurement()
{
    QStringList stores;
    m_fixture->dm().tblDescription.afterPost = [&](TDataSet &) { stores << "Description"; };
    m_fixture->dm().tblMeasurement.afterPost = [&](TDataSet &) { stores << "Measurement"; };
    runLine(true, [](TIngredientDetailForm &line) {
        fillLine(line, QStringLiteral("Thyme"), QStringLiteral("1"));
        QTest::keyClicks(line.cbMeasurement->lineEdit(), QStringLiteral("sprig"));
        QTest::keyClicks(line.cbDescription->lineEdit(), QStringLiteral("bruised"));
        line.BitBtn4->click();
    });
    m_fixture->dm().tblDescription.afterPost = nullptr;
    m_fixture->dm().tblMeasurement.afterPost = nullptr;
    QCOMPARE(stores, (QStringList{"Description", "Measurement"}));
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR WHERE Description = 'bruised'"), 1);
}

void TestIngredientLine::untouchedNewLineIsNotStored()
{
    QVERIFY(runLine(true, [](TIngredientDetailForm &line) { line.BitBtn4->click(); }));
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 2);
    QCOMPARE(m_fixture->dm().tblRecipeIngredient.state(), DataSetState::Browse);
    QCOMPARE(m_fixture->dm().tblRecipeIngredient.recordCount(), 2);
}

void TestIngredientLine::cancelledLineIsNotStored()
{
    const bool stored = runLine(true, [](TIngredientDetailForm &line) {
        fillLine(line, QStringLiteral("Thyme"), QStringLiteral("5"));
        QTest::keyClick(&line, Qt::Key_Escape);
    });
    QVERIFY(!stored);
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 2);
    QCOMPARE(m_fixture->dm().tblRecipeIngredient.state(), DataSetState::Browse);
}

void TestIngredientLine::cancelledPickKeepsLineAndFocus()
{
    runLine(false, [](TIngredientDetailForm &line) {
        QVERIFY(QTest::qWaitForWindowActive(&line));
        line.BitBtn1->setFocus();
        whenShown<TIngredientForm>([](TIngredientForm &picker) {
            picker.tblIngredient.locate(QStringLiteral("Ingredient"), QStringLiteral("Thyme"));
            picker.CancelBtn->click();
        });
        line.BitBtn1->click();
        QVERIFY(line.isVisible());
        QCOMPARE(line.DBText1->text(), QStringLiteral("Salt"));
        QTest::qWait(20);
        QCOMPARE(line.focusWidget(), static_cast<QWidget *>(line.BitBtn1));
        line.BitBtn4->click();
    });
    QCOMPARE(storedLines(*m_fixture, m_recipe), (QStringList{"Salt:0", "Pepper:1"}));
}

void TestIngredientLine::focusMovesToAmountAfterPick()
{
    runLine(true, [](TIngredientDetailForm &line) {
        QVERIFY(QTest::qWaitForWindowActive(&line));
        QCOMPARE(line.focusWidget(), static_cast<QWidget *>(line.BitBtn1));
        pickNext(QStringLiteral("Thyme"));
        line.BitBtn1->click();
        QTRY_COMPARE(line.focusWidget(), static_cast<QWidget *>(line.DBEdit1));
        QCOMPARE(line.DBText1->text(), QStringLiteral("Thyme"));
        line.BitBtn4->click();
    });
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM REC_INGR"), 3);
}

QTEST_MAIN(TestIngredientLine)
#include "tst_ingredientline.moc"
