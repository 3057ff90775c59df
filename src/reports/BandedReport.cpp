#include "reports/BandedReport.h"

#include "data/RegularFile.h"

#include "reports/PageRenderer.h"
#include "reports/ReportRun.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

BandedReport::BandedReport()
    : m_pageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter)
{
}

BandedReport::~BandedReport() = default;

void BandedReport::setPage(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                           const QMarginsF &margins)
{
    m_pageLayout = QPageLayout(QPageSize(paper), orientation, margins, QPageLayout::Millimeter);
    restart();
}

QSizeF BandedReport::paperSize() const
{
    return m_pageLayout.fullRect(QPageLayout::Millimeter).size();
}

QRectF BandedReport::bodyRect() const
{
    return m_pageLayout.paintRect(QPageLayout::Millimeter);
}

ReportBand &BandedReport::addBand(BandKind kind, const QString &name, double height)
{
    m_bands.push_back(std::make_unique<ReportBand>(kind, name, height));
    restart();
    return *m_bands.back();
}

ReportBand *BandedReport::band(const QString &name) const
{
    for (const auto &band : m_bands)
        if (band->name() == name)
            return band.get();
    return nullptr;
}

QList<const ReportBand *> BandedReport::bandsOf(BandKind kind) const
{
    QList<const ReportBand *> result;
    for (const auto &band : m_bands)
        if (band->kind() == kind)
            result << band.get();
    return result;
}

void BandedReport::restart()
{
    m_run.reset();
}

ReportRun &BandedReport::run()
{
    if (!m_run)
        m_run = std::make_unique<ReportRun>(*this);
    return *m_run;
}

int BandedReport::pageCount()
{
    return run().layOutAll();
}

bool BandedReport::hasPage(int index)
{
    return run().layOutPage(index);
}

const ReportPage &BandedReport::page(int index)
{
    return hasPage(index) ? run().page(index) : m_emptyPage;
}

void BandedReport::renderPage(QPainter &painter, int index)
{
    PageRenderer::render(painter, page(index));
}

bool BandedReport::print(QPagedPaintDevice &device, int first, int last)
{
    first = std::max(first, 0);
    // The renderer places everything from the paper's corner, so the device gets no margins.
    device.setPageLayout(QPageLayout(m_pageLayout.pageSize(), m_pageLayout.orientation(), QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // A report always has its first page, if only an empty one.
    for (int index = first; (last < 0 || index <= last) && (index == 0 || hasPage(index)); ++index) {
        if (index > first)
            device.newPage();
        renderPage(painter, index);
        if (m_pageProgress)
            m_pageProgress(index - first + 1);
    }
    return painter.end();
}

// The file is opened here, so one that cannot be written is a plain failure for the caller to
// report, not a warning of the painter first; a folder, a pipe or a device is never opened.
bool BandedReport::writePdf(const QString &path)
{
    QFile file(path);
    if (!RegularFile::problem(path).isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Platewright"));
    writer.setTitle(m_title);
    const bool printed = print(writer);
    file.close();
    return printed && file.error() == QFileDevice::NoError;
}
