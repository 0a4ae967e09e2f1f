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

/// Appends the groups of match that overlap [from, to) to ranges, cut to it.
void appendGroups(std::vector<GroupRange>& ranges, const Match& match, qsizetype from, qsizetype to)
{
    const SubMatches groups = match.SubMatches();
    // The spans of the groups that may hold the next one, outermost first.
    std::vector<std::pair<qsizetype, qsizetype>> holders;
    for (int j = 0; j < groups.Count(); ++j) {
        const qsizetype start = groups.FirstIndex(j);
        const qsizetype end = start + groups.Length(j);
        if (start < 0 || end == start)
            continue;
        while (!holders.empty() && (start < holders.back().first || end > holders.back().second))
            holders.pop_back();
        const int depth = static_cast<int>(holders.size());
        holders.emplace_back(start, end);
        const qsizetype shownStart = std::max(start, from);
        const qsizetype shownEnd = std::min(end, to);
        if (shownStart < shownEnd)
            ranges.push_back({shownStart, shownEnd - shownStart, j + 1, depth});
    }
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

std::vector<GroupRange> groupRanges(const MatchCollection& matches, qsizetype from, qsizetype to, qsizetype selStart,
                                    qsizetype selLength, bool everyMatch)
{
    std::vector<GroupRange> ranges;
    if (to < from || matches.GroupCount() == 0)
        return ranges;
    if (!everyMatch) {
        if (selLength <= 0)
            return ranges;
        // The only match that can end at or after the selection's end and be the selection.
        const qsizetype i = firstEndingFrom(matches, selStart + selLength);
        if (i < matches.Count()) {
            const Match match = matches.Item(i);
            if (match.FirstIndex() == selStart && match.Length() == selLength)
                appendGroups(ranges, match, from, to);
        }
        return ranges;
    }
    for (qsizetype i = firstEndingFrom(matches, from); i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        if (match.FirstIndex() > to)
            break;
        appendGroups(ranges, match, from, to);
    }
    return ranges;
}
