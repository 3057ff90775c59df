#pragma once

#include "reports/MeasuredBand.h"

#include <QFont>
#include <QFontMetricsF>
#include <deque>

class ReportBand;
class ReportItem;

// Fills a band with the current record's texts and measures it: data texts and labels take
// the width of their content, memos are broken into lines at their width and stretch the band.
// Keeps the metrics of the few fonts a report uses.
class BandMeasurer {
public:
    MeasuredBand measure(const ReportBand &band);

    // Free space kept under a memo that stretches its band.
    static constexpr double kMemoBottomGap = 1.0;
    // How far a text may shrink to fit its room, as a share of its designed size.
    static constexpr double kSmallestFitRatio = 0.6;

private:
    struct FontMetrics {
        ItemStyle style;
        QFont font;
        QFontMetricsF metrics;
    };

    PlacedItem measureItem(const ReportItem &item, const ReportBand &band);
    void measureText(PlacedItem &placed, const ReportItem &item, const FontMetrics &font);
    const FontMetrics &shrinkToFit(const QString &text, double room, ItemStyle &style);
    const FontMetrics &breakIntoLines(const QString &text, const ReportItem &item, ItemStyle &style,
                                      QStringList &lines);
    double roomBelow(const ReportItem &item);
    static void makeRoomBelow(MeasuredBand &band, double rowBottom, double overflow);
    static double smallestSize(const ItemStyle &style);
    static double widthOf(const FontMetrics &font, const QString &text);
    static double textHeight(const FontMetrics &font, int lineCount);
    void measureMemo(PlacedItem &placed, const ReportItem &item, const FontMetrics &font);
    const FontMetrics &metricsFor(const ItemStyle &style);

    std::deque<FontMetrics> m_fonts;  // stable addresses: references are handed out
};
