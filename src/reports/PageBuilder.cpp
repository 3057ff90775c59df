#include "reports/PageBuilder.h"

#include <utility>

namespace {

constexpr double kTolerance = 1e-6;

} // namespace

PageBuilder::PageBuilder(const QRectF &body) : m_body(body) {}

void PageBuilder::startPage()
{
    m_pages.emplace_back();
    m_cursor = 0;
}

void PageBuilder::place(const MeasuredBand &band)
{
    const double top = m_body.top() + m_cursor;
    m_pages.back().bands << PlacedBand{band.name, band.kind, top, band.height, band.isContinuation};
    for (PlacedItem item : band.items) {
        item.rect.translate(m_body.left(), top);
        m_pages.back().items << item;
    }
    m_cursor += band.height;
}

void PageBuilder::add(MeasuredBand band)
{
    if (band.keepsWithNext) {
        m_held << band;
        return;
    }
    if (!m_held.isEmpty() && band.startsNewPage) {
        // The page break goes before the headings that belong to the band.
        m_held.first().startsNewPage = true;
        band.startsNewPage = false;
    }
    releaseHeldBands(band);
    flow(std::move(band));
}

void PageBuilder::releaseHeldBands(const MeasuredBand &next)
{
    if (m_held.isEmpty())
        return;
    if (m_pages.empty())
        startPage();
    double needed = next.leastHeight();
    for (const MeasuredBand &held : std::as_const(m_held))
        needed += held.height;
    if (hasContentOnPage() && needed > available() + kTolerance && needed <= m_body.height())
        startPage();
    const QList<MeasuredBand> held = std::exchange(m_held, {});
    for (const MeasuredBand &band : held)
        flow(band);
}

void PageBuilder::flow(MeasuredBand band)
{
    if (m_pages.empty())
        startPage();
    if (band.startsNewPage && hasContentOnPage())
        startPage();
    for (;;) {
        if (band.height <= available() + kTolerance) {
            place(band);
            return;
        }
        if (band.hasMemo()) {
            if (auto parts = band.split(available())) {
                place(parts->head);
                if (parts->tail.items.isEmpty())
                    return;
                startPage();
                band = std::move(parts->tail);
                continue;
            }
        }
        if (hasContentOnPage()) {
            startPage();
            continue;
        }
        place(band);  // taller than a page with nothing to break it at: it runs over the margin
        return;
    }
}

void PageBuilder::finish()
{
    const QList<MeasuredBand> held = std::exchange(m_held, {});
    for (const MeasuredBand &band : held)
        flow(band);
    if (m_pages.empty())
        startPage();
    m_finished = true;
}

int PageBuilder::finishedPageCount() const
{
    if (m_finished)
        return int(m_pages.size());
    return std::max(0, int(m_pages.size()) - 1);
}
