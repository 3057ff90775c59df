#include "reports/RecipeLayout.h"

#include "data/DateText.h"
#include "data/dmmain.h"
#include "reports/RecipeGeometry.h"

namespace {

const QStringList kHeadings{QStringLiteral("Category"), QStringLiteral("Meal"), QStringLiteral("Servings"),
                            QStringLiteral("Cook Time"), QStringLiteral("Prep Time"), QStringLiteral("Assigned")};
const QStringList kHeadingNames{QStringLiteral("Category"), QStringLiteral("Meal"), QStringLiteral("Servings"),
                                QStringLiteral("CookTime"), QStringLiteral("PrepTime"), QStringLiteral("Date")};
const QStringList kLineFields{QStringLiteral("Amount"), QStringLiteral("Measurement"), QStringLiteral("Description"),
                              QStringLiteral("Ingredient")};

// Space kept between a value and the next column when a long value is set smaller to fit.
// Every value has a box: to the next column or the edge of the printable area, and in the
// recipe's own band down to the next row; a line of the recipe grows downwards instead.
constexpr double kColumnGap = 1.0;
constexpr double kRowGap = 0.5;

} // namespace

RecipeLayout::RecipeLayout(TdmMain1 &dataModule, const RecipeGeometry &geometry)
    : tblRecipe(dataModule.Database1), tblRecIngre(dataModule.Database1), tblIngredient(dataModule.Database1),
      tblDate(dataModule.Database1)
{
    setPage(QPageSize::Letter, QPageLayout::Portrait, geometry.margins);
    openData();
    addRecipeBand(geometry);
    addHeadingBand(geometry);
    addLineBand(geometry);
    setMasterDataSet(&tblRecipe);
    setAssignedDateShown(false);
}

RecipeLayout::~RecipeLayout() = default;

void RecipeLayout::openData()
{
    tblRecipe.setTableName(QStringLiteral("Recipe.DB"));
    tblRecipe.setIndexFieldNames(QStringLiteral("Recipe_ID"));
    tblRecipe.setFiltered(true);
    tblIngredient.setTableName(QStringLiteral("INGREDIE.DB"));
    tblIngredient.setIndexFieldNames(QStringLiteral("Ingredient_ID"));
    tblRecIngre.setTableName(QStringLiteral("Rec_ingr.DB"));
    // A recipe's lines print in their own order, whatever their keys.
    tblRecIngre.setIndexFieldNames(QStringLiteral("Recipe_ID;Order"));
    tblRecIngre.setMasterSource(&tblRecipe, QStringLiteral("Recipe_ID"));
    tblRecIngre.addLookupField(QStringLiteral("Ingredient"), 40,
                               {QStringLiteral("Ingredient_ID"), &tblIngredient, QStringLiteral("Ingredient_ID"),
                                QStringLiteral("Ingredient")});
    tblDate.setTableName(QStringLiteral("DAY.db"));
    tblDate.setIndexName(QStringLiteral("byRecipeID"));
    tblDate.setMasterSource(&tblRecipe, QStringLiteral("Recipe_ID"));
    for (TTable *table : {&tblRecipe, &tblIngredient, &tblRecIngre, &tblDate})
        table->open();
}

