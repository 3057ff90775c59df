#pragma once

#include "reports/ReportKind.h"

#include <QDate>
#include <QStringList>
#include <memory>

class BandedReport;
class RecipeLayout;
class TdmMain1;
struct ReportRequest;

// Turns what the user asked for into a report layout with its records selected. Values are
// never spliced into query texts: recipe filters quote them with inner quotes doubled, and
// keys, names and dates are bound to the queries.
class ReportSelection {
public:
    explicit ReportSelection(TdmMain1 &dataModule);

    // The layout of the request's kind, titled with its description and ready to render.
    // Throws ReportRequestError when nothing was chosen to print or a date cannot be read,
    // and the engine's error when a query fails.
    std::unique_ptr<BandedReport> prepare(const ReportRequest &request);

    // Filters over the recipe table. No names or no category select every recipe; no keys
    // select none.
    static QString nameFilter(const QStringList &names);
    static QString categoryFilter(const QString &category);
    static QString keyFilter(const QStringList &recipeIds);

    // An empty text is an open end (an invalid date); a text that is no date throws.
    static QDate readDate(const QString &text);

    static QString noRecipeTickedNotice();

private:
    std::unique_ptr<BandedReport> prepareRecipes(const ReportRequest &request);
    std::unique_ptr<BandedReport> prepareShoppingList(const ReportRequest &request);
    std::unique_ptr<BandedReport> prepareCombinedList(const ReportRequest &request);
    QStringList tickedRecipeIds(const ReportRequest &request);
    std::unique_ptr<RecipeLayout> makeRecipeLayout(ReportKind kind);

    TdmMain1 &m_dataModule;
};

// Makes the report and writes it as a PDF file, without any window. Throws as prepare()
// does, and ReportRequestError when the file cannot be written.
void writeReportPdf(TdmMain1 &dataModule, const ReportRequest &request, const QString &pdfPath);
