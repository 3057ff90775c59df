#pragma once

#include "TestSupport.h"

#include "data/EngineError.h"
#include "data/SysInfo.h"
#include "data/dmmain.h"
#include "ui/AbsBase.h"
#include "ui/CommandGuard.h"

#include <QApplication>
#include <QPointer>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// A fresh database with the data module, the settings store and the hidden base window that
// every regular window needs, with scripted answers to every question.
class EditorFixture {
public:
    EditorFixture()
        : m_env(std::make_unique<TempEnvironment>()),
          m_prompter(std::make_unique<ScriptedPrompter>()),
          m_base(std::make_unique<TAbsBaseForm>()),
          m_dm(std::make_unique<TdmMain1>()),
          m_sysInfo(std::make_unique<TSysInfo>(m_dm->Database1))
    {
        AbsBaseForm = m_base.get();
    }
    ~EditorFixture() { AbsBaseForm = nullptr; }

    TdmMain1 &dm() { return *m_dm; }
    ScriptedPrompter &prompter() { return *m_prompter; }

    QString addIngredient(const QString &name)
    {
        TTable &ingredients = m_dm->tblIngredientLookup;
        ingredients.insert();
        ingredients.fieldByName(QStringLiteral("Ingredient")).setAsString(name);
        ingredients.post();
        return ingredients.fieldByName(QStringLiteral("Ingredient_ID")).asString();
    }

    // A stored recipe, current in the recipe table, with one line per ingredient.
    QString addRecipe(const QString &name, const QStringList &ingredientIds = {}, const QList<int> &orders = {})
    {
        TTable &recipes = m_dm->tblRecipe;
        recipes.insert();
        recipes.fieldByName(QStringLiteral("Name")).setAsString(name);
        recipes.post();
        for (int i = 0; i < ingredientIds.size(); ++i)
            addLine(ingredientIds[i], i < orders.size() ? orders[i] : -2);
        m_dm->tblRecipeIngredient.first();
        return recipes.fieldByName(QStringLiteral("Recipe_ID")).asString();
    }

    // A line of the current recipe; an order below -1 keeps the numbering rule's value.
    void addLine(const QString &ingredientId, int order = -2)
    {
        TTable &lines = m_dm->tblRecipeIngredient;
        lines.insert();
        lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(ingredientId);
        if (order >= -1)
            lines.fieldByName(QStringLiteral("Order")).setAsInteger(order);
        lines.post();
    }

    int count(const QString &sql)
    {
        QSqlQuery q(m_dm->Database1.connection());
        if (!q.exec(sql) || !q.next())
            return -1;
        return q.value(0).toInt();
    }

    QStringList column(const QString &sql)
    {
        QStringList values;
        QSqlQuery q(m_dm->Database1.connection());
        q.exec(sql);
        while (q.next())
            values << q.value(0).toString();
        return values;
    }

private:
    std::unique_ptr<TempEnvironment> m_env;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<TAbsBaseForm> m_base;
    std::unique_ptr<TdmMain1> m_dm;
    std::unique_ptr<TSysInfo> m_sysInfo;
};

// Runs the action on the next modal window of type W as soon as it shows, and closes the
// window with Cancel should the action leave it open. Returns the watch so that a test
// expecting no window can stop it.
template <class W>
QPointer<QTimer> whenShown(std::function<void(W &)> action)
{
    QPointer<QTimer> timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QPointer<W> window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("The modal window did not become active.");
        if (window)
            action(*window);
        if (window && window->isVisible())
            window->reject();
    });
    timer->start();
    return timer;
}

// Runs the command as a window's handler would: true when it ran to its end, false when it
// ended with the silent abort. Any other failure fails the test.
template <class Command>
bool runCommand(Command command)
{
    try {
        command();
        return true;
    } catch (const SilentAbort &) {
        return false;
    } catch (const EngineError &e) {
        qWarning().noquote() << "Engine error:" << e.message();
        throw;
    }
}
