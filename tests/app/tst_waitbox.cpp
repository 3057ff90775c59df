#include "TestSupport.h"

#include "ui/Waitbox.h"

#include <QLabel>
#include <QtTest>

class TestWaitBox : public QObject {
    Q_OBJECT
private slots:
    void nestedMessagesRestoreTheOuterOne();
    void sameTextTwiceNeedsTwoPops();
};

void TestWaitBox::nestedMessagesRestoreTheOuterOne()
{
    TWaitForm box;
    box.PushText(QStringLiteral("A"));
    box.PushText(QStringLiteral("B"));
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("B"));

    box.PopText();
    QVERIFY(box.isVisible());
    QCOMPARE(box.DescriptionText->text(), QStringLiteral("A"));
    box.PopText();
    QVERIFY(!box.isVisible());
    box.PopText();
    QVERIFY(!box.isVisible());
}

void TestWaitBox::sameTextTwiceNeedsTwoPops()
{
    TWaitForm box;
    box.PushText(QStringLiteral("Importing"));
    box.PushText(QStringLiteral("Importing"));
    box.PopText();
    QVERIFY(box.isVisible());
    box.PopText();
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(TestWaitBox)
#include "tst_waitbox.moc"
