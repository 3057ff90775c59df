#pragma once

#include <QString>
#include <optional>

// The eight kinds of report listed in "Report.DB", told apart by their description.
enum class ReportKind {
    RecipeByCategory,
    SmallRecipeByCategory,
    RecipeByName,
    SmallRecipeByName,
    ShoppingListByName,
    RecipeByDate,
    SmallRecipeByDate,
    ShoppingListByDate,
};

// What the user narrows a report by; the values are the wizard's page numbers.
enum class ReportFilter { Name = 1, Category = 2, Date = 3 };

namespace ReportKinds {

// Compared exactly, letter case included; any other text is no report kind.
std::optional<ReportKind> fromDescription(const QString &description);
QString description(ReportKind kind);
ReportFilter filterOf(ReportKind kind);
bool isShoppingList(ReportKind kind);
bool isSmallRecipe(ReportKind kind);

} // namespace ReportKinds
