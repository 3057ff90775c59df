#pragma once

#include "data/CombinedShoppingList.h"
#include "data/FixedRows.h"
#include "reports/rep3.h"

// The shopping list with the amounts of each ingredient added up: the layout of the list of
// lines, walking the combined rows instead, with a column naming the recipe of each line
// that could not be added.
class CombinedShoppingLayout : public TqrIngredient {
public:
    explicit CombinedShoppingLayout(TdmMain1 &dataModule);

    // Shows these rows and starts the report afresh.
    void prepareRows(const QList<CombinedShoppingRow> &rows);

private:
    TFixedRows m_rows;
};
