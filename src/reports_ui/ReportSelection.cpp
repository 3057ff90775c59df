#include "reports_ui/ReportSelection.h"

#include "data/CombinedShoppingList.h"
#include "data/DateText.h"
#include "data/RegularFile.h"
#include "data/dmmain.h"
#include "reports/rep1.h"
#include "reports/rep2.h"
#include "reports/CombinedShoppingLayout.h"
#include "reports/rep3.h"
#include "reports_ui/ReportRequest.h"
#include "reports_ui/ReportRequestError.h"

namespace {

QString quoted(QString value)
{
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

QString alternatives(const QString &field, const QStringList &values)
{
    QStringList terms;
    for (const QString &value : values)
        terms << field + QLatin1String(" = ") + quoted(value);
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

QStringList ReportSelection::plannedRecipeIds(const QDate &from, const QDate &to)
{
    QStringList lines{QStringLiteral("Select Distinct D.Recipe_ID As Recipe_ID"),
                      QStringLiteral("From \"Day.db\" D, \"Recipe.DB\" R Where D.Recipe_ID = R.Recipe_ID")};
    if (from.isValid())
        lines << QStringLiteral(" and D.\"Date\" >= :from");
    if (to.isValid())
        lines << QStringLiteral(" and D.\"Date\" <= :to");
    lines << QStringLiteral("Order By D.Recipe_ID");
    TQuery &query = m_dataModule.Query1;
    query.setSql(lines.join(QLatin1Char('\n')));
    if (from.isValid())
        query.bindValue(QStringLiteral(":from"), from);
    if (to.isValid())
        query.bindValue(QStringLiteral(":to"), to);
    return readRecipeIds();
}

QStringList ReportSelection::namedRecipeIds(const QStringList &names)
{
    if (names.isEmpty())
        return {};
    QStringList parameters;
    for (int i = 0; i < names.size(); ++i)
        parameters << QStringLiteral(":name%1").arg(i);
    TQuery &query = m_dataModule.Query1;
    query.setSql(QStringLiteral("Select Recipe_ID From \"Recipe.DB\"\nWhere Name In (%1)\nOrder By Recipe_ID")
                     .arg(parameters.join(QLatin1String(", "))));
    for (int i = 0; i < names.size(); ++i)
        query.bindValue(parameters[i], names[i]);
    return readRecipeIds();
}

QStringList ReportSelection::readRecipeIds()
{
    TQuery &query = m_dataModule.Query1;
    query.open();
    QStringList ids;
    for (query.first(); !query.eof(); query.next())
        ids << query.fieldByName(QStringLiteral("Recipe_ID")).asString();
    return ids;
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
        layout->prepareFiltered(keyFilter(plannedRecipeIds(from, to)));
        break;
    }
    }
    return layout;
}

std::unique_ptr<BandedReport> ReportSelection::prepareShoppingList(const ReportRequest &request)
{
    if (request.combine)
        return prepareCombinedList(request);
    QStringList recipeIds;
    if (request.kind == ReportKind::ShoppingListByDate) {
        const QDate from = readDate(request.from);
        recipeIds = plannedRecipeIds(from, readDate(request.to));
    } else {
        if (request.names.isEmpty())
            throw ReportRequestError(ReportRequestError::Severity::Notice, noRecipeTickedNotice());
        recipeIds = namedRecipeIds(request.names);
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
        if (request.names.isEmpty())
            throw ReportRequestError(ReportRequestError::Severity::Notice, noRecipeTickedNotice());
        lines = CombinedShoppingList::linesOfRecipes(m_dataModule.Database1, namedRecipeIds(request.names));
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
