#include "data/dmmain.h"

#include "data/EngineError.h"
#include "data/KeyGenerator.h"
#include "data/Prompter.h"
#include "data/Utilities.h"

TdmMain1 *dmMain1 = nullptr;

namespace {

// Asks before a delete; No refuses it quietly, leaving the record where it was.
TDataSet::Event confirmDelete(const QString &question)
{
    return [question](TDataSet &) {
        if (!Prompter::instance().confirm(question))
            throw SilentAbort();
    };
}

void emptyTable(TTable &table)
{
    table.first();
    while (!table.isEmpty())
        table.remove();
}

void hideLineKeys(TTable &lines, TTable &ingredients)
{
    lines.addLookupField(QStringLiteral("Ingredient"), 20,
                         {QStringLiteral("Ingredient_ID"), &ingredients, QStringLiteral("Ingredient_ID"),
                          QStringLiteral("Ingredient")});
    lines.setFieldVisible(QStringLiteral("Recipe_ID"), false);
    lines.setFieldVisible(QStringLiteral("Ingredient_ID"), false);
    lines.setFieldVisible(QStringLiteral("Ingredient"), true, 9);
    lines.setFieldVisible(QStringLiteral("Order"), false);
    lines.setFieldVisible(QStringLiteral("Measurement"), true, 13);
    lines.setFieldVisible(QStringLiteral("Description"), true, 12);
}

} // namespace

TdmMain1::TdmMain1(QObject *parent, const QString &directory, Use use) : QObject(parent)
{
    if (use == Use::Program)
        dmMain1 = this;
    configureViews();
    bindRules();
    Database1.setAliasName(QStringLiteral("Recipe"));
    Database1.setDatabaseName(QStringLiteral("Evalc"));
    Database1.onLogin = [this](TDatabase &db) { Database1Login(db); };
    try {
        if (directory.isEmpty())
            Database1.open();
        else
            Database1.openDirectory(directory);
    } catch (...) {
        if (dmMain1 == this)
            dmMain1 = nullptr;  // no destructor runs for a module that failed to construct
        throw;
    }
    if (use == Use::Worker) {
        DataModule1Create();
        return;
    }
    try {
        DataModule1Create();
    } catch (const EngineError &e) {
        Prompter::instance().error(e.message());
    }
    if (Database1.isReadOnly())
        Prompter::instance().inform(QStringLiteral("The database in \"%1\" is read-only: the recipes can be read, "
                                                   "but no change can be saved.")
                                        .arg(Database1.directory()));
}

TdmMain1::~TdmMain1()
{
    if (dmMain1 == this)
        dmMain1 = nullptr;
}

