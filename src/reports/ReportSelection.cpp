#include "reports/ReportSelection.h"

#include "data/CombinedShoppingList.h"
#include "data/DateText.h"
#include "data/FilterParser.h"
#include "data/RegularFile.h"
#include "data/ReportQueries.h"
#include "data/dmmain.h"
#include "reports/rep1.h"
#include "reports/rep2.h"
#include "reports/CombinedShoppingLayout.h"
#include "reports/rep3.h"
#include "reports/ReportRequest.h"
#include "reports/ReportRequestError.h"

namespace {

QString alternatives(const QString &field, const QStringList &values)
{
    QStringList terms;
    for (const QString &value : values)
        terms << field + QLatin1String(" = ") + FilterParser::quotedText(value);
    return terms.join(QLatin1String(" or "));
}

// Keys are never empty, so this matches no recipe.
const QString kNoRecipe = QStringLiteral("Recipe_ID = ''");

} // namespace

ReportSelection::ReportSelection(TdmMain1 &dataModule) : m_dataModule(dataModule) {}

QString ReportSelection::nameFilter(const QStringList &names)
{
    return alternatives(QStringLiteral("Name"), names);
}

QString ReportSelection::categoryFilter(const QString &category)
{
    return category.isEmpty() ? QString() : alternatives(QStringLiteral("Category"), {category});
}

QString ReportSelection::keyFilter(const QStringList &recipeIds)
{
    return recipeIds.isEmpty() ? kNoRecipe : alternatives(QStringLiteral("Recipe_ID"), recipeIds);
}

QString ReportSelection::noRecipeTickedNotice()
{
    return QStringLiteral("No recipe has been selected for the shopping list.");
}

QDate ReportSelection::readDate(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    const QDate date = DateText::parse(text);
    if (!date.isValid())
        throw ReportRequestError(ReportRequestError::Severity::Error,
                                 QStringLiteral("\"%1\" is not a valid date. Please enter dates like %2.")
                                     .arg(text, DateText::toDisplay(QDate::currentDate())));
    return date;
}

std::unique_ptr<BandedReport> ReportSelection::prepare(const ReportRequest &request)
{
    std::unique_ptr<BandedReport> report =
        ReportKinds::isShoppingList(request.kind) ? prepareShoppingList(request) : prepareRecipes(request);
    report->setTitle(ReportKinds::description(request.kind));
    return report;
}

std::unique_ptr<BandedReport> ReportSelection::prepareRecipes(const ReportRequest &request)
{
    std::unique_ptr<RecipeLayout> layout = makeRecipeLayout(request.kind);
    switch (ReportKinds::filterOf(request.kind)) {
    case ReportFilter::Name:
        layout->prepareFiltered(nameFilter(request.names));
        break;
    case ReportFilter::Category:
        layout->prepareFiltered(categoryFilter(request.category));
        break;
    case ReportFilter::Date: {
        const QDate from = readDate(request.from);
        const QDate to = readDate(request.to);
        layout->setAssignedDateShown(true);
        layout->setAssignedRange(from, to);
        layout->prepareFiltered(keyFilter(ReportQueries::plannedRecipeIds(m_dataModule.Query1, from, to)));
        break;
    }
    }
    return layout;
}

// The keys of the recipes ticked by name; a notice when none is ticked.
QStringList ReportSelection::tickedRecipeIds(const ReportRequest &request)
{
    if (request.names.isEmpty())
        throw ReportRequestError(ReportRequestError::Severity::Notice, noRecipeTickedNotice());
    return ReportQueries::namedRecipeIds(m_dataModule.Query1, request.names);
}

std::unique_ptr<BandedReport> ReportSelection::prepareShoppingList(const ReportRequest &request)
{
    if (request.combine)
        return prepareCombinedList(request);
    QStringList recipeIds;
    if (request.kind == ReportKind::ShoppingListByDate) {
        const QDate from = readDate(request.from);
        recipeIds = ReportQueries::plannedRecipeIds(m_dataModule.Query1, from, readDate(request.to));
    } else {
        recipeIds = tickedRecipeIds(request);
    }
    auto list = std::make_unique<TqrIngredient>(m_dataModule);
    list->prepareSelection(recipeIds, TqrIngredient::EmptySelection::NoRecipes);
    return list;
}

// A recipe planned on several days counts once for each of them.
std::unique_ptr<BandedReport> ReportSelection::prepareCombinedList(const ReportRequest &request)
{
    QList<ShoppingLine> lines;
    if (request.kind == ReportKind::ShoppingListByDate) {
        const QDate from = readDate(request.from);
        lines = CombinedShoppingList::linesOfPlannedDays(m_dataModule.Database1, from, readDate(request.to));
    } else {
        lines = CombinedShoppingList::linesOfRecipes(m_dataModule.Database1, tickedRecipeIds(request));
    }
    auto list = std::make_unique<CombinedShoppingLayout>(m_dataModule);
    list->prepareRows(CombinedShoppingList::combine(lines));
    return list;
}

std::unique_ptr<RecipeLayout> ReportSelection::makeRecipeLayout(ReportKind kind)
{
    if (ReportKinds::isSmallRecipe(kind))
        return std::make_unique<TqrRecipeSmall>(m_dataModule);
    return std::make_unique<TqrRecipe>(m_dataModule);
}

void writeReportPdf(TdmMain1 &dataModule, const ReportRequest &request, const QString &pdfPath)
{
    if (const QString problem = RegularFile::problem(pdfPath); !problem.isEmpty())
        throw ReportRequestError(ReportRequestError::Severity::Error, problem);
    std::unique_ptr<BandedReport> report = ReportSelection(dataModule).prepare(request);
    if (!report->writePdf(pdfPath))
        throw ReportRequestError(ReportRequestError::Severity::Error, QStringLiteral("Unable to write %1").arg(pdfPath));
}
