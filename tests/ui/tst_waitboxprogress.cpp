#include "TestSupport.h"

#include "ui/Waitbox.h"

#include <QLabel>
#include <QtTest>

// The wait box while a long operation reports progress: the count replaces the shown text a
// few times a second, and the message stack underneath is left alone.
class TestWaitBoxProgress : public QObject {
    Q_OBJECT
private slots:
    void progressIsThrottled();
    void popRestoresTheStackedMessage();
    void hiddenBoxShowsNoProgress();
    void popOnEmptyStackChangesNothing();
};

void TestWaitBoxProgress::progressIsThrottled()
{
    TWaitForm box;
    box.PushText(QStringLiteral("Importing"));
    box.ShowProgress(QStringLiteral("Importing 1"));  // just painted by the push
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Importing"));
    QTest::qWait(TWaitForm::kProgressIntervalMs + 50);
    box.ShowProgress(QStringLiteral("Importing 2"));
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Importing 2"));
    box.ShowProgress(QStringLiteral("Importing 3"));
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Importing 2"));
}

void TestWaitBoxProgress::popRestoresTheStackedMessage()
{
    TWaitForm box;
    box.PushText(QStringLiteral("Outer"));
    box.PushText(QStringLiteral("Inner"));
    QTest::qWait(TWaitForm::kProgressIntervalMs + 50);
    box.ShowProgress(QStringLiteral("Inner 40"));
    box.PopText();
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Outer"));
    QVERIFY(box.isVisible());
    box.PopText();
    QVERIFY(!box.isVisible());
}

void TestWaitBoxProgress::hiddenBoxShowsNoProgress()
{
    TWaitForm box;
    box.ShowProgress(QStringLiteral("Stray"));
    QVERIFY(!box.isVisible());
    QVERIFY(box.DescriptionText->text().isEmpty());
}

void TestWaitBoxProgress::popOnEmptyStackChangesNothing()
{
    TWaitForm box;
    box.ShowText(QStringLiteral("Shown without a push"));
    box.PopText();
    QVERIFY(box.isVisible());
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("Shown without a push"));
}

QTEST_MAIN(TestWaitBoxProgress)
#include "tst_waitboxprogress.moc"
