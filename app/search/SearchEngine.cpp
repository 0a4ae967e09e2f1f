#include "search/SearchEngine.h"

#include "search/ReplacementTemplate.h"

#include <vector>

qsizetype searchStart(qsizetype selStart, qsizetype selLength, qsizetype textLength, bool backward)
{
    qsizetype start = backward ? selStart : selStart + selLength;
    if (start >= textLength)
        start = 0;
    return start;
}

qsizetype chooseMatch(const MatchCollection& matches, qsizetype start, bool backward)
{
    const qsizetype count = matches.Count();
    Q_ASSERT(count > 0);
    // Matches come in text order and never overlap, so both their starts and their ends
    // only grow: the match is found by halving, also among millions of matches.
    const auto firstWhere = [&](auto&& reached) {
        qsizetype low = 0;
        qsizetype high = count;
        while (low < high) {
            const qsizetype middle = low + (high - low) / 2;
            if (reached(matches.Item(middle)))
                high = middle;
            else
                low = middle + 1;
        }
        return low;
    };
    if (backward) {
        const qsizetype after =
            firstWhere([start](const Match& match) { return match.FirstIndex() + match.Length() - 1 >= start; });
        return after > 0 ? after - 1 : count - 1;
    }
    const qsizetype found = firstWhere([start](const Match& match) { return match.FirstIndex() >= start; });
    return found < count ? found : 0;
}

std::optional<qsizetype> matchAtSelection(const MatchCollection& matches, qsizetype selStart, qsizetype selLength)
{
    if (matches.Count() < 1)
        return std::nullopt;
    const qsizetype index = chooseMatch(matches, selStart, false);
    const Match match = matches.Item(index);
    if (match.FirstIndex() != selStart || match.Length() != selLength)
        return std::nullopt;
    return index;
}

QString expandedReplacement(const MatchCollection& matches, qsizetype index, const QString& replacement)
{
    const Match match = matches.Item(index);
    const SubMatches groups = match.SubMatches();
    std::vector<qsizetype> offsets{match.FirstIndex(), match.FirstIndex() + match.Length()};
    for (int j = 0; j < groups.Count(); ++j) {
        const qsizetype start = groups.FirstIndex(j);
        offsets.push_back(start);
        offsets.push_back(start < 0 ? -1 : start + groups.Length(j));
    }
    QString expanded;
    ReplacementTemplate(replacement, groups.Count()).expand(expanded, matches.Text(), offsets);
    return expanded;
}

std::optional<FoundMatch> pickMatch(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                    bool backward)
{
    if (matches.Count() < 1)
        return std::nullopt;
    const qsizetype start = searchStart(selStart, selLength, matches.Text().size(), backward);

    FoundMatch found;
    found.index = chooseMatch(matches, start, backward);
    found.count = matches.Count();
    const Match match = matches.Item(found.index);
    found.firstIndex = match.FirstIndex();
    found.length = match.Length();
    const SubMatches groups = match.SubMatches();
    found.subMatchCount = groups.Count();
    for (int j = 0; j < groups.Count(); ++j)
        found.subMatchList += groups.Item(j) + QStringLiteral("\r\n");
    return found;
}

QString matchLabelText(const FoundMatch& found)
{
    return QStringLiteral("Match %1 of %2").arg(found.index + 1).arg(found.count);
}

QString subMatchesLabelText(const FoundMatch& found)
{
    return QStringLiteral("Sub-Matches (%1)").arg(found.subMatchCount);
}