void TdmMain1::configureViews()
{
    tblRecipe.setTableName(QStringLiteral("Recipe.DB"));
    tblRecipe.setIndexFieldNames(QStringLiteral("Name"));
    tblRecipe.setFiltered(true);
    tblRecipe.setFieldVisible(QStringLiteral("Recipe_ID"), false);
    tblRecipe.setFieldVisible(QStringLiteral("Meal"), false);

    tblRecipeIngredient.setTableName(QStringLiteral("REC_INGR.DB"));
    tblRecipeIngredient.setIndexFieldNames(QStringLiteral("Recipe_ID;Order"));
    tblRecipeIngredient.setMasterSource(&tblRecipe, QStringLiteral("Recipe_ID"));
    hideLineKeys(tblRecipeIngredient, tblIngredientLookup);

    tblIngredientLookup.setTableName(QStringLiteral("INGREDIE.DB"));
    tblIngredientLookup.setIndexFieldNames(QStringLiteral("Ingredient_ID"));
    tblIngredientLookup.setFieldVisible(QStringLiteral("Ingredient_ID"), false);

    tblDay.setTableName(QStringLiteral("DAY.DB"));
    tblDay.setIndexFieldNames(QStringLiteral("Date"));
    tblDay.addLookupField(QStringLiteral("RecipeName"), 40,
                          {QStringLiteral("Recipe_ID"), &tblRecipeLookup, QStringLiteral("Recipe_ID"), QStringLiteral("Name")});

    tblDayLookup.setTableName(QStringLiteral("DAY.DB"));
    tblRecipeLookup.setTableName(QStringLiteral("RECIPE.DB"));
    tblRecipeLookup.setIndexFieldNames(QStringLiteral("Recipe_ID"));
    tblMeasurement.setTableName(QStringLiteral("LAmtMeas.db"));
    tblMeasurement.setFieldVisible(QStringLiteral("Measurement"), true, 32);
    tblDescription.setTableName(QStringLiteral("LAmtDesc.db"));
    tblDescription.setFieldVisible(QStringLiteral("Description"), true, 32);
    tblReport.setTableName(QStringLiteral("Report.DB"));
    tblReport.setFieldVisible(QStringLiteral("Description"), true, 30);
    for (const char *hidden : {"Report_File", "Filter_Criteria", "DLL"})
        tblReport.setFieldVisible(QString::fromLatin1(hidden), false);
    tblCategory.setTableName(QStringLiteral("LCategory.db"));
    tblTempDay.setTableName(QStringLiteral("TempDAY.db"));
    tblCookTime.setTableName(QStringLiteral("LCooktime.db"));
    tblMeal.setTableName(QStringLiteral("LMeal.db"));
    tblPrepTime.setTableName(QStringLiteral("LPrepTime.db"));

    tblRecipeIngredientLookup.setTableName(QStringLiteral("REC_INGR.DB"));
    tblRecipeIngredientLookup.setIndexFieldNames(QStringLiteral("Recipe_ID;Ingredient_ID"));
    tblRecipeIngredientLookup.setMasterSource(&tblRecipe, QStringLiteral("Recipe_ID"));
    hideLineKeys(tblRecipeIngredientLookup, tblIngredientLookup);
}

void TdmMain1::bindRules()
{
    tblRecipe.onNewRecord = [this](TDataSet &ds) { tblRecipeNewRecord(ds); };
    tblIngredientLookup.onNewRecord = [this](TDataSet &ds) { tblIngredientLookupNewRecord(ds); };
    tblRecipeIngredient.onNewRecord = [this](TDataSet &ds) { tblRecipeIngredientNewRecord(ds); };
    tblRecipeIngredient.beforeDelete = [this](TDataSet &ds) { tblRecipeIngredientBeforeDelete(ds); };
    tblIngredientLookup.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Ingredient?"));
    tblMeasurement.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Measurement?"));
    tblDescription.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Description?"));
    tblCategory.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Category?"));
    tblCookTime.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Cook Time?"));
    tblMeal.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Meal?"));
    tblPrepTime.beforeDelete = confirmDelete(QStringLiteral("Are you sure you want to delete this Prep Time?"));
}

QList<TTable *> TdmMain1::allTables()
{
    return {&tblRecipe,      &tblRecipeIngredient, &tblIngredientLookup, &tblDay,
            &tblDayLookup,   &tblRecipeLookup,     &tblMeasurement,      &tblDescription,
            &tblReport,      &tblCategory,         &tblTempDay,          &tblCookTime,
            &tblMeal,        &tblPrepTime,         &tblRecipeIngredientLookup};
}

void TdmMain1::DataModule1Create()
{
    Database1.addPassword(QString::fromLatin1(kPassword));
    OpenAllTables();
    DeletingRecipe = false;
}

void TdmMain1::Database1Login(TDatabase &db)
{
    db.addPassword(QString::fromLatin1(kPassword));
}

void TdmMain1::OpenAllTables()
{
    for (TTable *table : allTables())
        table->open();
}

void TdmMain1::tblRecipeNewRecord(TDataSet &)
{
    AssignNewKey(tblRecipe, QStringLiteral("Recipe_ID"));
}

