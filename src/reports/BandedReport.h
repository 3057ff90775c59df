#pragma once

#include "reports/ReportBand.h"
#include "reports/ReportPage.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class ReportRun;
class TDataSet;

// A banded report: the page set-up, the bands with their items and the master data set they
// walk. Pages are laid out on demand and kept until restart(); a preview asks for page(0),
// renders pages with renderPage() and prints them all with print().
class BandedReport {
public:
    BandedReport();
    virtual ~BandedReport();
    BandedReport(const BandedReport &) = delete;
    BandedReport &operator=(const BandedReport &) = delete;

    // Margins in millimetres.
    void setPage(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation, const QMarginsF &margins);
    QPageLayout pageLayout() const { return m_pageLayout; }
    // The paper as it lies (orientation applied) and its printable area, in millimetres.
    QSizeF paperSize() const;
    QRectF bodyRect() const;

    ReportBand &addBand(BandKind kind, const QString &name, double height);
    ReportBand *band(const QString &name) const;
    QList<const ReportBand *> bandsOf(BandKind kind) const;

    // Each record of the master prints a detail band; without a master only title bands print.
    void setMasterDataSet(TDataSet *dataSet) { m_master = dataSet; }
    TDataSet *masterDataSet() const { return m_master; }

    // Forgets the laid-out pages: call after the data, the bands or their items changed.
    void restart();
    // Lays out the whole report; always at least one page.
    int pageCount();
    // Lays out as far as needed; false when the report has fewer pages.
    bool hasPage(int index);
    const ReportPage &page(int index);

    void renderPage(QPainter &painter, int index);
    // Prints pages first to last (all when last is -1), each on its own sheet of the device,
    // laying them out as it goes; false when the device cannot be painted on.
    bool print(QPagedPaintDevice &device, int first = 0, int last = -1);
    // Told the number of pages printed so far after each page that print() prints.
    void setPageProgress(std::function<void(int pagesPrinted)> progress) { m_pageProgress = std::move(progress); }
    bool writePdf(const QString &path);

    void setTitle(const QString &title) { m_title = title; }
    const QString &title() const { return m_title; }

private:
    ReportRun &run();

    QPageLayout m_pageLayout;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
    TDataSet *m_master = nullptr;
    QString m_title;
    std::unique_ptr<ReportRun> m_run;
    ReportPage m_emptyPage;
    std::function<void(int)> m_pageProgress;
};
