#pragma once

// The data module on a fresh database in a temporary home, with scripted answers to every
// question, for the tests that reach the tables through its shared views.

#include "TestSupport.h"
#include "data/dmmain.h"

#include <memory>

class DataModuleFixture {
public:
    explicit DataModuleFixture(bool openNow = true)
    {
        if (openNow)
            openDataModule();
    }

    // A test of what a later start finds closes the module and opens it again.
    void openDataModule() { m_dm = std::make_unique<TdmMain1>(); }
    void closeDataModule() { m_dm.reset(); }

    TdmMain1 &dm() { return *m_dm; }
    ScriptedPrompter &prompter() { return m_prompter; }
    const TempEnvironment &environment() const { return m_env; }
    QSqlDatabase &connection() { return m_dm->Database1.connection(); }

    // The key of the named ingredient, stored through the lookup view when it is new.
    QString addIngredient(const QString &name)
    {
        TTable &ingredients = m_dm->tblIngredientLookup;
        if (!ingredients.locate(QStringLiteral("Ingredient"), name)) {
            ingredients.insert();
            ingredients.fieldByName(QStringLiteral("Ingredient")).setAsString(name);
            ingredients.post();
        }
        return ingredients.fieldByName(QStringLiteral("Ingredient_ID")).asString();
    }

private:
    TempEnvironment m_env;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TdmMain1> m_dm;
};
