#include "reports/BandMeasurer.h"

#include "reports/ReportBand.h"
#include "reports/ReportItem.h"
#include "reports/ReportUnits.h"

#include <QTextLayout>
#include <cmath>
#include <map>

using ReportUnits::toMillimetres;

namespace {

QString withoutTrailingSpace(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return text.left(end);
}

void wrapParagraph(const QString &paragraph, const QFont &font, double width, QStringList &lines)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << withoutTrailingSpace(paragraph.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
}

// Breaks a text into the lines that fit the width (in report units), keeping its own line
// breaks and blank lines; blank lines at the end are dropped.
QStringList wrapText(QString text, const QFont &font, double width)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text = withoutTrailingSpace(text);
    QStringList lines;
    if (text.isEmpty())
        return lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.trimmed().isEmpty())
            lines << QString();
        else
            wrapParagraph(paragraph, font, width, lines);
    }
    return lines;
}

bool sameFont(const ItemStyle &a, const ItemStyle &b)
{
    return a.family == b.family && a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic;
}

} // namespace

MeasuredBand BandMeasurer::measure(const ReportBand &band)
{
    MeasuredBand measured;
    measured.name = band.name();
    measured.kind = band.kind();
    measured.height = band.height();
    measured.startsNewPage = band.startsNewPage();
    measured.keepsWithNext = band.keepsWithNext();
    std::map<double, double> overflowByRow;  // the bottom of a row, how far its texts reach past it
    for (const auto &item : band.items()) {
        if (!item->isEnabled())
            continue;
        PlacedItem placed = measureItem(*item, band);
        if (placed.kind == ItemKind::Memo && !placed.lines.isEmpty())
            measured.height = std::max(measured.height, placed.rect.bottom() + kMemoBottomGap);
        else if (placed.lines.size() > 1 && item->fitHeight() <= 0)
            measured.height = std::max(measured.height, band.height() + (placed.lines.size() - 1) * placed.lineHeight);
        if (item->fitHeight() > 0) {
            const double rowBottom = item->position().y() + roomBelow(*item);
            overflowByRow[rowBottom] = std::max(overflowByRow[rowBottom], placed.rect.bottom() - rowBottom);
        }
        measured.items << placed;
    }
    // From the lowest row up, so that a row pushed down carries what it pushed with it.
    for (auto row = overflowByRow.crbegin(); row != overflowByRow.crend(); ++row)
        makeRoomBelow(measured, row->first, row->second);
    return measured;
}

// A text that overflows its row even at its smallest size pushes the items below the row,
// and the end of the band, down by as much.
void BandMeasurer::makeRoomBelow(MeasuredBand &band, double rowBottom, double overflow)
{
    if (overflow <= 0)
        return;
    for (PlacedItem &placed : band.items)
        if (placed.rect.top() >= rowBottom)
            placed.rect.translate(0, overflow);
    band.height += overflow;
}

PlacedItem BandMeasurer::measureItem(const ReportItem &item, const ReportBand &band)
{
    PlacedItem placed;
    placed.band = band.name();
    placed.bandKind = band.kind();
    placed.name = item.name();
    placed.kind = item.kind();
    placed.style = item.style();
    if (item.kind() == ItemKind::Line) {
        placed.rect = QRectF(item.position(), QSizeF(item.width(), 0));
        return placed;
    }
    const FontMetrics &font = metricsFor(item.style());
    placed.lineHeight = toMillimetres(font.metrics.lineSpacing());
    placed.ascent = toMillimetres(font.metrics.ascent());
    if (item.kind() == ItemKind::Memo)
        measureMemo(placed, item, font);
    else
        measureText(placed, item, font);
    return placed;
}

