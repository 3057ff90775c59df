#include "TestSupport.h"
#include "data/DateText.h"
#include "data/EngineError.h"
#include "ui/Datebtn.h"
#include "ui/Finddate.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

using FinderSteps = std::function<void(TFindDateForm &)>;

// Runs the steps once the finder shows; OK closes it unless a step closed it already.
void whenFinderShows(const FinderSteps &steps)
{
    QTimer::singleShot(0, [steps] {
        auto *finder = qobject_cast<TFindDateForm *>(QApplication::activeModalWidget());
        if (!finder)
            return;
        steps(*finder);
        if (finder->isVisible())
            finder->OKBtn->click();
    });
}

QString pick(TFindDateForm &finder, const QString &text, const FinderSteps &steps = [](TFindDateForm &) {})
{
    whenFinderShows(steps);
    return finder.Execute(text);
}

QSpinBox *boxNamed(TFindDateForm &finder, const QString &name)
{
    if (name == QLatin1String("year"))
        return finder.EditYear;
    return name == QLatin1String("month") ? finder.EditMonth : finder.EditDay;
}

// The date text, the calendar and the three boxes all show this date.
bool showsDate(TFindDateForm &finder, const QDate &date)
{
    return finder.EditDate->text() == DateText::toDisplay(date) && finder.Calendar->selectedDate() == date &&
           finder.EditYear->value() == date.year() && finder.EditMonth->value() == date.month() &&
           finder.EditDay->value() == date.day();
}

void emptyBox(QSpinBox *box)
{
    box->findChild<QLineEdit *>()->clear();
}

} // namespace

class TestDateFinder : public QObject {
    Q_OBJECT
    std::unique_ptr<ScriptedPrompter> m_prompter;

private slots:
    void init()
    {
        m_prompter = std::make_unique<ScriptedPrompter>();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup()
    {
        m_prompter.reset();
        QLocale::setDefault(QLocale::system());
    }

    void spinningStepsIntoTheNeighbouringMonthOrYear_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("value");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("day below 1 on 1 March") << QDate(1997, 3, 1) << "day" << 0 << QDate(1997, 2, 28);
        QTest::newRow("day below 1 on 1 January") << QDate(2000, 1, 1) << "day" << 0 << QDate(1999, 12, 31);
        QTest::newRow("day past 30 April") << QDate(1997, 4, 30) << "day" << 31 << QDate(1997, 5, 1);
        QTest::newRow("day past 31 December") << QDate(1997, 12, 31) << "day" << 32 << QDate(1998, 1, 1);
        QTest::newRow("day 29 of a leap February") << QDate(2024, 2, 28) << "day" << 29 << QDate(2024, 2, 29);
        QTest::newRow("day 29 of a common February") << QDate(2023, 2, 28) << "day" << 29 << QDate(2023, 3, 1);
        QTest::newRow("month past December") << QDate(1997, 12, 15) << "month" << 13 << QDate(1998, 1, 15);
        QTest::newRow("month below January") << QDate(1997, 1, 15) << "month" << 0 << QDate(1996, 12, 15);
        QTest::newRow("February from 31 January") << QDate(1997, 1, 31) << "month" << 2 << QDate(1997, 2, 28);
        QTest::newRow("month set to 41 is held at 13") << QDate(1997, 12, 15) << "month" << 41 << QDate(1998, 1, 15);
        QTest::newRow("year from 29 February") << QDate(2024, 2, 29) << "year" << 2023 << QDate(2023, 2, 28);
        QTest::newRow("year in the next century") << QDate(1997, 6, 10) << "year" << 2105 << QDate(2105, 6, 10);
        QTest::newRow("year beyond the range is held") << QDate(2024, 5, 5) << "year" << 2500 << QDate(2199, 5, 5);
        QTest::newRow("month past the last year") << QDate(2199, 12, 15) << "month" << 13 << QDate(2199, 12, 31);
    }

    void spinningStepsIntoTheNeighbouringMonthOrYear()
    {
        QFETCH(QDate, start);
        QFETCH(QString, box);
        QFETCH(int, value);
        QFETCH(QDate, expected);
        TFindDateForm finder;
        bool shown = false;
        const QString result = pick(finder, DateText::toDisplay(start), [&](TFindDateForm &f) {
            boxNamed(f, box)->setValue(value);
            shown = showsDate(f, expected);
        });
        QVERIFY(shown);
        QCOMPARE(DateText::parse(result), expected);
        QVERIFY(m_prompter->errors.isEmpty());
    }

