#include "SetupSteps.h"

#include "data/Table.h"

#include <QHeaderView>

class TestSetupLists : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addEditCancelDelete_data();
    void addEditCancelDelete();
    void emptyAddStoresNothing();
    void editOnEmptyListDoesNothing();
    void radioItemChoosesTheList();
    void pageChoiceSelectsThePage_data();
    void pageChoiceSelectsThePage();
    void closeBoxKeepsListChangesButAborts();

private:
    std::unique_ptr<EditorFixture> m_fixture;
};

void TestSetupLists::init()
{
    m_fixture = std::make_unique<EditorFixture>();
}

void TestSetupLists::cleanup()
{
    m_fixture.reset();
}

void TestSetupLists::addEditCancelDelete_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("question");
    QTest::newRow("meals") << 1 << "Meal" << "LMeal" << "Are you sure you want to delete this Meal?";
    QTest::newRow("prep times") << 2 << "PrepTime" << "LPrepTime" << "Are you sure you want to delete this Prep Time?";
    QTest::newRow("categories") << 6 << "Category" << "LCategory" << "Are you sure you want to delete this Category?";
    QTest::newRow("ingredients") << 0 << "Ingredient" << "INGREDIE"
                                 << "Are you sure you want to delete this Ingredient?";
}

void TestSetupLists::addEditCancelDelete()
{
    QFETCH(int, item);
    QFETCH(QString, list);
    QFETCH(QString, table);
    QFETCH(QString, question);
    const QString stored = QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(list, table);
    const QStringList before = m_fixture->column(stored);
    const bool closed = runSetup(1, [&](TSetupForm &setup) {
        chooseList(setup, item);
        QCOMPARE(editValueThrough(setup.Add, "Zzz first", true), "Add a " + list);
        QCOMPARE(editValueThrough(setup.Add, "Zzz dropped", false), "Add a " + list);
        QVERIFY(qobject_cast<TTable *>(setup.DBGrid->dataSet())->locate(list, QStringLiteral("Zzz first")));
        QCOMPARE(editValueThrough(setup.Edit, "Zzz edited", true), "Edit a " + list);
        QVERIFY(gridColumn(setup).contains("Zzz edited"));
        m_fixture->prompter().answer({false, true});
        setup.BitBtn3->click();
        QVERIFY(gridColumn(setup).contains("Zzz edited"));
        setup.BitBtn3->click();
        QVERIFY(!gridColumn(setup).contains("Zzz edited"));
        QCOMPARE(m_fixture->prompter().questions, QStringList({question, question}));
        setup.BitBtn4->click();
    });
    QVERIFY(closed);
    QCOMPARE(m_fixture->column(stored), before);
}

void TestSetupLists::emptyAddStoresNothing()
{
    runSetup(1, [&](TSetupForm &setup) {
        chooseList(setup, 1);
        QCOMPARE(editValueThrough(setup.Add, QString(), true), "Add a Meal");
        setup.BitBtn4->click();
    });
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM LMeal WHERE COALESCE(Meal, '') = ''"), 0);
    QVERIFY(!m_fixture->dm().tblMeal.isEditing());
}

void TestSetupLists::editOnEmptyListDoesNothing()
{
    runSetup(1, [&](TSetupForm &setup) {
        chooseList(setup, 0);
        QCOMPARE(setup.DBGrid->dataSet()->recordCount(), 0);
        bool opened = false;
        const QPointer<QTimer> watch = whenShown<TSetupEditForm>([&](TSetupEditForm &) { opened = true; });
        setup.Edit->click();
        QTest::qWait(30);
        delete watch.data();
        QVERIFY(!opened);
        QCOMPARE(editValueThrough(setup.Add, "Salt", true), "Add a Ingredient");
        setup.BitBtn4->click();
    });
    QCOMPARE(m_fixture->column("SELECT Ingredient FROM INGREDIE"), QStringList{"Salt"});
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM INGREDIE WHERE COALESCE(Ingredient_ID, '') = ''"), 0);
}

void TestSetupLists::radioItemChoosesTheList()
{
    m_fixture->addIngredient("Salt");
    m_fixture->addIngredient("Flour");
    runSetup(1, [&](TSetupForm &setup) {
        QCOMPARE(setup.rgItems->checkedId(), 0);
        QCOMPARE(gridColumn(setup), QStringList({"Salt", "Flour"}));  // order of creation, names only
        chooseList(setup, 6);
        QCOMPARE(setup.DBGrid->dataSet(), &m_fixture->dm().tblCategory);
        chooseList(setup, 4);
        QCOMPARE(setup.DBGrid->dataSet(), &m_fixture->dm().tblMeasurement);
        setup.BitBtn4->click();
    });
}

void TestSetupLists::pageChoiceSelectsThePage_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("caption");
    QTest::newRow("main window") << 0 << "  General Options   ";
    QTest::newRow("recipe editor") << 1 << "  Editable Values   ";
    QTest::newRow("any other") << 7 << "  Editable Values   ";
}

void TestSetupLists::pageChoiceSelectsThePage()
{
    QFETCH(int, choice);
    QFETCH(QString, caption);
    runSetup(choice, [&](TSetupForm &setup) {
        QCOMPARE(setup.PageControl1->tabText(setup.PageControl1->currentIndex()), caption);
        QCOMPARE(setup.DBGrid->dataSet(), &m_fixture->dm().tblIngredientLookup);
        QVERIFY(setup.BitBtn4->isDefault());
        setup.BitBtn4->click();
    });
}

void TestSetupLists::closeBoxKeepsListChangesButAborts()
{
    const bool returned = runSetup(1, [&](TSetupForm &setup) {
        chooseList(setup, 1);
        editValueThrough(setup.Add, "Brunch", true);
        QTest::keyClick(&setup, Qt::Key_Escape);
        QVERIFY(setup.isVisible());  // Esc does nothing
        setup.close();
    });
    QVERIFY(!returned);
    QCOMPARE(m_fixture->column("SELECT Meal FROM LMeal WHERE Meal = 'Brunch'"), QStringList{"Brunch"});
}

QTEST_MAIN(TestSetupLists)
#include "tst_setuplists.moc"
