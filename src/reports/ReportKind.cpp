#include "reports/ReportKind.h"

#include <array>

namespace {

struct KindEntry {
    ReportKind kind;
    const char *description;
    ReportFilter filter;
};

const std::array<KindEntry, 8> kKinds{{
    {ReportKind::RecipeByCategory, "Recipe (by Category)", ReportFilter::Category},
    {ReportKind::SmallRecipeByCategory, "Small Recipe (by Category)", ReportFilter::Category},
    {ReportKind::RecipeByName, "Recipe (by Name)", ReportFilter::Name},
    {ReportKind::SmallRecipeByName, "Small Recipe (by Name)", ReportFilter::Name},
    {ReportKind::ShoppingListByName, "Shopping List (by Name)", ReportFilter::Name},
    {ReportKind::RecipeByDate, "Recipe (by Date Assigned)", ReportFilter::Date},
    {ReportKind::SmallRecipeByDate, "Small Recipe (by Date Assigned)", ReportFilter::Date},
    {ReportKind::ShoppingListByDate, "Shopping List (by Date Assigned)", ReportFilter::Date},
}};

const KindEntry &entryOf(ReportKind kind)
{
    return kKinds[size_t(kind)];
}

} // namespace

std::optional<ReportKind> ReportKinds::fromDescription(const QString &description)
{
    for (const KindEntry &entry : kKinds)
        if (description == QLatin1String(entry.description))
            return entry.kind;
    return std::nullopt;
}

QString ReportKinds::description(ReportKind kind)
{
    return QString::fromLatin1(entryOf(kind).description);
}

ReportFilter ReportKinds::filterOf(ReportKind kind)
{
    return entryOf(kind).filter;
}

bool ReportKinds::isShoppingList(ReportKind kind)
{
    return kind == ReportKind::ShoppingListByName || kind == ReportKind::ShoppingListByDate;
}

bool ReportKinds::isSmallRecipe(ReportKind kind)
{
    return kind == ReportKind::SmallRecipeByCategory || kind == ReportKind::SmallRecipeByName ||
           kind == ReportKind::SmallRecipeByDate;
}
