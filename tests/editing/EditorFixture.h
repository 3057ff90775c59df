#pragma once

#include "DataModuleFixture.h"
#include "WindowFixture.h"

#include "ui/CommandGuard.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>

// A fresh database with the data module, the settings store and the hidden base window that
// every regular window needs, with scripted answers to every question.
class EditorFixture : public DataModuleFixture {
public:
    // A stored recipe, current in the recipe table, with one line per ingredient.
    QString addRecipe(const QString &name, const QStringList &ingredientIds = {}, const QList<int> &orders = {})
    {
        TTable &recipes = dm().tblRecipe;
        recipes.insert();
        recipes.fieldByName(QStringLiteral("Name")).setAsString(name);
        recipes.post();
        for (int i = 0; i < ingredientIds.size(); ++i)
            addLine(ingredientIds[i], i < orders.size() ? orders[i] : -2);
        dm().tblRecipeIngredient.first();
        return recipes.fieldByName(QStringLiteral("Recipe_ID")).asString();
    }

    // A line of the current recipe; an order below -1 keeps the numbering rule's value.
    void addLine(const QString &ingredientId, int order = -2)
    {
        TTable &lines = dm().tblRecipeIngredient;
        lines.insert();
        lines.fieldByName(QStringLiteral("Ingredient_ID")).setAsString(ingredientId);
        if (order >= -1)
            lines.fieldByName(QStringLiteral("Order")).setAsInteger(order);
        lines.post();
    }

    int count(const QString &sql) { return sqlCount(connection(), sql); }

    QStringList column(const QString &sql) { return sqlColumn(connection(), sql); }

private:
    WindowFixture m_windows{dm().Database1};
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
