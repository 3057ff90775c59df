#pragma once

#include "reports/ItemStyle.h"
#include "reports/ReportBand.h"
#include "reports/ReportItem.h"

#include <QList>
#include <QRectF>
#include <QStringList>

// An item as it is drawn: its text already broken into lines and its place fixed, in
// millimetres from the page's top left corner (from the band's while a band is measured).
struct PlacedItem {
    QString band;
    BandKind bandKind = BandKind::Detail;
    QString name;
    ItemKind kind = ItemKind::Label;
    QRectF rect;
    QStringList lines;
    double lineHeight = 0;  // distance between the tops of two lines
    double ascent = 0;      // from the top of a line to its baseline
    ItemStyle style;

    QString text() const { return lines.join(QLatin1Char('\n')); }
};

// A band as placed on a page; a band that went on from the previous page is a continuation.
struct PlacedBand {
    QString name;
    BandKind kind = BandKind::Detail;
    double top = 0;
    double height = 0;
    bool isContinuation = false;
};

// Everything one page shows, in drawing order: what the renderer paints and tests inspect.
class ReportPage {
public:
    QList<PlacedBand> bands;
    QList<PlacedItem> items;

    // The items of that name, in drawing order.
    QList<PlacedItem> itemsNamed(const QString &name) const;
    // The texts of the items of that name, in drawing order.
    QStringList textsOf(const QString &name) const;
    bool isEmpty() const { return bands.isEmpty(); }
};