void TdmMain1::tblIngredientLookupNewRecord(TDataSet &)
{
    AssignNewKey(tblIngredientLookup, QStringLiteral("Ingredient_ID"));
}

void TdmMain1::tblRecipeIngredientNewRecord(TDataSet &)
{
    // One past the highest number in use, so a gap left by a deleted line never hands out a
    // number another line still holds.
    const int order = tblRecipeIngredient.fieldIndex(QStringLiteral("Order"));
    int highest = -1;
    for (int row = 0; row < tblRecipeIngredient.recordCount(); ++row) {
        const QVariant value = tblRecipeIngredient.valueAt(row, order);
        if (!value.isNull())
            highest = std::max(highest, value.toInt());
    }
    tblRecipeIngredient.fieldByName(QStringLiteral("Order")).setAsInteger(highest + 1);
}

void TdmMain1::tblRecipeIngredientBeforeDelete(TDataSet &)
{
    if (!DeletingRecipe && !Prompter::instance().confirm(QStringLiteral("Are you sure you want to delete this Ingredient?")))
        throw SilentAbort();
}

void TdmMain1::DeleteRecipe()
{
    if (tblRecipe.isEmpty())
        return;
    if (!Prompter::instance().confirm(QStringLiteral("Are you sure you want to delete this Recipe?")))
        return;
    const QString recipeId = tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString();
    TTransaction transaction(Database1);
    DeletingRecipe = true;
    try {
        emptyTable(tblRecipeIngredient);
        removePlannedDays(recipeId);
        tblRecipe.remove();
        transaction.commit();
    } catch (...) {
        DeletingRecipe = false;
        throw;
    }
    DeletingRecipe = false;
    tblDay.refresh();
    tblDayLookup.refresh();
}

void TdmMain1::removePlannedDays(const QString &recipeId)
{
    TTable days(Database1);
    days.setTableName(QStringLiteral("DAY.DB"));
    days.setIndexName(QStringLiteral("byRecipeID"));
    days.open();
    while (days.findKey({recipeId}))
        days.remove();
}

void TdmMain1::PlanDay(const QDate &date, const QString &recipeId)
{
    if (tblDay.findKey({date}))
        tblDay.edit();
    else
        tblDay.insert();
    tblDay.fieldByName(QStringLiteral("Recipe_ID")).setAsString(recipeId);
    tblDay.fieldByName(QStringLiteral("Date")).setAsDate(date);
    tblDay.post();
}

void TdmMain1::ShoveDays(const QDate &start)
{
    TTransaction transaction(Database1);
    emptyTable(tblTempDay);
    if (!tblDay.findKey({start})) {
        transaction.commit();
        return;
    }
    auto copy = [](TTable &from, TTable &to, const QDate &date) {
        to.insert();
        to.fieldByName(QStringLiteral("Date")).setAsDate(date);
        to.fieldByName(QStringLiteral("Recipe_ID")).setAsString(from.fieldByName(QStringLiteral("Recipe_ID")).asString());
        to.fieldByName(QStringLiteral("Servings")).setAsString(from.fieldByName(QStringLiteral("Servings")).asString());
        to.post();
    };
    // Stage every moved meal first, so that no two rows ever share a key on the way.
    while (!tblDay.eof()) {
        copy(tblDay, tblTempDay, tblDay.fieldByName(QStringLiteral("Date")).asDate());
        tblDay.next();
    }
    tblTempDay.first();
    const int staged = tblTempDay.recordCount();
    for (int i = 0; i < staged; ++i) {
        if (tblDay.findKey({tblTempDay.fieldByName(QStringLiteral("Date")).asDate(),
                            tblTempDay.fieldByName(QStringLiteral("Recipe_ID")).asString()}))
            tblDay.remove();
        tblTempDay.next();
    }
    for (tblTempDay.first(); !tblTempDay.eof(); tblTempDay.next())
        copy(tblTempDay, tblDay, NextDayDate(tblTempDay.fieldByName(QStringLiteral("Date")).asDate()));
    transaction.commit();
}
