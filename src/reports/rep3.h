#pragma once

#include "data/Query.h"
#include "reports/BandedReport.h"

#include <QStringList>

class TdmMain1;

// The shopping list: the ingredient lines of the selected recipes, grouped by ingredient.
class TqrIngredient : public BandedReport {
public:
    explicit TqrIngredient(TdmMain1 &dataModule);

    TQuery QueryIngredient;

    // What an empty list of recipe keys selects.
    enum class EmptySelection { NoRecipes, AllRecipes };

    // Selects the lines of these recipes (a key given twice counts once), ordered by
    // ingredient, and starts the report afresh. The keys are bound to the query, never
    // written into its text.
    void prepareSelection(const QStringList &recipeIds, EmptySelection whenEmpty = EmptySelection::NoRecipes);

protected:
    // The records the bands print: the query, or what a subclass walks instead.
    TDataSet *m_lines = &QueryIngredient;

private:
    void addTitleBand();
    void addGroupBand();
    void addLineBand();
    ReportItem::Source lineField(const QString &field);
};
