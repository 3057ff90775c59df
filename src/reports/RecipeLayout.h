#pragma once

#include "data/DataSource.h"
#include "data/Table.h"
#include "reports/BandedReport.h"

#include <QDate>

class TdmMain1;
struct RecipeGeometry;

// What the full and the small recipe share: their own views of the recipes, their lines, the
// ingredient names and the planned days, and the three bands printed for every recipe.
class RecipeLayout : public BandedReport {
public:
    ~RecipeLayout() override;

    TTable tblRecipe;
    TDataSource dsRecipe{&tblRecipe};
    TTable tblRecIngre;
    TTable tblIngredient;
    TTable tblDate;

    // The "Assigned" heading and date; not printed unless the caller enables them.
    ReportItem *lbDate = nullptr;
    ReportItem *dbDate = nullptr;

    // Selects the recipes by a filter expression over the recipe table (values in single
    // quotes, a quote inside a value doubled); an empty filter selects every recipe. Starts
    // the report afresh. An invalid filter raises the engine's error and changes nothing.
    void prepareFiltered(const QString &filter);

    void setAssignedDateShown(bool shown);
    // The assigned date is the recipe's first planned day within these dates (either may be
    // left invalid for an open end); a recipe without a day in them shows its first planned day.
    void setAssignedRange(const QDate &from, const QDate &to);

protected:
    RecipeLayout(TdmMain1 &dataModule, const RecipeGeometry &geometry);

private:
    void openData();
    void addRecipeBand(const RecipeGeometry &geometry);
    void addHeadingBand(const RecipeGeometry &geometry);
    void addLineBand(const RecipeGeometry &geometry);
    ReportItem::Source recipeField(const QString &field);
    ReportItem::Source lineField(const QString &field);
    QString assignedDate();
    bool isInAssignedRange(const QDate &date) const;

    QDate m_assignedFrom;
    QDate m_assignedTo;
};
