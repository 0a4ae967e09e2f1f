#include "live/HighlightRanges.h"

#include <algorithm>

namespace {

/// The index of the first match that ends at or after position, in a collection whose
/// matches neither overlap nor go backwards (as one global run leaves them).
qsizetype firstEndingFrom(const MatchCollection& matches, qsizetype position)
{
    qsizetype low = 0;
    qsizetype high = matches.Count();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const Match match = matches.Item(middle);
        if (match.FirstIndex() + match.Length() < position)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

std::vector<HighlightRange> highlightRanges(const MatchCollection& matches, qsizetype from, qsizetype to,
                                            qsizetype selStart, qsizetype selLength)
{
    std::vector<HighlightRange> ranges;
    if (to < from)
        return ranges;
    const qsizetype count = matches.Count();
    for (qsizetype i = firstEndingFrom(matches, from); i < count; ++i) {
        const Match match = matches.Item(i);
        const qsizetype start = match.FirstIndex();
        const qsizetype end = start + match.Length();
        if (start > to)
            break;
        if (start == end) {
            ranges.push_back({start, 0, HighlightKind::Empty});
            continue;
        }
        const qsizetype shownStart = std::max(start, from);
        const qsizetype shownEnd = std::min(end, to);
        if (shownStart >= shownEnd)
            continue;
        const bool selected = selLength > 0 && start == selStart && end - start == selLength;
        ranges.push_back({shownStart, shownEnd - shownStart, selected ? HighlightKind::Selected : HighlightKind::Match});
    }
    return ranges;
}