    void anEmptiedBoxReadsAsItsLowestValue_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("day") << "day" << QDate(1997, 2, 28);
        QTest::newRow("month") << "month" << QDate(1996, 12, 15);
    }

    void anEmptiedBoxReadsAsItsLowestValue()
    {
        QFETCH(QString, box);
        QFETCH(QDate, expected);
        TFindDateForm finder;
        const QString result = pick(finder, DateText::toDisplay(QDate(1997, 3, 15)),
                                    [&](TFindDateForm &f) { emptyBox(boxNamed(f, box)); });
        QCOMPARE(DateText::parse(result), expected);
    }

    void choosingADayOnTheCalendarMovesTheBoxes()
    {
        TFindDateForm finder;
        bool shown = false;
        pick(finder, QString(), [&](TFindDateForm &f) {
            f.Calendar->setSelectedDate(QDate(2031, 7, 4));
            shown = showsDate(f, QDate(2031, 7, 4));
        });
        QVERIFY(shown);
    }

    void aDateThatCannotBeFormedShowsTheErrorAndFallsBack()
    {
        QCOMPARE(TFindDateForm::EncodeNearestDate(1997, 41, 1), QDate(1980, 1, 1));
        QCOMPARE(m_prompter->errors, QStringList{"An Error has occured with the date requested"});
        QCOMPARE(TFindDateForm::EncodeNearestDate(1997, 4, 31), QDate(1997, 4, 30));
        QCOMPARE(m_prompter->errors.size(), 1);
    }

    void theGivenTextRoundTripsInTheUsersFormat_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("returned");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("month first") << us << "2/15/1997" << "2/15/1997";
        QTest::newRow("month first, two-digit year") << us << "2/15/97" << "2/15/1997";
        QTest::newRow("day first") << uk << "15/02/1997" << "15/02/1997";
        QTest::newRow("day first with dots") << german << "15.02.1997" << "15.02.1997";
    }

    void theGivenTextRoundTripsInTheUsersFormat()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QString, returned);
        QLocale::setDefault(locale);
        TFindDateForm finder;
        finder.Calendar->setSelectedDate(QDate(2010, 10, 10));
        QString label;
        bool shown = false;
        const QString result = pick(finder, text, [&](TFindDateForm &f) {
            label = f.EditDate->text();
            shown = f.Calendar->selectedDate() == QDate(1997, 2, 15) && f.EditYear->value() == 1997 &&
                    f.EditMonth->value() == 2 && f.EditDay->value() == 15;
        });
        QVERIFY(shown);
        QCOMPARE(label, text);
        QCOMPARE(result, returned);
        QCOMPARE(DateText::parse(result), QDate(1997, 2, 15));
    }

    void aTextThatIsNoDateStartsAtToday_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("words") << "next Tuesday";
        QTest::newRow("31 February") << "2/31/2024";
    }

    void aTextThatIsNoDateStartsAtToday()
    {
        QFETCH(QString, text);
        TFindDateForm finder;
        QCOMPARE(DateText::parse(pick(finder, text)), QDate::currentDate());
    }

    void cancelIsTheSilentAbortAndClearReturnsNothing()
    {
        TFindDateForm cancelled;
        whenFinderShows([](TFindDateForm &f) { f.CancelBtn->click(); });
        QVERIFY_THROWS_EXCEPTION(SilentAbort, cancelled.Execute("2/15/1997"));
        TFindDateForm cleared;
        QCOMPARE(pick(cleared, "2/15/1997", [](TFindDateForm &f) { f.BitBtn1->click(); }), QString());
    }

    void lookupButtonWritesTheDateAndMovesOn()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit("2/15/1997", &window);
        auto *button = new TDateLookupButton(&window);
        auto *next = new QLineEdit(&window);
        for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(button), static_cast<QWidget *>(next)})
            layout->addWidget(w);
        button->setEdit(edit);
        QCOMPARE(button->size(), QSize(17, 21));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy chosen(button, &TDateLookupButton::dateChosen);

        button->setFocus();
        whenFinderShows([](TFindDateForm &f) { f.EditDay->setValue(16); });
        button->click();
        QCOMPARE(edit->text(), QString("2/16/1997"));
        QCOMPARE(chosen.size(), 1);
        window.activateWindow();
        QTRY_VERIFY(next->hasFocus());

        button->setFocus();
        whenFinderShows([](TFindDateForm &f) { f.BitBtn1->click(); });
        button->click();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(chosen.size(), 2);
    }

    void cancelKeepsTheTextAndTheFocus()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit("2/15/1997", &window);
        auto *button = new TDateLookupButton(&window);
        auto *next = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(button);
        layout->addWidget(next);
        button->setEdit(edit);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy chosen(button, &TDateLookupButton::dateChosen);
        button->setFocus();
        whenFinderShows([](TFindDateForm &f) {
            f.EditDay->setValue(20);
            f.CancelBtn->click();
        });
        button->click();
        window.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
        QTest::qWait(20);
        QCOMPARE(edit->text(), QString("2/15/1997"));
        QCOMPARE(chosen.size(), 0);
        QVERIFY(button->hasFocus());
        QVERIFY(m_prompter->errors.isEmpty());
    }

    // The calendar has the focus when the finder opens; the arrows move its day, Enter is
    // the default OK button's key there as in the boxes, and Esc cancels.
    void keyboardPicksTheDate_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("Right, Down, Return") << QList<int>{Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}
                                              << QDate(1997, 2, 23);
        QTest::newRow("Left, Enter on the keypad") << QList<int>{Qt::Key_Left, Qt::Key_Enter} << QDate(1997, 2, 14);
        QTest::newRow("Tab to the day box, 20, Return")
            << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_2, Qt::Key_0, Qt::Key_Return}
            << QDate(1997, 2, 20);
    }

    void keyboardPicksTheDate()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QDate, expected);
        TFindDateForm finder;
        bool calendarFirst = false;
        bool closedByKeys = false;
        const QString result = pick(finder, "2/15/1997", [&](TFindDateForm &f) {
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&f));
            calendarFirst = f.Calendar->hasFocus();
            for (int key : keys) {
                QWidget *focus = f.focusWidget();
                if (key == Qt::Key_2 && qobject_cast<QSpinBox *>(focus))
                    static_cast<QSpinBox *>(focus)->selectAll();
                const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
                QTest::keyClick(focus, Qt::Key(key), modifiers);
            }
            closedByKeys = !f.isVisible();
        });
        QVERIFY(calendarFirst);
        QVERIFY(closedByKeys);
        QCOMPARE(DateText::parse(result), expected);
    }

    void keyboardTabOrderAndEsc()
    {
        TFindDateForm finder;
        QList<QWidget *> visited;
        bool closedByEsc = false;
        whenFinderShows([&](TFindDateForm &f) {
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&f));
            for (int step = 0; step < 4; ++step) {
                QTest::keyClick(f.focusWidget(), Qt::Key_Tab);
                visited << f.focusWidget();
            }
            f.Calendar->setFocus();
            QTest::keyClick(f.focusWidget(), Qt::Key_Escape);
            closedByEsc = !f.isVisible();
            if (f.isVisible())
                f.CancelBtn->click();
        });
        QVERIFY_THROWS_EXCEPTION(SilentAbort, finder.Execute("2/15/1997"));
        QVERIFY(closedByEsc);
        QCOMPARE(visited.size(), 4);
        const QList<QWidget *> order{finder.EditYear, finder.EditMonth, finder.EditDay, finder.OKBtn};
        for (int step = 0; step < 4; ++step)  // a spin box's focus may sit in its line edit
            QVERIFY2(visited[step] == order[step] || order[step]->isAncestorOf(visited[step]),
                     qPrintable(QStringLiteral("step %1").arg(step)));
    }

    void aDestroyedBoxIsForgotten()
    {
        TDateLookupButton button;
        auto edit = std::make_unique<QLineEdit>();
        button.setEdit(edit.get());
        edit.reset();
        QCOMPARE(button.Edit(), nullptr);
    }
};

QTEST_MAIN(TestDateFinder)
#include "tst_datefinder.moc"
