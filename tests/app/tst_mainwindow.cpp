#include "../calendar/MainWindowFixture.h"

#include <QItemSelectionModel>
#include <QTableView>
#include <QTimer>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void onlyCloseAndExitEndTheWindow_data();
    void onlyCloseAndExitEndTheWindow();
    void closingStoresPendingDayEdit();
    void dayEditThatCannotBeStoredKeepsWindowOpen();
    void recipeListShowsVisibleFieldsOnDemand();

private:
    void startDayEdit(const QDate &date, const QString &recipeId);
    int storedDays();

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestMainWindow::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
}

void TestMainWindow::cleanup()
{
    m_fixture.reset();
}

void TestMainWindow::startDayEdit(const QDate &date, const QString &recipeId)
{
    dmMain1->tblDay.insert();
    dmMain1->tblDay.fieldByName(QStringLiteral("Date")).setAsDate(date);
    dmMain1->tblDay.fieldByName(QStringLiteral("Recipe_ID")).setAsString(recipeId);
}

int TestMainWindow::storedDays()
{
    TTable days(dmMain1->Database1);
    days.setTableName(QStringLiteral("DAY.DB"));
    days.open();
    return days.recordCount();
}

void TestMainWindow::onlyCloseAndExitEndTheWindow_data()
{
    QTest::addColumn<std::function<void()>>("action");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Esc") << std::function<void()>([] { QTest::keyClick(MainForm, Qt::Key_Escape); }) << false;
    QTest::newRow("reject") << std::function<void()>([] { MainForm->reject(); }) << false;
    QTest::newRow("close box") << std::function<void()>([] { MainForm->close(); }) << true;
    QTest::newRow("Exit menu") << std::function<void()>([] { MainForm->Exit1->trigger(); }) << true;
    QTest::newRow("Alt+X") << std::function<void()>([] { QTest::keyClick(MainForm, Qt::Key_X, Qt::AltModifier); })
                           << true;
}

void TestMainWindow::onlyCloseAndExitEndTheWindow()
{
    QFETCH(std::function<void()>, action);
    QFETCH(bool, closes);
    MainForm->activateWindow();
    QSignalSpy programEnds(qApp, &QGuiApplication::lastWindowClosed);
    QTimer stillOpen;  // ends the loop when the window stays open; quit() would close the windows
    stillOpen.setSingleShot(true);
    connect(&stillOpen, &QTimer::timeout, qApp, [] { QCoreApplication::exit(0); });
    stillOpen.start(300);

    QTimer::singleShot(0, MainForm, action);
    QCoreApplication::exec();

    QCOMPARE(MainForm->isVisible(), !closes);
    QCOMPARE(programEnds.count(), closes ? 1 : 0);
}

void TestMainWindow::closingStoresPendingDayEdit()
{
    const int before = storedDays();
    startDayEdit(QDate(2024, 3, 5), QStringLiteral("1"));

    QVERIFY(MainForm->close());

    QVERIFY(!dmMain1->tblDay.isEditing());
    QCOMPARE(storedDays(), before + 1);
    QVERIFY(m_fixture->prompter().errors.isEmpty());
}

void TestMainWindow::dayEditThatCannotBeStoredKeepsWindowOpen()
{
    startDayEdit(QDate(2024, 3, 5), QStringLiteral("1"));
    dmMain1->tblDay.post();
    startDayEdit(QDate(2024, 3, 5), QStringLiteral("1"));

    QVERIFY(!MainForm->close());

    QVERIFY(MainForm->isVisible());
    QCOMPARE(m_fixture->prompter().errors.size(), 1);
}

// The list pages its rows in as the view needs them, and moving the selection moves the table.
void TestMainWindow::recipeListShowsVisibleFieldsOnDemand()
{
    TTable &recipes = dmMain1->tblRecipe;
    for (int i = 0; i < 250; ++i) {
        recipes.insert();
        recipes.fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("Recipe %1").arg(i, 3, 10, QLatin1Char('0')));
        recipes.post();
    }
    recipes.first();
    recipes.refresh();  // the list starts again from the top, as after opening
    QAbstractItemModel *model = MainForm->DBGrid1->model();

    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    QCOMPARE(model->columnCount(), 7);
    QVERIFY(model->rowCount() < recipes.recordCount());
    while (model->canFetchMore({}))
        model->fetchMore({});
    QCOMPARE(model->rowCount(), 250);
    QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("(Memo)"));

    MainForm->DBGrid1->selectionModel()->setCurrentIndex(model->index(42, 0), QItemSelectionModel::SelectCurrent);
    QCOMPARE(recipes.fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("Recipe 042"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
