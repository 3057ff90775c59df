#include "EditorFixture.h"

#include "editing/Ingredient.h"
#include "ui/BoundGrid.h"
#include "ui/incremen.h"

#include <QPushButton>

using PickerAction = std::function<void(TIngredientForm &)>;
Q_DECLARE_METATYPE(PickerAction)

// The ingredient picker on its own: searching, the ways of choosing, and new ingredients.
class TestIngredientPicker : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsOnTheGivenIngredient();
    void typingFindsTheNearestName();
    void everyWayOfChoosingReturnsTheCurrentRow_data();
    void everyWayOfChoosingReturnsTheCurrentRow();
    void cancelEndsSilently();
    void navigationKeysMoveTheGrid_data();
    void navigationKeysMoveTheGrid();
    void insertIngredientStoresTheTypedName_data();
    void insertIngredientStoresTheTypedName();

private:
    // Runs the picker; empty when cancelled.
    std::optional<QString> select(const QString &initialKey, const PickerAction &action);
    static QString currentName(TIngredientForm &picker);

    std::unique_ptr<EditorFixture> m_fixture;
    QHash<QString, QString> m_keys;
};

void TestIngredientPicker::init()
{
    m_fixture = std::make_unique<EditorFixture>();
    m_keys.clear();
    for (const char *name : {"Milk", "Apple", "Flour", "Egg", "Butter"})
        m_keys.insert(QString::fromLatin1(name), m_fixture->addIngredient(QString::fromLatin1(name)));
}

void TestIngredientPicker::cleanup()
{
    m_fixture.reset();
}

std::optional<QString> TestIngredientPicker::select(const QString &initialKey, const PickerAction &action)
{
    TIngredientForm picker;
    whenShown<TIngredientForm>(action);
    QString key;
    if (!runCommand([&] { key = picker.SelectIngredient(initialKey); }))
        return std::nullopt;
    return key;
}

QString TestIngredientPicker::currentName(TIngredientForm &picker)
{
    return picker.tblIngredient.fieldByName(QStringLiteral("Ingredient")).asString();
}

void TestIngredientPicker::startsOnTheGivenIngredient()
{
    const auto key = select(m_keys["Flour"], [](TIngredientForm &picker) {
        QCOMPARE(picker.windowTitle(), QStringLiteral("Find/Enter Ingredient"));
        QCOMPARE(picker.SearchGrid->currentIndex().data().toString(), QStringLiteral("Flour"));
        QCOMPARE(picker.SearchGrid->currentIndex().row(), 3);  // Apple, Butter, Egg, Flour, Milk
        picker.OKButton->click();
    });
    QCOMPARE(key, m_keys["Flour"]);
}

void TestIngredientPicker::typingFindsTheNearestName()
{
    const auto key = select({}, [](TIngredientForm &picker) {
        QTest::keyClicks(picker.SearchName, QStringLiteral("eg"));
        QTRY_COMPARE(currentName(picker), QStringLiteral("Egg"));
        QCOMPARE(picker.SearchGrid->currentIndex().data().toString(), QStringLiteral("Egg"));
        picker.OKButton->click();
    });
    QCOMPARE(key, m_keys["Egg"]);
}

void TestIngredientPicker::everyWayOfChoosingReturnsTheCurrentRow_data()
{
    QTest::addColumn<PickerAction>("choose");
    QTest::newRow("Select") << PickerAction([](TIngredientForm &p) { p.OKButton->click(); });
    QTest::newRow("double click") << PickerAction([](TIngredientForm &p) {
        const QRect cell = p.SearchGrid->visualRect(p.SearchGrid->currentIndex());
        QTest::mouseClick(p.SearchGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(p.SearchGrid->viewport(), Qt::LeftButton, {}, cell.center());
    });
    QTest::newRow("Enter in grid") << PickerAction([](TIngredientForm &p) {
        p.SearchGrid->setFocus();
        QTest::keyClick(p.SearchGrid, Qt::Key_Return);
    });
    QTest::newRow("Enter in search box") << PickerAction([](TIngredientForm &p) {
        QTest::keyClick(p.SearchName, Qt::Key_Enter, Qt::KeypadModifier);
    });
    QTest::newRow("Shift+Return in search box") << PickerAction([](TIngredientForm &p) {
        QTest::keyClick(p.SearchName, Qt::Key_Return, Qt::ShiftModifier);
    });
}

void TestIngredientPicker::everyWayOfChoosingReturnsTheCurrentRow()
{
    QFETCH(PickerAction, choose);
    const auto key = select(m_keys["Egg"], [&](TIngredientForm &picker) {
        QCOMPARE(currentName(picker), QStringLiteral("Egg"));
        choose(picker);
        QVERIFY(!picker.isVisible());
    });
    QCOMPARE(key, m_keys["Egg"]);
}

void TestIngredientPicker::cancelEndsSilently()
{
    const auto key = select({}, [](TIngredientForm &picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
    QVERIFY(!key.has_value());
}

void TestIngredientPicker::navigationKeysMoveTheGrid_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << "Flour";
    QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier) << "Butter";
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << int(Qt::NoModifier) << "Milk";
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << "Egg";
    QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << "Egg";
}

void TestIngredientPicker::navigationKeysMoveTheGrid()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    select(m_keys["Egg"], [&](TIngredientForm &picker) {
        picker.SearchName->setText(QStringLiteral("e"));
        picker.SearchName->setFocus();
        QTest::keyClick(picker.SearchName, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::qWait(20);
        QCOMPARE(picker.SearchGrid->currentIndex().data().toString(), expected);
        QCOMPARE(currentName(picker), expected);
        QCOMPARE(picker.SearchName->text(), QStringLiteral("e"));
        picker.CancelBtn->click();
    });
}

void TestIngredientPicker::insertIngredientStoresTheTypedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("existing name") << "Flour";
    QTest::newRow("new name") << "Saffron";
}

void TestIngredientPicker::insertIngredientStoresTheTypedName()
{
    QFETCH(QString, typed);
    const int before = m_fixture->count("SELECT COUNT(*) FROM INGREDIE");
    const auto key = select({}, [&](TIngredientForm &picker) {
        QTest::keyClicks(picker.SearchName, typed);
        QTest::keyClick(&picker, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(!picker.isVisible());  // a mnemonic clicks after a short delay
    });
    QVERIFY(key.has_value());
    QVERIFY(!m_keys.values().contains(*key));
    QCOMPARE(m_fixture->count("SELECT COUNT(*) FROM INGREDIE"), before + 1);
    QCOMPARE(m_fixture->dm().tblIngredientLookup.lookup("Ingredient_ID", *key, "Ingredient").toString(), typed);
    QCOMPARE(m_fixture->dm().tblIngredientLookup.recordCount(), before + 1);
}

QTEST_MAIN(TestIngredientPicker)
#include "tst_ingredientpicker.moc"