void RecipeLayout::addRecipeBand(const RecipeGeometry &g)
{
    ReportBand &band = addBand(BandKind::Detail, QStringLiteral("RecipeBand"), g.detailHeight);
    band.setStartsNewPage(g.newPagePerRecipe);
    ReportItem &title =
        band.addData(QStringLiteral("dbName"), recipeField(QStringLiteral("Name")), g.namePosition, g.nameStyle);
    title.setFitWidth(bodyRect().width() - g.namePosition.x());
    title.setFitHeight(g.headingTop - g.namePosition.y() - kRowGap);
    band.addLine(QStringLiteral("lnHeadings"), g.headingLinePosition, g.headingLineLength);
    for (int i = 0; i < kHeadings.size(); ++i) {
        const QString name = kHeadingNames[i];
        ReportItem &label =
            band.addLabel(QStringLiteral("lb") + name, kHeadings[i], {g.columns[i], g.headingTop}, g.headingStyle);
        const double top = name == QLatin1String("PrepTime") ? g.prepTimeValueTop : g.valueTop;
        const ReportItem::Source source =
            name == QLatin1String("Date") ? ReportItem::Source([this] { return assignedDate(); }) : recipeField(name);
        ReportItem &value = band.addData(QStringLiteral("db") + name, source, {g.columns[i], top}, g.valueStyle);
        const double end = i + 1 < kHeadings.size() ? g.columns[i + 1] - kColumnGap : bodyRect().width();
        value.setFitWidth(end - g.columns[i]);
        value.setFitHeight(g.instructionsLabelPosition.y() - top - kRowGap);
        if (name == QLatin1String("Date")) {
            lbDate = &label;
            dbDate = &value;
        }
    }
    band.addLabel(QStringLiteral("lbInstructions"), QStringLiteral("Instructions"), g.instructionsLabelPosition,
                  g.instructionsLabelStyle);
    band.addMemo(
        QStringLiteral("dbInstructions"),
        [this] { return tblRecipe.fieldByName(QStringLiteral("Instructions")).asLines().join(QLatin1Char('\n')); },
        g.instructionsPosition, g.instructionsWidth, g.instructionsStyle);
}

void RecipeLayout::addHeadingBand(const RecipeGeometry &g)
{
    ReportBand &band = addBand(BandKind::Child, QStringLiteral("IngredientHeadingBand"), g.childHeight);
    band.setKeepsWithNext(true);
    band.addLabel(QStringLiteral("lbIngredients"), QStringLiteral("Ingredients"), g.ingredientsLabelPosition,
                  g.ingredientsLabelStyle);
    band.addLine(QStringLiteral("lnColumns"), g.columnLinePosition, g.columnLineLength);
    for (int i = 0; i < kLineFields.size(); ++i)
        band.addLabel(QStringLiteral("lb") + kLineFields[i], kLineFields[i], {g.lineColumns[i], g.columnLabelTop},
                      g.columnLabelStyle);
}

void RecipeLayout::addLineBand(const RecipeGeometry &g)
{
    ReportBand &band = addBand(BandKind::SubDetail, QStringLiteral("IngredientLineBand"), g.lineHeight);
    band.setDataSet(&tblRecIngre);
    for (int i = 0; i < kLineFields.size(); ++i) {
        ReportItem &value = band.addData(QStringLiteral("db") + kLineFields[i], lineField(kLineFields[i]),
                                         {g.lineColumns[i], g.lineTop}, g.lineStyle);
        const double end = i + 1 < kLineFields.size() ? g.lineColumns[i + 1] - kColumnGap : bodyRect().width();
        value.setFitWidth(end - g.lineColumns[i]);
    }
}

ReportItem::Source RecipeLayout::recipeField(const QString &field)
{
    return [this, field] { return tblRecipe.fieldByName(field).asString(); };
}

ReportItem::Source RecipeLayout::lineField(const QString &field)
{
    return [this, field] { return tblRecIngre.fieldByName(field).asString(); };
}

void RecipeLayout::prepareFiltered(const QString &filter)
{
    tblRecipe.setFilter(filter);
    restart();
}

void RecipeLayout::setAssignedDateShown(bool shown)
{
    lbDate->setEnabled(shown);
    dbDate->setEnabled(shown);
    restart();
}

void RecipeLayout::setAssignedRange(const QDate &from, const QDate &to)
{
    m_assignedFrom = from;
    m_assignedTo = to;
    restart();
}

bool RecipeLayout::isInAssignedRange(const QDate &date) const
{
    return (!m_assignedFrom.isValid() || date >= m_assignedFrom) && (!m_assignedTo.isValid() || date <= m_assignedTo);
}

QString RecipeLayout::assignedDate()
{
    const int dateField = tblDate.fieldIndex(QStringLiteral("Date"));
    QDate first;
    QDate firstInRange;
    for (int row = 0; row < tblDate.recordCount(); ++row) {
        const QDate date = DateText::fromStorage(tblDate.valueAt(row, dateField));
        if (!date.isValid())
            continue;
        if (!first.isValid() || date < first)
            first = date;
        if (isInAssignedRange(date) && (!firstInRange.isValid() || date < firstInRange))
            firstInRange = date;
    }
    return DateText::toDisplay(firstInRange.isValid() ? firstInRange : first);
}
