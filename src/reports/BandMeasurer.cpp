#include "reports/BandMeasurer.h"

#include "reports/ReportBand.h"
#include "reports/ReportItem.h"
#include "reports/ReportUnits.h"

#include <QTextLayout>
#include <cmath>

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
    for (const auto &item : band.items()) {
        if (!item->isEnabled())
            continue;
        PlacedItem placed = measureItem(*item, band);
        if (placed.kind == ItemKind::Memo && !placed.lines.isEmpty())
            measured.height = std::max(measured.height, placed.rect.bottom() + kMemoBottomGap);
        measured.items << placed;
    }
    return measured;
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
    double width = toMillimetres(font.metrics.horizontalAdvance(text));
    double top = item.position().y();
    if (item.fitWidth() > 0 && width > item.fitWidth()) {
        used = &shrinkToFit(text, item.fitWidth(), placed.style);
        width = toMillimetres(used->metrics.horizontalAdvance(text));
        // The smaller text stands on the same baseline as its neighbours.
        top += placed.ascent - toMillimetres(used->metrics.ascent());
        placed.ascent = toMillimetres(used->metrics.ascent());
        placed.lineHeight = toMillimetres(used->metrics.lineSpacing());
    }
    double left = item.position().x();
    if (item.width() > 0 && (item.alignment() & Qt::AlignHCenter))
        left += (item.width() - width) / 2;
    else if (item.width() > 0 && (item.alignment() & Qt::AlignRight))
        left += item.width() - width;
    placed.lines = QStringList{text};
    placed.rect = QRectF(left, top, width, toMillimetres(used->metrics.height()));
}

// The largest size, in tenths of a point, at which the text fits the room; never below the
// smallest size, where a text that still does not fit runs on rather than being cut.
const BandMeasurer::FontMetrics &BandMeasurer::shrinkToFit(const QString &text, double room, ItemStyle &style)
{
    const double smallest = std::ceil(style.pointSize * kSmallestFitRatio * 10) / 10;
    const double natural = toMillimetres(metricsFor(style).metrics.horizontalAdvance(text));
    double size = std::floor(style.pointSize * room / natural * 10) / 10;
    for (;; size -= 0.1) {
        ItemStyle candidate = style;
        candidate.pointSize = std::max(size, smallest);
        const FontMetrics &metrics = metricsFor(candidate);
        if (candidate.pointSize <= smallest || toMillimetres(metrics.metrics.horizontalAdvance(text)) <= room) {
            style = candidate;
            return metrics;
        }
    }
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
