#include "ui/MoveFocus.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class TestMoveFocus : public QObject {
    Q_OBJECT
private slots:
    void movesToTheNextControlAfterTheHandlerReturns()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new QLineEdit(&window);
        auto *disabled = new QLineEdit(&window);
        auto *hidden = new QLineEdit(&window);
        auto *amount = new QLineEdit(&window);
        auto *button = new QPushButton("OK", &window);
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(disabled),
                           static_cast<QWidget *>(hidden), static_cast<QWidget *>(amount),
                           static_cast<QWidget *>(button)})
            layout->addWidget(w);
        disabled->setEnabled(false);
        hidden->hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());

        MoveFocusToNext(&window);
        QVERIFY(first->hasFocus());  // queued: nothing happens inside the handler
        QTRY_VERIFY(amount->hasFocus());
    }
};

QTEST_MAIN(TestMoveFocus)
#include "tst_movefocus.moc"
