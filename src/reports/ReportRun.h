#pragma once

#include "reports/BandMeasurer.h"
#include "reports/PageBuilder.h"

#include <QVariant>

class BandedReport;
class ReportBand;

// One pass of a report over its data, laying out pages on demand: a preview asks for the
// first page and gets it after the first few records, not after the whole report.
// The pass moves the report's master and detail data sets; nothing else may move them meanwhile.
class ReportRun {
public:
    explicit ReportRun(const BandedReport &report);

    // Lays out until the page is complete; false when the report ends before it.
    bool layOutPage(int index);
    int layOutAll();
    const ReportPage &page(int index) const { return m_builder.pages()[size_t(index)]; }

private:
    void start();
    // Prints the bands of the master's current record and moves on; false at the end.
    bool step();
    void printRecord();
    void printGroupHeaders();
    void printSubDetail(const ReportBand &band);
    void print(const ReportBand &band);

    const BandedReport &m_report;
    BandMeasurer m_measurer;
    PageBuilder m_builder;
    bool m_started = false;
    bool m_finished = false;
    QList<QVariant> m_groupValues;
    bool m_hasGroupValues = false;
};