void BandMeasurer::measureText(PlacedItem &placed, const ReportItem &item, const FontMetrics &font)
{
    QString text = item.text();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const FontMetrics *used = &font;
    QStringList lines{text};
    double top = item.position().y();
    if (item.fitWidth() > 0 && widthOf(font, text) > item.fitWidth()) {
        used = &shrinkToFit(text, item.fitWidth(), placed.style);
        if (widthOf(*used, text) > item.fitWidth())
            used = &breakIntoLines(text, item, placed.style, lines);
        // A smaller text stands on the same baseline as its neighbours.
        top += placed.ascent - toMillimetres(used->metrics.ascent());
        placed.ascent = toMillimetres(used->metrics.ascent());
        placed.lineHeight = toMillimetres(used->metrics.lineSpacing());
    }
    double width = 0;
    for (const QString &line : std::as_const(lines))
        width = std::max(width, widthOf(*used, line));
    double left = item.position().x();
    if (item.width() > 0 && (item.alignment() & Qt::AlignHCenter))
        left += (item.width() - width) / 2;
    else if (item.width() > 0 && (item.alignment() & Qt::AlignRight))
        left += item.width() - width;
    placed.lines = lines;
    placed.rect = QRectF(left, top, width, textHeight(*used, int(lines.size())));
}

double BandMeasurer::widthOf(const FontMetrics &font, const QString &text)
{
    return toMillimetres(font.metrics.horizontalAdvance(text));
}

double BandMeasurer::textHeight(const FontMetrics &font, int lineCount)
{
    return toMillimetres(font.metrics.height() + std::max(0, lineCount - 1) * font.metrics.lineSpacing());
}

// The largest size, in tenths of a point, at which the text fits the room; never below the
// smallest size, where a text that still does not fit is left for breakIntoLines.
const BandMeasurer::FontMetrics &BandMeasurer::shrinkToFit(const QString &text, double room, ItemStyle &style)
{
    const double smallest = smallestSize(style);
    const double natural = widthOf(metricsFor(style), text);
    double size = std::floor(style.pointSize * room / natural * 10) / 10;
    for (;; size -= 0.1) {
        ItemStyle candidate = style;
        candidate.pointSize = std::max(size, smallest);
        const FontMetrics &metrics = metricsFor(candidate);
        if (candidate.pointSize <= smallest || widthOf(metrics, text) <= room) {
            style = candidate;
            return metrics;
        }
    }
}

// A row always has room for one line of its own size, however tightly it is laid out.
double BandMeasurer::roomBelow(const ReportItem &item)
{
    return std::max(item.fitHeight(), textHeight(metricsFor(item.style()), 1));
}

double BandMeasurer::smallestSize(const ItemStyle &style)
{
    return std::ceil(style.pointSize * kSmallestFitRatio * 10) / 10;
}

// Breaks a text that is too wide for its room even at the smallest size into lines. The style
// comes in at that smallest size and leaves at the size chosen.
const BandMeasurer::FontMetrics &BandMeasurer::breakIntoLines(const QString &text, const ReportItem &item,
                                                              ItemStyle &style, QStringList &lines)
{
    const double room = item.fitWidth();
    const FontMetrics &designed = metricsFor(item.style());
    if (item.fitHeight() <= 0) {
        style = item.style();
        lines = wrapText(text, designed.font, ReportUnits::toUnits(room));
        return designed;
    }
    const double smallest = style.pointSize;
    for (double size = item.style().pointSize; size > smallest; size -= 0.1) {
        ItemStyle candidate = style;
        candidate.pointSize = std::round(size * 10) / 10;
        const FontMetrics &metrics = metricsFor(candidate);
        const QStringList wrapped = wrapText(text, metrics.font, ReportUnits::toUnits(room));
        const double lowered = toMillimetres(designed.metrics.ascent() - metrics.metrics.ascent());
        if (lowered + textHeight(metrics, int(wrapped.size())) <= roomBelow(item)) {
            style = candidate;
            lines = wrapped;
            return metrics;
        }
    }
    // Even the smallest lines overflow the room: measure() moves what lies below out of their way.
    lines = wrapText(text, metricsFor(style).font, ReportUnits::toUnits(room));
    return metricsFor(style);
}

void BandMeasurer::measureMemo(PlacedItem &placed, const ReportItem &item, const FontMetrics &font)
{
    placed.lines = wrapText(item.text(), font.font, ReportUnits::toUnits(item.width()));
    placed.rect = QRectF(item.position(), QSizeF(item.width(), placed.lines.size() * placed.lineHeight));
}

const BandMeasurer::FontMetrics &BandMeasurer::metricsFor(const ItemStyle &style)
{
    for (const FontMetrics &known : m_fonts)
        if (sameFont(known.style, style))
            return known;
    const QFont font = style.font();
    m_fonts.push_back({style, font, QFontMetricsF(font)});
    return m_fonts.back();
}
