#include "reports/ReportRun.h"

#include "data/DataSet.h"
#include "reports/BandedReport.h"
#include "reports/ReportBand.h"

ReportRun::ReportRun(const BandedReport &report) : m_report(report), m_builder(report.bodyRect()) {}

bool ReportRun::layOutPage(int index)
{
    if (index < 0)
        return false;
    while (m_builder.finishedPageCount() <= index && step()) {
    }
    return index < m_builder.finishedPageCount();
}

int ReportRun::layOutAll()
{
    while (step()) {
    }
    return m_builder.finishedPageCount();
}

void ReportRun::start()
{
    m_started = true;
    for (const ReportBand *title : m_report.bandsOf(BandKind::Title))
        print(*title);
    if (TDataSet *master = m_report.masterDataSet(); master && master->isActive())
        master->first();
}

bool ReportRun::step()
{
    if (m_finished)
        return false;
    if (!m_started) {
        start();
        return true;
    }
    TDataSet *master = m_report.masterDataSet();
    if (!master || !master->isActive() || master->eof()) {
        m_builder.finish();
        m_finished = true;
        return false;
    }
    printRecord();
    master->next();
    return true;
}

void ReportRun::printRecord()
{
    printGroupHeaders();
    for (const ReportBand *detail : m_report.bandsOf(BandKind::Detail))
        print(*detail);
    for (const ReportBand *child : m_report.bandsOf(BandKind::Child))
        print(*child);
    for (const ReportBand *subDetail : m_report.bandsOf(BandKind::SubDetail))
        printSubDetail(*subDetail);
}

// A header prints when its value differs from the previous record's; an outer group that
// changes restarts the groups inside it as well.
void ReportRun::printGroupHeaders()
{
    const QList<const ReportBand *> headers = m_report.bandsOf(BandKind::GroupHeader);
    QList<QVariant> values;
    for (const ReportBand *header : headers)
        values << (header->groupExpression() ? header->groupExpression()() : QVariant());
    bool changed = !m_hasGroupValues;
    for (int i = 0; i < headers.size(); ++i) {
        changed = changed || values[i] != m_groupValues.value(i);
        if (changed)
            print(*headers[i]);
    }
    m_groupValues = values;
    m_hasGroupValues = true;
}

void ReportRun::printSubDetail(const ReportBand &band)
{
    TDataSet *rows = band.dataSet();
    if (!rows || !rows->isActive() || rows->isEmpty()) {
        print(band);  // once, with empty fields, so that the headings above are not left alone
        return;
    }
    for (rows->first(); !rows->eof(); rows->next())
        print(band);
}

void ReportRun::print(const ReportBand &band)
{
    if (band.isEnabled())
        m_builder.add(m_measurer.measure(band));
}
