// Editing through table views: states, field widths, refused deletes, key violations and
// typed field access.

#include "EngineFixture.h"

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void refusedDeleteKeepsRecordAndPosition();
    void textIsCutToFieldWidth_data();
    void textIsCutToFieldWidth();
    void duplicateKeyIsIntegrityViolation_data();
    void duplicateKeyIsIntegrityViolation();
    void editReadsChangesOfAnotherView();
};

void TestEditing::refusedDeleteKeepsRecordAndPosition()
{
    EngineFixture f;
    for (int i = 1; i <= 4; ++i)
        f.addRecipe(QString::number(i), QStringLiteral("Recipe %1").arg(i));
    auto view = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    int asked = 0;
    view->beforeDelete = [&](TDataSet &) {
        ++asked;
        throw SilentAbort();
    };
    view->setRecNo(2);
    QVERIFY_THROWS_EXCEPTION(SilentAbort, view->remove());
    QCOMPARE(asked, 1);
    QCOMPARE(view->state(), DataSetState::Browse);
    QCOMPARE(view->recNo(), 2);
    QCOMPARE(view->recordCount(), 4);
    QCOMPARE(view->fieldByName("Name").asString(), QStringLiteral("Recipe 3"));
    QCOMPARE(f.count("Recipe"), 4);
    view->next();
    QCOMPARE(view->fieldByName("Name").asString(), QStringLiteral("Recipe 4"));
}

void TestEditing::textIsCutToFieldWidth_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("width");

    QTest::newRow("recipe name") << "Recipe.DB" << "Name" << 40;
    QTest::newRow("servings") << "Recipe.DB" << "Servings" << 10;
    QTest::newRow("line measurement") << "REC_INGR.DB" << "Measurement" << 10;
    QTest::newRow("line description") << "REC_INGR.DB" << "Description" << 20;
    QTest::newRow("measurement list") << "LAmtMeas.db" << "Measurement" << 20;
}

void TestEditing::textIsCutToFieldWidth()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(int, width);

    EngineFixture f;
    auto view = f.openTable(table);
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    view->insert();
    for (const char *key : {"Recipe_ID", "Ingredient_ID"})
        if (view->fieldIndex(key) >= 0)
            view->fieldByName(key).setAsString("1");
    view->fieldByName(field).setAsString(text);
    QCOMPARE(view->fieldByName(field).asString(), text.left(width));
    view->post();
    QCOMPARE(view->fieldByName(field).asString(), text.left(width));

    auto reread = f.openTable(table);
    QVERIFY(reread->locate(field, text.left(width)));
    QCOMPARE(reread->fieldByName(field).asString().size(), width);
}

void TestEditing::duplicateKeyIsIntegrityViolation_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("recipe key") << "Recipe.DB" << QStringList{"Recipe_ID", "Name"} << QStringList{"15", "Other"};
    QTest::newRow("same ingredient twice in a recipe")
        << "REC_INGR.DB" << QStringList{"Recipe_ID", "Ingredient_ID", "Order"} << QStringList{"15", "3", "9"};
    QTest::newRow("list value") << "LCategory.db" << QStringList{"Category"} << QStringList{"Beef"};
}

void TestEditing::duplicateKeyIsIntegrityViolation()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);

    EngineFixture f;
    f.addRecipe("15", "Goulash");
    f.addLine("15", "3", 0);
    auto view = f.openTable(table);
    const int rows = view->recordCount();
    view->insert();
    for (int i = 0; i < fields.size(); ++i)
        view->fieldByName(fields[i]).setAsString(values[i]);

    int code = 0;
    try {
        view->post();
    } catch (const EngineError &e) {
        code = e.code();
        QVERIFY(e.isIntegrityViolation());
    }
    QCOMPARE(code >> 8, int(EngineError::CatIntegrity));
    // The new record stays pending so the user can correct it.
    QCOMPARE(view->state(), DataSetState::Insert);
    QCOMPARE(view->fieldByName(fields.last()).asString(), values.last());
    view->cancel();
    QCOMPARE(view->recordCount(), rows);
    QCOMPARE(f.count(Schema::baseName(table)), rows);
}

void TestEditing::editReadsChangesOfAnotherView()
{
    // The main list and a lookup view show the same recipes; a change made through one
    // must not be undone by a later edit through the other.
    EngineFixture f;
    f.addRecipe("1", "Soup");
    f.addRecipe("2", "Stew");
    auto list = f.openTable(QStringLiteral("Recipe.DB"), QStringLiteral("Name"));
    auto lookup = f.openTable(QStringLiteral("RECIPE.DB"), QStringLiteral("Recipe_ID"));
    QCOMPARE(lookup->fieldByName("Name").asString(), QStringLiteral("Soup"));

    list->edit();
    list->fieldByName("Name").setAsString("Onion soup");
    list->post();

    lookup->edit();
    QCOMPARE(lookup->fieldByName("Name").asString(), QStringLiteral("Onion soup"));
    lookup->fieldByName("Notes").setAsString("Serve with bread");
    lookup->post();
    QCOMPARE(f.scalar("SELECT Name || '/' || Notes FROM Recipe WHERE Recipe_ID = '1'").toString(),
             QStringLiteral("Onion soup/Serve with bread"));
}

QTEST_GUILESS_MAIN(TestEditing)
#include "tst_editing.moc"
