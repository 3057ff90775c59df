#pragma once

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Table.h"

#include <QDate>
#include <QObject>
#include <optional>

// The data module: the database connection and every shared table view with its data link.
// Its handlers are the database's rules: keys and line numbers for new records, a question
// before every delete, and the two compound operations of the main window.
class TdmMain1 : public QObject {
    Q_OBJECT
public:
    // Connects to the database and opens every table: a failure of either propagates, as the
    // program cannot work without all its tables (lost lists and settings are made again first).
    // The database is the alias's, or that of the given directory (the command-line program).
    // A module for work on a thread of its own does not become the program's module, and a
    // failure while opening its tables is raised instead of shown: no window may be shown there.
    enum class Use { Program, Worker };
    explicit TdmMain1(QObject *parent = nullptr, const QString &directory = {}, Use use = Use::Program);
    ~TdmMain1() override;

    TDatabase Database1;

    TTable tblRecipe{Database1};
    TTable tblRecipeIngredient{Database1};
    TTable tblIngredientLookup{Database1};
    TTable tblDay{Database1};
    TTable tblDayLookup{Database1};
    TTable tblRecipeLookup{Database1};
    TTable tblMeasurement{Database1};
    TTable tblDescription{Database1};
    TTable tblReport{Database1};
    TTable tblCategory{Database1};
    TTable tblTempDay{Database1};
    TTable tblCookTime{Database1};
    TTable tblMeal{Database1};
    TTable tblPrepTime{Database1};
    TTable tblRecipeIngredientLookup{Database1};
    TQuery Query1{Database1};

    TDataSource dsRecipe{&tblRecipe};
    TDataSource dsRecipeIngredient{&tblRecipeIngredient};
    TDataSource dsIngredientLookup{&tblIngredientLookup};
    TDataSource dsDay{&tblDay};
    TDataSource dsDayLookup{&tblDayLookup};
    TDataSource dsRecipeLookup{&tblRecipeLookup};
    TDataSource dsMeasurement{&tblMeasurement};
    TDataSource dsDescription{&tblDescription};
    TDataSource dsReport{&tblReport};
    TDataSource dsCategory{&tblCategory};
    TDataSource dsTempDay{&tblTempDay};
    TDataSource dsCookTime{&tblCookTime};
    TDataSource dsMeal{&tblMeal};
    TDataSource dsPrepTime{&tblPrepTime};
    TDataSource dsRecipeIngredientLookup{&tblRecipeIngredientLookup};

    // True only while DeleteRecipe removes a recipe's lines: their deletion asks nothing.
    bool DeletingRecipe = false;

    // Every shared view in schema order, masters before their details.
    QList<TTable *> allTables();
    void OpenAllTables();
    // Deletes the current recipe with its lines and planned days, after one question.
    void DeleteRecipe();
    // Moves tblRecipe to the first recipe of that name in name order, ignoring letter case.
    bool FindRecipeNamed(const QString &name);
    // Moves every planned meal dated on or after the start date one day later.
    void ShoveDays(const QDate &start);
    // Plans the recipe on the day, replacing the recipe planned there before (one per day).
    void PlanDay(const QDate &date, const QString &recipeId);
    // The same, setting how many eat there in the same step.
    void PlanDay(const QDate &date, const QString &recipeId, std::optional<int> servings);
    // Removes whatever is planned on the day as stored now.
    void RemoveDay(const QDate &date);
    // The same after one question, asked only when the day is planned as stored now.
    void RemovePlannedDay(const QDate &date);
    // Removes the lines stored for a new recipe whose insertion was abandoned: they would
    // belong to no recipe.
    void DiscardNewRecipeLines(const QString &recipeId);
    // Sets how many eat on the planned day (none: as many as the recipe serves). A day with
    // nothing planned as stored now is refused with an engine error.
    void SetDayServings(const QDate &date, std::optional<int> servings);
    // The servings of the day tblDay stands on; none when it has none.
    std::optional<int> CurrentDayServings();

    static constexpr const char *kPassword = "tavemol";

private:
    void configureViews();
    void bindRules();
    void DataModule1Create();
    void Database1Login(TDatabase &db);
    void tblRecipeNewRecord(TDataSet &dataSet);
    void tblIngredientLookupNewRecord(TDataSet &dataSet);
    void tblRecipeIngredientNewRecord(TDataSet &dataSet);
    void tblRecipeIngredientBeforeDelete(TDataSet &dataSet);
    void removePlannedDays(const QString &recipeId);
    bool standsOnRecipe(const QString &recipeId);
};

// The one data module of the running program.
extern TdmMain1 *dmMain1;
