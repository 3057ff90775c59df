#include "DataModuleFixture.h"
#include "data/DateText.h"

#include <QtTest>

class TestRules : public QObject {
    Q_OBJECT
    std::unique_ptr<DataModuleFixture> m_fx;
    TdmMain1 *m_dm = nullptr;

    int countRows(const QString &sql) { return sqlCount(m_fx->connection(), sql); }

    QString addRecipe(const QString &name, int lines)
    {
        TTable &recipes = m_dm->tblRecipe;
        recipes.insert();
        recipes.fieldByName("Name").setAsString(name);
        recipes.post();
        for (int i = 0; i < lines; ++i)
            addLine(name + QString::number(i));
        return recipes.fieldByName("Recipe_ID").asString();
    }

    void addLine(const QString &ingredientId)
    {
        TTable &lines = m_dm->tblRecipeIngredient;
        lines.insert();
        lines.fieldByName("Ingredient_ID").setAsString(ingredientId);
        lines.post();
    }

    QList<int> orders()
    {
        QList<int> result;
        TTable &lines = m_dm->tblRecipeIngredient;
        for (lines.first(); !lines.eof(); lines.next())
            result << lines.fieldByName("Order").asInteger();
        return result;
    }

    void plan(const QDate &date, const QString &recipeId)
    {
        TTable &days = m_dm->tblDay;
        days.insert();
        days.fieldByName("Date").setAsDate(date);
        days.fieldByName("Recipe_ID").setAsString(recipeId);
        days.post();
    }

    QList<QDate> plannedDates()
    {
        QList<QDate> result;
        TTable &days = m_dm->tblDay;  // as the calendar reads it, without a refresh of its own
        for (days.first(); !days.eof(); days.next())
            result << days.fieldByName("Date").asDate();
        return result;
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<DataModuleFixture>();
        m_dm = &m_fx->dm();
    }
    void cleanup() { m_fx.reset(); }

    void openAllTablesOpensEveryView()
    {
        for (TTable *table : m_dm->allTables())
            QVERIFY2(table->isActive(), qPrintable(table->tableName()));
        QVERIFY(!m_dm->Query1.isActive());
        QVERIFY(!m_dm->DeletingRecipe);
    }

    void linesAreNumberedFromZero()
    {
        addRecipe("Stew", 3);
        QCOMPARE(orders(), (QList<int>{0, 1, 2}));
    }

    void numberingSkipsPastTheHighestAfterADelete()
    {
        addRecipe("Stew", 3);
        TTable &lines = m_dm->tblRecipeIngredient;
        lines.first();  // Order 0
        lines.remove();
        addLine("extra");
        // The count of lines is 2 again, but 2 is taken: the new line must not reuse it.
        QCOMPARE(orders(), (QList<int>{1, 2, 3}));
    }

    void eachRecipeNumbersItsOwnLines()
    {
        addRecipe("Stew", 2);
        addRecipe("Pie", 1);
        QCOMPARE(orders(), (QList<int>{0}));
    }

