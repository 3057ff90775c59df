#pragma once

#include "reports/MeasuredBand.h"
#include "reports/ReportPage.h"

#include <QRectF>
#include <vector>

// Stacks measured bands down the printable area of the pages: a band that asks for it starts
// a new page, a band that does not fit goes to the next page, and a band with a memo that
// does not fit is broken between its lines and continues at the top of the next page. A band
// that keeps with the next one waits for it, and both go to the next page when they would
// not start together on this one.
class PageBuilder {
public:
    // The printable area in millimetres from the paper's top left corner.
    explicit PageBuilder(const QRectF &body);

    void add(MeasuredBand band);
    // Ends the report; a report without any band still has its one empty page.
    void finish();

    const std::vector<ReportPage> &pages() const { return m_pages; }
    // Pages that later bands can no longer change.
    int finishedPageCount() const;
    bool hasContentOnPage() const { return !m_pages.empty() && !m_pages.back().bands.isEmpty(); }

private:
    void flow(MeasuredBand band);
    void releaseHeldBands(const MeasuredBand &next);
    void startPage();
    void place(const MeasuredBand &band);
    double available() const { return m_body.height() - m_cursor; }

    QRectF m_body;
    double m_cursor = 0;
    bool m_finished = false;
    std::vector<ReportPage> m_pages;
    QList<MeasuredBand> m_held;
};
