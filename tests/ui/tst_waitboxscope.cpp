#include "ui/WaitBoxScope.h"
#include "ui/Waitbox.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <stdexcept>

// How an import or export is framed by the wait box: shown for the whole run, with the count
// of recipes read, and hidden again however the run ends.
class TestWaitBoxScope : public QObject {
    Q_OBJECT
private slots:
    void countIsShownUnderTheMessage();
    void failureStillPopsTheMessage();
    void nestedRunRestoresOuterMessage();
    void withoutBoxNothingHappens();
};

void TestWaitBoxScope::countIsShownUnderTheMessage()
{
    TWaitForm box;
    {
        WaitBoxScope scope(&box, QStringLiteral("Importing Recipies...Please Wait..."));
        QVERIFY(box.isVisible());
        QTest::qWait(TWaitForm::kProgressIntervalMs + 50);
        scope.showRecipesRead(120);
        QCOMPARE(box.DescriptionText->text(), QStringLiteral("Importing Recipies...Please Wait...\n120 recipes read"));
    }
    QVERIFY(!box.isVisible());
}

void TestWaitBoxScope::failureStillPopsTheMessage()
{
    TWaitForm box;
    try {
        WaitBoxScope scope(&box, QStringLiteral("Exporting Recipies...Please Wait..."));
        throw std::runtime_error("disk full");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!box.isVisible());
    box.PushText(QStringLiteral("Next"));
    box.PopText();
    QVERIFY(!box.isVisible());  // nothing was left on the stack by the failed run
}

void TestWaitBoxScope::nestedRunRestoresOuterMessage()
{
    TWaitForm box;
    WaitBoxScope outer(&box, QStringLiteral("Outer"));
    {
        WaitBoxScope inner(&box, QStringLiteral("Inner"));
        QCOMPARE(box.DescriptionText->text(), QStringLiteral("Inner"));
    }
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Outer"));
    QVERIFY(box.isVisible());
}

void TestWaitBoxScope::withoutBoxNothingHappens()
{
    WaitBoxScope scope(nullptr, QStringLiteral("Importing"));
    scope.showRecipesRead(3);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestWaitBoxScope)
#include "tst_waitboxscope.moc"