    void listDeletesAskTheirQuestion_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("question");
        QTest::newRow("meal") << "tblMeal" << "Are you sure you want to delete this Meal?";
        QTest::newRow("category") << "tblCategory" << "Are you sure you want to delete this Category?";
        QTest::newRow("prep time") << "tblPrepTime" << "Are you sure you want to delete this Prep Time?";
        QTest::newRow("cook time") << "tblCookTime" << "Are you sure you want to delete this Cook Time?";
        QTest::newRow("measurement") << "tblMeasurement" << "Are you sure you want to delete this Measurement?";
        QTest::newRow("description") << "tblDescription" << "Are you sure you want to delete this Description?";
        QTest::newRow("ingredient") << "tblIngredientLookup" << "Are you sure you want to delete this Ingredient?";
    }
    void listDeletesAskTheirQuestion()
    {
        QFETCH(QString, table);
        QFETCH(QString, question);
        const QHash<QString, TTable *> views{
            {"tblMeal", &m_dm->tblMeal},           {"tblCategory", &m_dm->tblCategory},
            {"tblPrepTime", &m_dm->tblPrepTime},   {"tblCookTime", &m_dm->tblCookTime},
            {"tblMeasurement", &m_dm->tblMeasurement}, {"tblDescription", &m_dm->tblDescription},
            {"tblIngredientLookup", &m_dm->tblIngredientLookup}};
        TTable *view = views.value(table);
        QVERIFY(view);
        if (view->isEmpty()) {
            view->insert();
            view->field(view->fieldCount() - 1).setAsString("Something");
            view->post();
        }
        view->last();
        const int count = view->recordCount();
        const int position = view->recNo();
        const QString value = view->field(view->fieldCount() - 1).asString();

        m_fx->prompter().answer({false});
        QVERIFY_THROWS_EXCEPTION(SilentAbort, view->remove());
        QCOMPARE(m_fx->prompter().questions, QStringList{question});
        QCOMPARE(view->recordCount(), count);
        QCOMPARE(view->recNo(), position);
        QCOMPARE(view->field(view->fieldCount() - 1).asString(), value);

        m_fx->prompter().answer({true});
        view->remove();
        QCOMPARE(view->recordCount(), count - 1);
        QCOMPARE(m_fx->prompter().questions.size(), 2);
    }

    // Recipes keep the text of a list value, so it may go, but the question says how many use
    // it; an ingredient that lines name is refused, naming how many recipes use it.
    void deletingAValueRecipesUseSaysHowMany_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("notice");
        const QString keep = "\n\n2 recipes use this %1 and will keep it, but the list will no longer offer it.";
        QTest::newRow("meal") << "tblMeal" << "Lunch"
                              << "Are you sure you want to delete this Meal?" + keep.arg("meal") << "";
        QTest::newRow("category") << "tblCategory" << "Soups"
                                  << "Are you sure you want to delete this Category?" + keep.arg("category") << "";
        QTest::newRow("cook time") << "tblCookTime" << "1 hour"
                                   << "Are you sure you want to delete this Cook Time?" + keep.arg("cook time") << "";
        QTest::newRow("measurement cut in the line") << "tblMeasurement" << "tablespoons"
                                                     << "Are you sure you want to delete this Measurement?"
                                                            + keep.arg("measurement")
                                                     << "";
        QTest::newRow("ingredient") << "tblIngredientLookup" << "Leek" << ""
                                    << "\"Leek\" cannot be deleted: 2 recipes use it. Remove it from the "
                                       "ingredient lines of those recipes first.";
    }
    void deletingAValueRecipesUseSaysHowMany()
    {
        QFETCH(QString, table);
        QFETCH(QString, value);
        QFETCH(QString, question);
        QFETCH(QString, notice);
        const QSqlDatabase &db = m_fx->connection();
        execSql(db, "INSERT INTO LAmtMeas VALUES ('tablespoons')");
        execSql(db, "INSERT INTO INGREDIE VALUES ('50', 'Leek')");
        execSql(db, "INSERT INTO Recipe (Recipe_ID, Name, Meal, Category, CookTime) VALUES "
                    "('1', 'Leek soup', 'Lunch', 'Soups', '1 hour'), ('2', 'Leek pie', 'Lunch', 'Soups', '1 hour'), "
                    "('3', 'Bread', 'Breakfast', 'Bread', '45 min')");
        execSql(db, "INSERT INTO REC_INGR (Recipe_ID, Ingredient_ID, \"Order\", Measurement) VALUES "
                    "('1', '50', 0, 'tablespoon'), ('2', '50', 0, 'tablespoon'), ('2', '51', 1, 'tablespoon')");
        const QHash<QString, TTable *> views{{"tblMeal", &m_dm->tblMeal},
                                             {"tblCategory", &m_dm->tblCategory},
                                             {"tblCookTime", &m_dm->tblCookTime},
                                             {"tblMeasurement", &m_dm->tblMeasurement},
                                             {"tblIngredientLookup", &m_dm->tblIngredientLookup}};
        TTable *view = views.value(table);
        view->refresh();
        QVERIFY(view->locate(view->field(view->fieldCount() - 1).fieldName(), value));
        const int count = view->recordCount();

        m_fx->prompter().answer({true});
        if (notice.isEmpty()) {
            view->remove();
            QCOMPARE(m_fx->prompter().questions, QStringList{question});
            QCOMPARE(view->recordCount(), count - 1);
        } else {
            QVERIFY_THROWS_EXCEPTION(SilentAbort, view->remove());
            QCOMPARE(m_fx->prompter().notices, QStringList{notice});
            QCOMPARE(m_fx->prompter().questions, QStringList{});
            QCOMPARE(view->recordCount(), count);
        }
    }

    void lineDeleteAsksAndNoKeepsTheLine()
    {
        addRecipe("Stew", 2);
        TTable &lines = m_dm->tblRecipeIngredient;
        lines.last();
        m_fx->prompter().answer({false});
        QVERIFY_THROWS_EXCEPTION(SilentAbort, lines.remove());
        QCOMPARE(m_fx->prompter().questions, QStringList{"Are you sure you want to delete this Ingredient?"});
        QCOMPARE(lines.recordCount(), 2);
        QCOMPARE(lines.recNo(), 1);
    }

    void deleteRecipeAsksOnceAndRemovesLinesAndDays()
    {
        const QString keep = addRecipe("Apple pie", 2);
        const QString gone = addRecipe("Beef stew", 4);
        plan(QDate(2024, 3, 1), gone);
        plan(QDate(2024, 3, 2), keep);
        plan(QDate(2024, 3, 5), gone);
        QVERIFY(m_dm->tblRecipe.locate("Name", "Beef stew"));

        m_dm->DeleteRecipe();
        QCOMPARE(m_fx->prompter().questions, QStringList{"Are you sure you want to delete this Recipe?"});
        QCOMPARE(m_dm->tblRecipe.recordCount(), 1);
        QVERIFY(!m_dm->DeletingRecipe);
        QCOMPARE(countRows("SELECT count(*) FROM REC_INGR WHERE Recipe_ID = '" + gone + "'"), 0);
        QCOMPARE(countRows("SELECT count(*) FROM REC_INGR WHERE Recipe_ID = '" + keep + "'"), 2);
        QCOMPARE(plannedDates(), QList<QDate>{QDate(2024, 3, 2)});
    }

    void deleteRecipeAnsweredNoChangesNothing()
    {
        addRecipe("Beef stew", 2);
        m_fx->prompter().answer({false});
        m_dm->DeleteRecipe();
        QCOMPARE(m_dm->tblRecipe.recordCount(), 1);
        QCOMPARE(m_dm->tblRecipeIngredient.recordCount(), 2);
    }

    void removePlannedDayAsksAboutAPlannedDayOnly_data()
    {
        QTest::addColumn<bool>("planned");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QList<QDate>>("left");
        const QDate first(2024, 3, 1), second(2024, 3, 2);
        QTest::newRow("planned, Yes") << true << true << 1 << QList<QDate>{first};
        QTest::newRow("planned, No") << true << false << 1 << QList<QDate>{first, second};
        QTest::newRow("not planned") << false << true << 0 << QList<QDate>{first};
    }
    void removePlannedDayAsksAboutAPlannedDayOnly()
    {
        QFETCH(bool, planned);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(QList<QDate>, left);
        plan(QDate(2024, 3, 1), "1");
        if (planned)
            plan(QDate(2024, 3, 2), "2");
        m_fx->prompter().answer({answer});
        m_dm->RemovePlannedDay(QDate(2024, 3, 2));
        QCOMPARE(m_fx->prompter().questions.size(), questions);
        QCOMPARE(plannedDates(), left);
    }

    void discardNewRecipeLinesKeepsOtherRecipesLines()
    {
        addRecipe("Stew", 2);
        execSql(m_fx->connection(), "INSERT INTO REC_INGR (Recipe_ID, Ingredient_ID, \"Order\") "
                                     "VALUES ('999', 'salt', 0), ('999', 'pepper', 1)");
        m_dm->DiscardNewRecipeLines("999");
        QCOMPARE(countRows("SELECT count(*) FROM REC_INGR WHERE Recipe_ID = '999'"), 0);
        QCOMPARE(countRows("SELECT count(*) FROM REC_INGR"), 2);
    }

    void deleteRecipeRollsBackWhenAStepFails()
    {
        const QString id = addRecipe("Beef stew", 3);
        plan(QDate(2024, 3, 1), id);
        execSql(m_fx->connection(), "CREATE TEMP TRIGGER refuse BEFORE DELETE ON main.Recipe BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");

        QVERIFY_THROWS_EXCEPTION(EngineError, m_dm->DeleteRecipe());
        QVERIFY(!m_dm->DeletingRecipe);
        QCOMPARE(countRows("SELECT count(*) FROM REC_INGR"), 3);
        QCOMPARE(countRows("SELECT count(*) FROM DAY"), 1);
        QCOMPARE(m_dm->tblRecipe.recordCount(), 1);
        QCOMPARE(m_dm->tblRecipeIngredient.recordCount(), 3);  // the views show the rows again

        // With the cause gone the line confirmation is back in force.
        m_dm->tblRecipeIngredient.first();
        m_fx->prompter().answer({false});
        QVERIFY_THROWS_EXCEPTION(SilentAbort, m_dm->tblRecipeIngredient.remove());
    }

    // The calendar and the command-line companion both plan through this one rule.
    void planningADayReplacesItsRecipeAndKeepsOneEntry()
    {
        m_dm->PlanDay(QDate(2024, 3, 1), "1");
        m_dm->tblDay.edit();
        m_dm->tblDay.fieldByName("Servings").setAsInteger(4);
        m_dm->tblDay.post();

        m_dm->PlanDay(QDate(2024, 3, 1), "2");
        m_dm->PlanDay(QDate(2024, 3, 3), "3");
        QCOMPARE(countRows("SELECT count(*) FROM DAY"), 2);
        QVERIFY(m_dm->tblDay.findKey({QDate(2024, 3, 1)}));
        QCOMPARE(m_dm->tblDay.fieldByName("Recipe_ID").asString(), QStringLiteral("2"));
        QCOMPARE(m_dm->tblDay.fieldByName("Servings").asInteger(), 4);
        QVERIFY(m_dm->tblDay.findKey({QDate(2024, 3, 3)}));
        QCOMPARE(m_dm->tblDay.fieldByName("Recipe_ID").asString(), QStringLiteral("3"));
    }

    // Another copy of the program changes the tables after this one read them; each command
    // decides on what is stored when it runs, not on what its views read before.
    void commandsDecideOnWhatIsStoredNow_data()
    {
        QTest::addColumn<QString>("otherCopy");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("stored");
        const QString planNine = "INSERT INTO DAY (Date, Recipe_ID) VALUES ('%1', '9')";
        const QString stew = "line %R Stew0";
        QTest::newRow("shove a day the other copy emptied")
            << "DELETE FROM DAY WHERE Date = '2024-03-02'" << "shove" << QStringList{"day 2024-03-01 %R", stew};
        QTest::newRow("shove takes a day the other copy planned later")
            << planNine.arg("2024-03-04") << "shove"
            << QStringList{"day 2024-03-01 %R", "day 2024-03-03 2", "day 2024-03-05 9", stew};
        QTest::newRow("plan a day the other copy planned")
            << planNine.arg("2024-03-05") << "plan"
            << QStringList{"day 2024-03-01 %R", "day 2024-03-02 2", "day 2024-03-05 7", stew};
        QTest::newRow("remove a day the other copy planned anew")
            << planNine.arg("2024-03-02") + "; DELETE FROM DAY WHERE Date = '2024-03-02' AND Recipe_ID = '2'" << "remove"
            << QStringList{"day 2024-03-01 %R", stew};
        QTest::newRow("delete a recipe the other copy gave a line")
            << "INSERT INTO REC_INGR (Recipe_ID, Ingredient_ID, \"Order\") VALUES ('%R', 'salt', 1)" << "delete"
            << QStringList{"day 2024-03-02 2"};
    }
    void commandsDecideOnWhatIsStoredNow()
    {
        QFETCH(QString, otherCopy);
        QFETCH(QString, command);
        QFETCH(QStringList, stored);
        const QString id = addRecipe("Stew", 1);
        plan(QDate(2024, 3, 1), id);
        plan(QDate(2024, 3, 2), "2");
        TDatabase other;
        other.openDirectory(m_dm->Database1.directory());
        for (const QString &sql : otherCopy.split("; "))
            execSql(other.connection(), QString(sql).replace("%R", id));

        const QDate day = command == "plan" ? QDate(2024, 3, 5) : QDate(2024, 3, 2);
        if (command == "shove")
            m_dm->ShoveDays(day);
        else if (command == "plan")
            m_dm->PlanDay(day, "7");
        else if (command == "remove")
            m_dm->RemoveDay(day);
        else
            m_dm->DeleteRecipe();

        const QStringList found = sqlColumn(m_fx->connection(),
                                            "SELECT 'day ' || Date || ' ' || Recipe_ID FROM DAY UNION ALL "
                                            "SELECT 'line ' || Recipe_ID || ' ' || Ingredient_ID FROM REC_INGR ORDER BY 1");
        QCOMPARE(found, stored.replaceInStrings("%R", id));
    }

    void shoveOnAnEmptyDayChangesNothing()
    {
        plan(QDate(2024, 3, 1), "1");
        plan(QDate(2024, 3, 10), "2");
        m_dm->ShoveDays(QDate(2024, 3, 5));
        QCOMPARE(plannedDates(), (QList<QDate>{QDate(2024, 3, 1), QDate(2024, 3, 10)}));
    }

    void shoveMovesTheDayAndEveryLaterOne_data()
    {
        QTest::addColumn<QList<QDate>>("planned");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QList<QDate>>("expected");
        const QDate d1(2024, 3, 1), d2(2024, 3, 2), d3(2024, 3, 3), d4(2024, 3, 4), d9(2024, 3, 9), d10(2024, 3, 10);
        QTest::newRow("tail of consecutive days") << QList<QDate>{d1, d2, d3} << d2 << QList<QDate>{d1, d3, d4};
        QTest::newRow("gap closes up to the next") << QList<QDate>{d1, d9, d10} << d9 << QList<QDate>{d1, d10, QDate(2024, 3, 11)};
        QTest::newRow("last planned day only") << QList<QDate>{d1, d2} << d2 << QList<QDate>{d1, d3};
        QTest::newRow("28 Feb leap year") << QList<QDate>{QDate(2024, 2, 28)} << QDate(2024, 2, 28) << QList<QDate>{QDate(2024, 2, 29)};
        QTest::newRow("28 Feb common year") << QList<QDate>{QDate(2023, 2, 28)} << QDate(2023, 2, 28) << QList<QDate>{QDate(2023, 3, 1)};
        QTest::newRow("31 December") << QList<QDate>{QDate(2023, 12, 31), QDate(2024, 1, 1)} << QDate(2023, 12, 31)
                                     << QList<QDate>{QDate(2024, 1, 1), QDate(2024, 1, 2)};
    }
    void shoveMovesTheDayAndEveryLaterOne()
    {
        QFETCH(QList<QDate>, planned);
        QFETCH(QDate, start);
        QFETCH(QList<QDate>, expected);
        int n = 0;
        for (const QDate &d : planned)
            plan(d, QString::number(n++));
        m_dm->ShoveDays(start);
        QCOMPARE(plannedDates(), expected);
    }

    void shoveKeepsRecipesAndServings()
    {
        plan(QDate(2024, 3, 1), "7");
        m_dm->tblDay.first();
        m_dm->tblDay.edit();
        m_dm->tblDay.fieldByName("Servings").setAsInteger(4);
        m_dm->tblDay.post();
        m_dm->ShoveDays(QDate(2024, 3, 1));
        m_dm->tblDay.first();
        QCOMPARE(m_dm->tblDay.fieldByName("Date").asDate(), QDate(2024, 3, 2));
        QCOMPARE(m_dm->tblDay.fieldByName("Recipe_ID").asString(), QStringLiteral("7"));
        QCOMPARE(m_dm->tblDay.fieldByName("Servings").asInteger(), 4);
    }

    // No later day can be kept after 31 December 9999: the shove is refused, saying why.
    void shoveThatWouldPassTheLastDayIsRefused()
    {
        plan(QDate(9999, 12, 30), "1");
        plan(QDate(9999, 12, 31), "2");
        try {
            m_dm->ShoveDays(QDate(9999, 12, 30));
            QFAIL("the shove went through");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(DateText::toDisplay(QDate(9999, 12, 31)))
                         && e.message().contains("Remove that meal or plan it on an earlier day"),
                     qPrintable(e.message()));
        }
        QCOMPARE(plannedDates(), (QList<QDate>{QDate(9999, 12, 30), QDate(9999, 12, 31)}));
    }

    void shoveIsAllOrNothing()
    {
        plan(QDate(2024, 3, 1), "1");
        plan(QDate(2024, 3, 2), "2");
        plan(QDate(2024, 3, 3), "3");
        execSql(m_fx->connection(),
                "CREATE TEMP TRIGGER refuse BEFORE INSERT ON main.DAY WHEN NEW.Date = '2024-03-04' "
                "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");
        QVERIFY_THROWS_EXCEPTION(EngineError, m_dm->ShoveDays(QDate(2024, 3, 1)));
        QCOMPARE(plannedDates(), (QList<QDate>{QDate(2024, 3, 1), QDate(2024, 3, 2), QDate(2024, 3, 3)}));
        QCOMPARE(countRows("SELECT count(*) FROM DAY"), 3);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
