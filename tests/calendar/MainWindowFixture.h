#pragma once

// The whole program started on a fresh database, its main window shown, with scripted answers
// to every question. Rows are written by plain SQL and the shared views re-read, so a test's
// setup never goes through the commands it examines.

#include "TestSupport.h"

#include "app/Startup.h"
#include "calendar/Main.h"
#include "calendar/MonthCalendar.h"
#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "ui/BoundGrid.h"
#include "ui/incremen.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include <memory>

class MainWindowFixture {
public:
    // Unless a test asks for the real setup window, Setup returns at once: a test writes the
    // preferences and then runs Setup to apply them.
    enum class SetupWindow { StandIn, Real };

    explicit MainWindowFixture(SetupWindow setup = SetupWindow::StandIn)
    {
        if (!m_startup->createObjects())
            qFatal("the program did not start");
        m_startup->showMainWindow();
        if (!QTest::qWaitForWindowExposed(MainForm))
            qFatal("the main window was not shown");
        MainForm->activateWindow();
        if (setup == SetupWindow::StandIn)
            MainForm->setupWindow = [](QWidget &) {};
    }

    ScriptedPrompter &prompter() { return *m_prompter; }
    TTable &recipes() { return dmMain1->tblRecipe; }
    TTable &days() { return dmMain1->tblDay; }

    void exec(const QString &sql, const QVariantList &values = {})
    {
        execSql(dmMain1->Database1.connection(), sql, values);
    }
    QStringList column(const QString &sql, const QVariantList &values = {})
    {
        return sqlColumn(dmMain1->Database1.connection(), sql, values);
    }

    // Stores the recipes (name and category) under the keys "1001", "1002", ... in order.
    QStringList addRecipes(const QList<QPair<QString, QString>> &recipes)
    {
        QStringList ids;
        for (const auto &[name, category] : recipes) {
            ids << QString::number(1001 + m_recipeCount++);
            exec(QStringLiteral("INSERT INTO \"Recipe\" (\"Recipe_ID\", \"Name\", \"Category\") VALUES (?, ?, ?)"),
                 {ids.last(), name, category});
        }
        dmMain1->tblRecipe.refresh();
        dmMain1->tblRecipeLookup.refresh();
        return ids;
    }

    void planDay(const QDate &date, const QString &recipeId, const QVariant &servings = {})
    {
        exec(QStringLiteral("INSERT INTO \"DAY\" (\"Date\", \"Recipe_ID\", \"Servings\") VALUES (?, ?, ?)"),
             {date.toString(Qt::ISODate), recipeId, servings});
        dmMain1->tblDay.refresh();
    }

    // The planned recipes of a day, normally none or one.
    QStringList plannedOn(const QDate &date)
    {
        return column(QStringLiteral("SELECT \"Recipe_ID\" FROM \"DAY\" WHERE \"Date\" = ?"), {date.toString(Qt::ISODate)});
    }

    // The names the recipe list shows, top to bottom.
    QStringList listedNames()
    {
        QAbstractItemModel *model = MainForm->DBGrid1->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }

    QString currentName() { return dmMain1->tblRecipe.fieldByName(QStringLiteral("Name")).asString(); }

    [[nodiscard]] bool selectRecipe(const QString &name) { return dmMain1->tblRecipe.findKey({name}); }

    // Writes a preference and applies the preferences as returning from the setup window does.
    void setOption(const QString &topic, bool on)
    {
        SysInfo->WriteSystemValue(topic, on ? QStringLiteral("True") : QStringLiteral("False"));
        MainForm->Setup1->trigger();
    }

    // Types into the category box as the user would, replacing its text.
    void typeCategory(const QString &text)
    {
        MainForm->cbCategory->setFocus();
        MainForm->cbCategory->lineEdit()->selectAll();
        QTest::keyClick(MainForm->cbCategory, Qt::Key_Delete);
        QTest::keyClicks(MainForm->cbCategory, text);
    }

private:
    std::unique_ptr<TempEnvironment> m_env = std::make_unique<TempEnvironment>();
    std::unique_ptr<ScriptedPrompter> m_prompter = std::make_unique<ScriptedPrompter>();
    std::unique_ptr<Startup> m_startup = std::make_unique<Startup>();
    int m_recipeCount = 0;
};
