#include "TestSupport.h"

#include "data/EngineError.h"
#include "ui/Application.h"
#include "ui/CommandGuard.h"

#include <QEvent>
#include <QObject>
#include <QtTest>
#include <stdexcept>

namespace {

// Fails in the way the test asks for, from a slot and from an event handler.
class FailingReceiver : public QObject {
    Q_OBJECT
public:
    std::function<void()> failure;
    QString received;

    void command(const QString &text)
    {
        received = text;
        failure();
    }

signals:
    void triggered(const QString &text);

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            failure();
        return QObject::event(event);
    }
};

} // namespace

class TestCommandGuard : public QObject {
    Q_OBJECT
private slots:
    void failureIsShownOrDropped_data();
    void failureIsShownOrDropped();
    void guardedSlotReceivesArgumentsAndContainsFailure();
    void failingEventHandlerIsCaughtByTheApplication_data();
    void failingEventHandlerIsCaughtByTheApplication();
};

void TestCommandGuard::failureIsShownOrDropped_data()
{
    QTest::addColumn<std::function<void()>>("command");
    QTest::addColumn<bool>("completes");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("completed command") << std::function<void()>([] {}) << true << QStringList();
    QTest::newRow("silent abort") << std::function<void()>([] { throw SilentAbort(); }) << false << QStringList();
    QTest::newRow("engine error")
        << std::function<void()>([] { throw EngineError(EngineError::KeyViolation, QStringLiteral("Key violation.")); })
        << false << QStringList{QStringLiteral("Key violation.")};
    QTest::newRow("other exception")
        << std::function<void()>([] { throw std::runtime_error("Out of paper"); }) << false
        << QStringList{QStringLiteral("Out of paper")};
}

void TestCommandGuard::failureIsShownOrDropped()
{
    QFETCH(std::function<void()>, command);
    QFETCH(bool, completes);
    QFETCH(QStringList, shown);
    ScriptedPrompter prompter;

    QCOMPARE(runGuarded(command), completes);
    QCOMPARE(prompter.errors, shown);
}

void TestCommandGuard::guardedSlotReceivesArgumentsAndContainsFailure()
{
    ScriptedPrompter prompter;
    FailingReceiver receiver;
    receiver.failure = [] { throw EngineError(EngineError::TableNotFound, QStringLiteral("Table not found.")); };
    connect(&receiver, &FailingReceiver::triggered, &receiver, guarded(&receiver, &FailingReceiver::command));

    emit receiver.triggered(QStringLiteral("Soup"));

    QCOMPARE(receiver.received, QStringLiteral("Soup"));
    QCOMPARE(prompter.errors, QStringList{QStringLiteral("Table not found.")});
}

void TestCommandGuard::failingEventHandlerIsCaughtByTheApplication_data()
{
    QTest::addColumn<bool>("silent");
    QTest::newRow("engine error is shown") << false;
    QTest::newRow("silent abort shows nothing") << true;
}

// A handler that lets a failure escape must not take the program down: the application object
// delivers every event inside the guard.
void TestCommandGuard::failingEventHandlerIsCaughtByTheApplication()
{
    QFETCH(bool, silent);
    ScriptedPrompter prompter;
    FailingReceiver receiver;
    receiver.failure = [silent] {
        if (silent)
            throw SilentAbort();
        throw EngineError(EngineError::Locked, QStringLiteral("The table is locked."));
    };

    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);

    QCOMPARE(prompter.errors, silent ? QStringList() : QStringList{QStringLiteral("The table is locked.")});
}

// The guard under test in the last case is the application object's own, so the test runs
// inside one instead of a plain QApplication.
int main(int argc, char **argv)
{
    Application application(argc, argv);
    TestCommandGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandguard.moc"
