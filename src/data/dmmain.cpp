#include "data/dmmain.h"

#include "data/DateText.h"
#include "data/DayServings.h"
#include "data/EngineError.h"
#include "data/KeyGenerator.h"
#include "data/ListUsage.h"
#include "data/Prompter.h"
#include "data/Schema.h"
#include "data/SchemaCheck.h"
#include "data/Utilities.h"

TdmMain1 *dmMain1 = nullptr;

namespace {

// Asks before a list value is deleted, saying how many recipes use it: they keep their text,
// but the list no longer offers it.
TDataSet::Event confirmListDelete(const QString &label, const QString &field)
{
    return [label, field](TDataSet &list) {
        QString question = QStringLiteral("Are you sure you want to delete this %1?").arg(label);
        const int used = RecipesUsingListValue(list.database(), field, list.fieldByName(field).asString());
        if (used > 0)
            question += QStringLiteral("\n\n%1 this %2 and will keep it, but the list will no longer offer it.")
                            .arg(RecipesUseText(used), label.toLower());
        if (!Prompter::instance().confirm(question))
            throw SilentAbort();
    };
}

// Makes again the lost tables the program can do without, after checking that none it cannot
// do without is lost; returns the notice for the user, if any.
QString checkTables(TDatabase &db)
{
    QSqlDatabase &connection = db.connection();
    const QList<const TableDef *> missing = Schema::missingTables(connection);
    Schema::checkTables(connection, missing, db.isReadOnly());
    if (missing.isEmpty())
        return {};
    TTransaction transaction(db);
    const QString notice = Schema::remakeTables(connection, missing);
    transaction.commit();
    return notice;
}

// An ingredient that recipe lines name stays: deleting it would leave those lines without a
// name. Once no recipe uses it, it may go after the usual question.
void confirmIngredientDelete(TDataSet &ingredients)
{
    const int used = RecipesUsingIngredient(ingredients.database(),
                                            ingredients.fieldByName(QStringLiteral("Ingredient_ID")).asString());
    if (used > 0) {
        Prompter::instance().inform(
            QStringLiteral("\"%1\" cannot be deleted: %2 it. Remove it from the ingredient lines of %3 first.")
                .arg(ingredients.fieldByName(QStringLiteral("Ingredient")).asString(), RecipesUseText(used),
                     used == 1 ? QStringLiteral("that recipe") : QStringLiteral("those recipes")));
        throw SilentAbort();
    }
    if (!Prompter::instance().confirm(QStringLiteral("Are you sure you want to delete this Ingredient?")))
        throw SilentAbort();
}

// The day a shoved meal moves to. Dates are kept with four-digit years, so a meal on the last
// day that can be kept has nowhere to go, and the whole shove is refused.
QDate shovedDate(const QDate &date)
{
    const QDate next = NextDayDate(date);
    if (next.year() > 9999)
        throw EngineError(EngineError::CheckFailed,
                          QStringLiteral("The plan cannot be shoved: the meal planned on %1 would move past the last "
                                         "day the calendar can hold. Remove that meal or plan it on an earlier day, "
                                         "then shove again.")
                              .arg(DateText::toDisplay(date)));
    return next;
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
    // Every command relies on every view: a database whose tables cannot all be opened ends
    // the start with one message that says why, rather than failing later command by command.
    QString repaired;
    try {
        repaired = checkTables(Database1);
        DataModule1Create();
    } catch (...) {
        if (dmMain1 == this)
            dmMain1 = nullptr;
        throw;
    }
    if (!repaired.isEmpty())
        Prompter::instance().inform(repaired);
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
    tblIngredientLookup.beforeDelete = confirmIngredientDelete;
    tblMeasurement.beforeDelete = confirmListDelete(QStringLiteral("Measurement"), QStringLiteral("Measurement"));
    tblDescription.beforeDelete = confirmListDelete(QStringLiteral("Description"), QStringLiteral("Description"));
    tblCategory.beforeDelete = confirmListDelete(QStringLiteral("Category"), QStringLiteral("Category"));
    tblCookTime.beforeDelete = confirmListDelete(QStringLiteral("Cook Time"), QStringLiteral("CookTime"));
    tblMeal.beforeDelete = confirmListDelete(QStringLiteral("Meal"), QStringLiteral("Meal"));
    tblPrepTime.beforeDelete = confirmListDelete(QStringLiteral("Prep Time"), QStringLiteral("PrepTime"));
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
    // number another line still holds. The view is ordered by Order, blanks first, so the
    // highest number is that of its last line: a long recipe costs no more than a short one.
    const int order = tblRecipeIngredient.fieldIndex(QStringLiteral("Order"));
    const int count = tblRecipeIngredient.recordCount();
    int highest = -1;
    const QStringList sortedBy = tblRecipeIngredient.indexFields();
    if (!sortedBy.isEmpty() && sortedBy.last().compare(QLatin1String("Order"), Qt::CaseInsensitive) == 0) {
        const QVariant value = count > 0 ? tblRecipeIngredient.valueAt(count - 1, order) : QVariant();
        if (!value.isNull())
            highest = value.toInt();
    } else {
        for (int row = 0; row < count; ++row) {
            const QVariant value = tblRecipeIngredient.valueAt(row, order);
            if (!value.isNull())
                highest = std::max(highest, value.toInt());
        }
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
        // The views now show what is stored: another copy may have deleted the recipe while
        // the question was open, or given it lines this copy has not seen.
        if (standsOnRecipe(recipeId)) {
            emptyTable(tblRecipeIngredient);
            removePlannedDays(recipeId);
            tblRecipe.remove();
        }
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
    days.removeAllKeyed({recipeId});
}

// The recipe view is ordered by name ignoring case, so a key search finds the name without
// reading the table.
bool TdmMain1::FindRecipeNamed(const QString &name)
{
    return tblRecipe.findKey({name});
}

bool TdmMain1::standsOnRecipe(const QString &recipeId)
{
    return (!tblRecipe.isEmpty() && tblRecipe.fieldByName(QStringLiteral("Recipe_ID")).asString() == recipeId)
           || tblRecipe.locate(QStringLiteral("Recipe_ID"), recipeId);
}

// Decided inside the write transaction, on the day as stored: a day another copy planned
// meanwhile gets its recipe replaced rather than a second entry.
void TdmMain1::PlanDay(const QDate &date, const QString &recipeId)
{
    TTransaction transaction(Database1);
    if (tblDay.findKey({date}))
        tblDay.edit();
    else
        tblDay.insert();
    tblDay.fieldByName(QStringLiteral("Recipe_ID")).setAsString(recipeId);
    tblDay.fieldByName(QStringLiteral("Date")).setAsDate(date);
    tblDay.post();
    transaction.commit();
}

void TdmMain1::PlanDay(const QDate &date, const QString &recipeId, std::optional<int> servings)
{
    TTransaction transaction(Database1);
    PlanDay(date, recipeId);
    SetDayServings(date, servings);
    transaction.commit();
}

void TdmMain1::RemoveDay(const QDate &date)
{
    TTransaction transaction(Database1);
    tblDay.removeAllKeyed({date});
    transaction.commit();
}

void TdmMain1::RemovePlannedDay(const QDate &date)
{
    Database1.catchUpWithOtherCopies();
    if (tblDay.findKey({date})
        && Prompter::instance().confirm(QStringLiteral("Are you sure you want to remove this Day's Recipe?")))
        RemoveDay(date);
}

void TdmMain1::DiscardNewRecipeLines(const QString &recipeId)
{
    TTable lines(Database1);
    lines.setTableName(QStringLiteral("REC_INGR.DB"));
    lines.setIndexFieldNames(QStringLiteral("Recipe_ID;Order"));
    lines.open();
    TTransaction transaction(Database1);
    lines.removeAllKeyed({recipeId});
    transaction.commit();
}

void TdmMain1::SetDayServings(const QDate &date, std::optional<int> servings)
{
    TTransaction transaction(Database1);
    if (!tblDay.findKey({date}))
        throw EngineError(EngineError::RecordDeleted, DayServings::notPlannedNotice(date));
    tblDay.edit();
    TField field = tblDay.fieldByName(QStringLiteral("Servings"));
    if (servings)
        field.setAsInteger(*servings);
    else
        field.clear();
    tblDay.post();
    transaction.commit();
}

std::optional<int> TdmMain1::CurrentDayServings()
{
    const TField field = tblDay.fieldByName(QStringLiteral("Servings"));
    return field.isNull() ? std::nullopt : std::optional<int>(field.asInteger());
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
        copy(tblTempDay, tblDay, shovedDate(tblTempDay.fieldByName(QStringLiteral("Date")).asDate()));
    transaction.commit();
}
