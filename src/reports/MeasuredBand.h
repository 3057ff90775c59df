#pragma once

#include "reports/ReportPage.h"

#include <optional>
#include <utility>

// A band filled with the current record's data and measured: its items are placed relative
// to the band's top, memos broken into lines and the height stretched to hold them.
class MeasuredBand {
public:
    QString name;
    BandKind kind = BandKind::Detail;
    double height = 0;
    bool startsNewPage = false;
    bool keepsWithNext = false;
    bool isContinuation = false;
    QList<PlacedItem> items;

    struct Parts;
    // Cuts the band so that its first part is at most `available` high: whole items that fit
    // and as many memo lines as fit stay, the rest moves up into the second part. Empty when
    // not even one line of a memo would stay, so that headings are not left alone.
    std::optional<Parts> split(double available) const;

    bool hasMemo() const;
    // The least of the band that has to go on a page: all of it, or for a band with a memo
    // what lies above the memo and its first line.
    double leastHeight() const;

private:
    MeasuredBand emptyCopy() const;
};

struct MeasuredBand::Parts {
    MeasuredBand head;
    MeasuredBand tail;  // no items when only blank space was left over
};
