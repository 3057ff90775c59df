#include "reports/MeasuredBand.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTolerance = 1e-6;

int linesThatFit(const PlacedItem &memo, double available)
{
    if (memo.lineHeight <= 0)
        return int(memo.lines.size());
    const int fitting = int(std::floor((available - memo.rect.top() + kTolerance) / memo.lineHeight));
    return std::clamp(fitting, 0, int(memo.lines.size()));
}

PlacedItem memoPart(const PlacedItem &memo, int firstLine, int count)
{
    PlacedItem part = memo;
    part.lines = memo.lines.mid(firstLine, count);
    part.rect.setTop(memo.rect.top() + firstLine * memo.lineHeight);
    part.rect.setHeight(count * memo.lineHeight);
    return part;
}

} // namespace

MeasuredBand MeasuredBand::emptyCopy() const
{
    MeasuredBand copy;
    copy.name = name;
    copy.kind = kind;
    copy.startsNewPage = startsNewPage;
    copy.keepsWithNext = keepsWithNext;
    copy.isContinuation = isContinuation;
    return copy;
}

bool MeasuredBand::hasMemo() const
{
    return std::any_of(items.cbegin(), items.cend(), [](const PlacedItem &item) { return item.kind == ItemKind::Memo; });
}

std::optional<MeasuredBand::Parts> MeasuredBand::split(double available) const
{
    Parts parts{emptyCopy(), emptyCopy()};
    bool keepsMemoText = false;
    for (const PlacedItem &item : items) {
        if (item.kind != ItemKind::Memo) {
            (item.rect.bottom() <= available + kTolerance ? parts.head : parts.tail).items << item;
            continue;
        }
        const int fitting = linesThatFit(item, available);
        if (fitting > 0) {
            parts.head.items << memoPart(item, 0, fitting);
            keepsMemoText = true;
        }
        if (fitting < item.lines.size())
            parts.tail.items << memoPart(item, fitting, int(item.lines.size()) - fitting);
    }
    if (!keepsMemoText)
        return std::nullopt;

    parts.head.height = available;
    double offset = height;
    for (const PlacedItem &item : std::as_const(parts.tail.items))
        offset = std::min(offset, item.rect.top());
    for (PlacedItem &item : parts.tail.items)
        item.rect.translate(0, -offset);
    parts.tail.height = height - offset;
    parts.tail.startsNewPage = false;
    parts.head.keepsWithNext = false;
    parts.tail.isContinuation = true;
    return parts;
}

double MeasuredBand::leastHeight() const
{
    double memoTop = height;
    for (const PlacedItem &item : items)
        if (item.kind == ItemKind::Memo && !item.lines.isEmpty())
            memoTop = std::min(memoTop, item.rect.top());
    if (memoTop >= height)
        return height;
    double least = 0;
    for (const PlacedItem &item : items) {
        if (item.kind == ItemKind::Memo && !item.lines.isEmpty())
            least = std::max(least, item.rect.top() + item.lineHeight);
        else if (item.rect.top() < memoTop)
            least = std::max(least, item.rect.bottom());
    }
    return std::min(least, height);
}
