#include "WizardFixture.h"
#include "data/DateText.h"
#include "reports_ui/RadioGroup.h"
#include "reports_ui/Report.h"
#include "reports/ReportSelection.h"
#include "ui/BoundGrid.h"
#include "ui/Datebtn.h"
#include "ui/Finddate.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

namespace {

QString march(int day)
{
    return DateText::toDisplay(QDate(2024, 3, day));
}

} // namespace

class TestReportWizard : public QObject {
    Q_OBJECT
    std::unique_ptr<WizardFixture> m_fixture;
    std::unique_ptr<TReportForm> m_form;
    QList<QStringList> m_previews;  // what each preview showed
    QList<QStringList> m_assignedDates;

    TReportForm &form() { return *m_form; }
    int page() { return m_form->Notebook1->currentIndex(); }

    void chooseKind(const QString &description)
    {
        QAbstractItemModel *model = form().DBGridReports->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 0).data().toString() == description)
                form().DBGridReports->setCurrentIndex(model->index(row, 0));
    }

    void openFilterPage(const QString &description)
    {
        chooseKind(description);
        form().btnNext->click();
    }

    // Moves the report list to the kind with the arrow keys, as the user does.
    void arrowToKind(const QString &description)
    {
        QTest::keyClick(form().DBGridReports, Qt::Key_Home, Qt::ControlModifier);
        for (int row = 0; row < 8 && currentKind() != description; ++row)
            QTest::keyClick(form().DBGridReports, Qt::Key_Down);
        QCOMPARE(currentKind(), description);
    }

    QString currentKind() { return m_fixture->dm().tblReport.fieldByName("Description").asString(); }

    // Keys go where the user's keys go: to the window's focus widget.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focus = form().focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }

    void tick(const QString &name)
    {
        for (QListWidgetItem *item : form().clbRecipeName->findItems(name, Qt::MatchExactly))
            item->setCheckState(Qt::Checked);
    }

    void setCategoryCount(int count)
    {
        TTable &categories = m_fixture->dm().tblCategory;
        for (categories.first(); categories.recordCount() > count; categories.first())
            categories.remove();
        for (int i = categories.recordCount(); i < count; ++i) {
            categories.insert();
            categories.fieldByName("Category").setAsString(QStringLiteral("Extra %1").arg(i, 3, 10, QLatin1Char('0')));
            categories.post();
        }
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_fixture = std::make_unique<WizardFixture>();
        m_fixture->addCollection();
        m_previews.clear();
        m_assignedDates.clear();
        m_form = std::make_unique<TReportForm>();
        m_form->previewReport = [this](BandedReport &report, QWidget &) {
            m_previews << printedRecords(report);
            m_assignedDates << printedTexts(report, "dbDate");
        };
        m_form->LoadWizard(QDate(2024, 3, 6));
        m_form->show();
    }
    void cleanup()
    {
        m_form.reset();
        m_fixture.reset();
        QLocale::setDefault(QLocale::system());
    }

    void nextShowsTheKindsFilterPageAndBackReturns_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("filterPage");
        QTest::newRow("Recipe (by Category)") << "Recipe (by Category)" << int(TReportForm::CategoryPage);
        QTest::newRow("Small Recipe (by Category)") << "Small Recipe (by Category)" << int(TReportForm::CategoryPage);
        QTest::newRow("Recipe (by Name)") << "Recipe (by Name)" << int(TReportForm::NamePage);
        QTest::newRow("Small Recipe (by Name)") << "Small Recipe (by Name)" << int(TReportForm::NamePage);
        QTest::newRow("Shopping List (by Name)") << "Shopping List (by Name)" << int(TReportForm::NamePage);
        QTest::newRow("Recipe (by Date Assigned)") << "Recipe (by Date Assigned)" << int(TReportForm::DatePage);
        QTest::newRow("Small Recipe (by Date Assigned)") << "Small Recipe (by Date Assigned)" << int(TReportForm::DatePage);
        QTest::newRow("Shopping List (by Date Assigned)") << "Shopping List (by Date Assigned)" << int(TReportForm::DatePage);
    }

    void nextShowsTheKindsFilterPageAndBackReturns()
    {
        QFETCH(QString, description);
        QFETCH(int, filterPage);
        QCOMPARE(form().DBGridReports->model()->rowCount(), 8);
        openFilterPage(description);
        QCOMPARE(page(), filterPage);
        QCOMPARE(form().btnNext->text(), QString("&Print"));
        QVERIFY(form().btnBack->isEnabled());
        form().btnBack->click();
        QCOMPARE(page(), int(TReportForm::SelectPage));
        QCOMPARE(form().btnNext->text(), QString("&Next"));
        QVERIFY(!form().btnBack->isEnabled());
        QVERIFY(m_previews.isEmpty());
    }

    void aDescriptionOfNoKindStaysOnTheFirstPage()
    {
        TTable &reports = m_fixture->dm().tblReport;
        reports.insert();
        reports.fieldByName("Description").setAsString("Weekly Menu");
        reports.post();
        openFilterPage("Weekly Menu");
        QCOMPARE(page(), int(TReportForm::SelectPage));
        QCOMPARE(form().btnNext->text(), QString("&Print"));
    }

    void printingTheTickedNamesStartsOverAndKeepsTheTicks()
    {
        openFilterPage("Recipe (by Name)");
        QCOMPARE(form().clbRecipeName->count(), 5);
        tick("Mom's Stew");
        tick("O'Brien's Salad");
        form().btnNext->click();
        QCOMPARE(m_previews, (QList<QStringList>{{"Mom's Stew / Soups", "O'Brien's Salad / Grandma's Salads"}}));
        QCOMPARE(page(), int(TReportForm::SelectPage));
        QCOMPARE(form().btnNext->text(), QString("&Next"));

        openFilterPage("Shopping List (by Name)");
        form().btnNext->click();
        QCOMPARE(m_previews.size(), 2);
        QCOMPARE(m_previews.last(), (QStringList{"Beef", "Onion", "Lettuce"}));
    }

    void aShoppingListWithoutTicksIsANoticeAndStaysOnThePage()
    {
        openFilterPage("Shopping List (by Name)");
        form().btnNext->click();
        QCOMPARE(m_fixture->prompter().notices, QStringList{ReportSelection::noRecipeTickedNotice()});
        QVERIFY(m_fixture->prompter().errors.isEmpty());
        QVERIFY(m_previews.isEmpty());
        QCOMPARE(page(), int(TReportForm::NamePage));
    }

    void theCategoryGroupHasAColumnForEachFourItems_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("columns");
        QTest::newRow("3") << 3 << 1;
        QTest::newRow("7") << 7 << 1;
        QTest::newRow("8") << 8 << 2;
        QTest::newRow("12") << 12 << 3;
        QTest::newRow("70") << 70 << 16;
    }

    void theCategoryGroupHasAColumnForEachFourItems()
    {
        QFETCH(int, items);
        QFETCH(int, columns);
        setCategoryCount(items);
        openFilterPage("Recipe (by Category)");
        QCOMPARE(form().rbCategory->items().size(), items);
        QCOMPARE(form().rbCategory->columns(), columns);
    }

    void theChosenCategoryIsPrintedAndForgottenOnReturn()
    {
        TTable &categories = m_fixture->dm().tblCategory;
        categories.insert();
        categories.fieldByName("Category").setAsString("Grandma's Salads");
        categories.post();
        openFilterPage("Small Recipe (by Category)");
        QCOMPARE(form().rbCategory->itemIndex(), -1);
        form().rbCategory->setItemIndex(int(form().rbCategory->items().indexOf("Grandma's Salads")));
        form().btnNext->click();
        QCOMPARE(m_previews, (QList<QStringList>{{"O'Brien's Salad / Grandma's Salads"}}));
        openFilterPage("Recipe (by Category)");
        QCOMPARE(form().rbCategory->itemIndex(), -1);
    }

    void theDatePageIsPresetByTheSettings()
    {
        SysInfo->WriteSystemValue("Report Date", "ThisWeek");
        SysInfo->WriteSystemValue("Start On Today", "true");
        openFilterPage("Recipe (by Date Assigned)");
        QCOMPARE(form().edFrom->text(), march(6));
        QCOMPARE(form().edTo->text(), march(12));
        form().btnNext->click();
        QCOMPARE(m_previews, (QList<QStringList>{{"Mom's Stew / Soups", "Pancakes / Breakfast"}}));
        QCOMPARE(m_assignedDates.value(0), (QStringList{march(6), march(10)}));
    }

    void typedDatesSurviveWithoutAPreset()
    {
        SysInfo->WriteSystemValue("Report Date", "NoDate");
        openFilterPage("Shopping List (by Date Assigned)");
        QVERIFY(form().edFrom->text().isEmpty());
        form().edFrom->setText(march(11));
        form().btnBack->click();
        openFilterPage("Small Recipe (by Date Assigned)");
        QCOMPARE(form().edFrom->text(), march(11));
        form().btnNext->click();
        QCOMPARE(m_previews, (QList<QStringList>{{"Mom's Stew / Soups"}}));
        QCOMPARE(m_assignedDates.value(0), QStringList{DateText::toDisplay(QDate(2024, 4, 20))});
    }

    void anUnreadableDateIsShownAndNothingPrinted()
    {
        openFilterPage("Recipe (by Date Assigned)");
        form().edFrom->setText("3/4'");
        form().btnNext->click();
        QCOMPARE(m_fixture->prompter().errors.size(), 1);
        QVERIFY(m_fixture->prompter().errors.first().contains("\"3/4'\""));
        QVERIFY(m_previews.isEmpty());
        QCOMPARE(page(), int(TReportForm::DatePage));
    }

    void datesPickedInTheFinderAreReadBack_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("month first") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("day first") << QLocale(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("day first with dots") << QLocale(QLocale::German, QLocale::Germany);
    }

    void datesPickedInTheFinderAreReadBack()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        openFilterPage("Recipe (by Date Assigned)");
        for (auto [button, day] : {std::pair{form().DateLookupButton1, 5}, std::pair{form().DateLookupButton2, 6}}) {
            QTimer::singleShot(0, [day = day] {
                if (auto *finder = qobject_cast<TFindDateForm *>(QApplication::activeModalWidget())) {
                    finder->Calendar->setSelectedDate(QDate(2024, 3, day));
                    finder->OKBtn->click();
                }
            });
            button->click();
        }
        QCOMPARE(form().edFrom->text(), march(5));
        form().btnNext->click();
        QCOMPARE(m_previews, (QList<QStringList>{{"Mom's Stew / Soups"}}));
        QCOMPARE(m_assignedDates.value(0), QStringList{march(5)});
    }

    void keyboardChoosesTheKindAndPrintsTheTickedName_data()
    {
        QTest::addColumn<int>("nextKey");
        QTest::addColumn<int>("printKey");
        QTest::newRow("Enter, Enter") << int(Qt::Key_Return) << int(Qt::Key_Return);
        QTest::newRow("Alt+N, Alt+P") << int(Qt::Key_N) << int(Qt::Key_P);
    }

    // The list of kinds has the focus first; Next and Print answer Enter and their access keys.
    void keyboardChoosesTheKindAndPrintsTheTickedName()
    {
        QFETCH(int, nextKey);
        QFETCH(int, printKey);
        auto modifiersOf = [](int key) { return key == Qt::Key_Return ? Qt::NoModifier : Qt::AltModifier; };
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QCOMPARE(form().focusWidget(), form().DBGridReports);
        arrowToKind("Recipe (by Name)");
        press(nextKey, modifiersOf(nextKey));
        QTRY_COMPARE(page(), int(TReportForm::NamePage));
        QTRY_COMPARE(form().focusWidget(), form().clbRecipeName);
        press(Qt::Key_End);
        press(Qt::Key_Space);  // ticks Bread, the last name
        press(printKey, modifiersOf(printKey));
        QTRY_COMPARE(m_previews, (QList<QStringList>{{"Bread / Bread"}}));
        QCOMPARE(page(), int(TReportForm::SelectPage));
    }

    void keyboardGoesBackAndCloses()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        arrowToKind("Shopping List (by Name)");
        press(Qt::Key_Return);
        QCOMPARE(page(), int(TReportForm::NamePage));
        QTest::keyClick(m_form.get(), Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(page(), int(TReportForm::SelectPage));
        QCOMPARE(form().btnNext->text(), QString("&Next"));
        press(Qt::Key_Escape);  // Close is no cancel button: the wizard is left through it alone
        QVERIFY(form().isVisible());
        QTest::keyClick(m_form.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!form().isVisible());
        QCOMPARE(form().result(), int(QDialog::Rejected));
        QVERIFY(m_previews.isEmpty());
    }

    // Tab reaches the category items once they show; an arrow key selects the next one.
    void keyboardChoosesACategory()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        arrowToKind("Recipe (by Category)");
        press(Qt::Key_Return);
        QTest::qWait(20);
        press(Qt::Key_Tab);
        QCOMPARE(form().focusWidget()->parentWidget(), form().rbCategory);
        press(Qt::Key_Space);
        press(Qt::Key_Down);
        QCOMPARE(form().rbCategory->selectedItem(), QStringLiteral("Bread"));
        press(Qt::Key_Return);
        QCOMPARE(m_previews, (QList<QStringList>{{"Bread / Bread"}}));
    }

    // Tab leads from the date box to its lookup button; Space opens the finder, whose
    // calendar takes the arrows and Enter, and the focus goes on to the "to" box.
    void keyboardPicksADateWithTheLookupButton()
    {
        SysInfo->WriteSystemValue("Report Date", "NoDate");
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        arrowToKind("Recipe (by Date Assigned)");
        press(Qt::Key_Return);
        QCOMPARE(form().focusWidget(), form().edFrom);
        QTest::keyClicks(form().edFrom, march(1));
        press(Qt::Key_Tab);
        QCOMPARE(form().focusWidget(), form().DateLookupButton1);
        bool closedByEnter = false;
        QTimer::singleShot(0, [&closedByEnter] {
            auto *finder = qobject_cast<TFindDateForm *>(QApplication::activeModalWidget());
            if (!finder)
                return;
            for (int day = 1; day < 5; ++day)
                QTest::keyClick(finder->Calendar->focusProxy(), Qt::Key_Right);
            QTest::keyClick(finder->Calendar->focusProxy(), Qt::Key_Return);
            closedByEnter = !finder->isVisible();
            if (finder->isVisible())
                finder->CancelBtn->click();
        });
        press(Qt::Key_Space);
        QVERIFY(closedByEnter);
        QCOMPARE(form().edFrom->text(), march(5));
        form().activateWindow();
        QTRY_COMPARE(form().focusWidget(), form().edTo);
        QTest::keyClicks(form().edTo, march(5));
        press(Qt::Key_Return);
        QCOMPARE(m_previews, (QList<QStringList>{{"Mom's Stew / Soups"}}));
    }

    void combineQuantitiesIsOfferedOnShoppingListsAndRemembered_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("ingredients");  // sorted by name, each once
        QTest::newRow("by name") << "Shopping List (by Name)" << QStringList{"Egg", "Flour", "Sugar"};
        QTest::newRow("by date") << "Shopping List (by Date Assigned)" << QStringList{"Beef", "Egg", "Flour", "Onion"};
    }
    void combineQuantitiesIsOfferedOnShoppingListsAndRemembered()
    {
        QFETCH(QString, description);
        QFETCH(QStringList, ingredients);
        openFilterPage("Recipe (by Name)");
        QVERIFY(form().chkCombineNames->isHidden());
        form().btnBack->click();
        openFilterPage(description);
        QCheckBox *box = page() == TReportForm::NamePage ? form().chkCombineNames : form().chkCombineDates;
        QVERIFY(!box->isHidden());
        QVERIFY(!box->isChecked());
        tick("Pancakes");
        form().edFrom->setText(march(4));
        form().edTo->setText(march(10));
        box->click();
        form().btnNext->click();
        QCOMPARE(m_previews, QList<QStringList>{ingredients});
        QCOMPARE(SysInfo->ReadSystemValue("Combine Quantities"), QStringLiteral("True"));
        openFilterPage(description);
        QVERIFY(box->isChecked());
    }
};

QTEST_MAIN(TestReportWizard)
#include "tst_reportwizard.moc"
