#include "search/SearchEngine.h"

#include "regex/ReplacementTemplate.h"

#include <QCoreApplication>

#include <algorithm>

qsizetype searchStart(qsizetype selStart, qsizetype selLength, qsizetype textLength, bool backward)
{
    qsizetype start = backward ? selStart : selStart + selLength;
    if (start >= textLength)
        start = 0;
    return start;
}

namespace {

struct SearchEngineTexts {
    Q_DECLARE_TR_FUNCTIONS(SearchEngineTexts)
};

/// The first index in [low, high) whose match has reached, or high when none has. Matches come
/// in text order and never overlap, so both their starts and their ends only grow: once a
/// match has reached a position, every later one has too, and the index is found by halving,
/// also among millions of matches.
template <typename Reached>
qsizetype firstWhere(const MatchCollection& matches, qsizetype low, qsizetype high, Reached reached)
{
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (reached(matches.Item(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

/// chooseMatch among the matches [first, last), first < last.
qsizetype chooseAmong(const MatchCollection& matches, qsizetype first, qsizetype last, qsizetype start, bool backward)
{
    Q_ASSERT(first < last);
    if (backward) {
        const qsizetype after = firstWhere(matches, first, last, [start](const Match& match) {
            return match.FirstIndex() + match.Length() - 1 >= start;
        });
        return after > first ? after - 1 : last - 1;
    }
    const qsizetype found =
        firstWhere(matches, first, last, [start](const Match& match) { return match.FirstIndex() >= start; });
    return found < last ? found : first;
}

TextRange wholeText(const MatchCollection& matches)
{
    return {0, matches.Text().size()};
}

/// The lines a text takes in a list: one, and one more for each CR LF, lone CR or lone LF.
int linesOf(const QString& text)
{
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text.at(i + 1) != u'\n')))
            ++lines;
    }
    return lines;
}

/// Match index of matches, numbered among the matches [first, last) that were searched.
FoundMatch foundAmong(const MatchCollection& matches, qsizetype index, qsizetype first, qsizetype last)
{
    FoundMatch found;
    found.index = index - first;
    found.count = last - first;
    const Match match = matches.Item(index);
    found.firstIndex = match.FirstIndex();
    found.length = match.Length();
    const SubMatches groups = match.SubMatches();
    found.subMatchCount = groups.Count();
    for (int j = 0; j < groups.Count(); ++j) {
        const QString value = groups.Item(j);
        found.subMatchList += value + QStringLiteral("\r\n");
        found.subMatchLines.push_back(linesOf(value));
    }
    return found;
}

} // namespace

qsizetype chooseMatch(const MatchCollection& matches, qsizetype start, bool backward)
{
    Q_ASSERT(matches.Count() > 0);
    return chooseAmong(matches, 0, matches.Count(), start, backward);
}

std::pair<qsizetype, qsizetype> matchesWithin(const MatchCollection& matches, const TextRange& range)
{
    const qsizetype count = matches.Count();
    const qsizetype first =
        firstWhere(matches, 0, count, [&range](const Match& match) { return match.FirstIndex() >= range.start; });
    const qsizetype last = firstWhere(matches, first, count, [&range](const Match& match) {
        return match.FirstIndex() + match.Length() > range.end();
    });
    return {first, last};
}

std::optional<qsizetype> matchAtSelection(const MatchCollection& matches, qsizetype selStart, qsizetype selLength)
{
    return matchAtSelection(matches, selStart, selLength, wholeText(matches));
}

std::optional<qsizetype> matchAtSelection(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                          const TextRange& within)
{
    const auto [first, last] = matchesWithin(matches, within);
    if (first == last)
        return std::nullopt;
    const qsizetype index = chooseAmong(matches, first, last, selStart, false);
    const Match match = matches.Item(index);
    if (match.FirstIndex() != selStart || match.Length() != selLength)
        return std::nullopt;
    return index;
}

void matchOffsets(const Match& match, std::span<qsizetype> offsets)
{
    const SubMatches groups = match.SubMatches();
    Q_ASSERT(offsets.size() == 2 * (std::size_t(groups.Count()) + 1));
    offsets[0] = match.FirstIndex();
    offsets[1] = match.FirstIndex() + match.Length();
    for (int j = 0; j < groups.Count(); ++j) {
        const qsizetype start = groups.FirstIndex(j);
        offsets[2 * std::size_t(j) + 2] = start;
        offsets[2 * std::size_t(j) + 3] = start < 0 ? -1 : start + groups.Length(j);
    }
}

std::vector<qsizetype> matchOffsets(const Match& match)
{
    std::vector<qsizetype> offsets(2 * (std::size_t(match.SubMatches().Count()) + 1));
    matchOffsets(match, offsets);
    return offsets;
}

QString expandedReplacement(const MatchCollection& matches, qsizetype index, const QString& replacement,
                            CaseConversion caseConversion)
{
    QString expanded;
    ReplacementTemplate(replacement, matches.GroupCount(), caseConversion)
        .expand(expanded, matches.Text(), matchOffsets(matches.Item(index)));
    return expanded;
}

FoundMatch foundMatch(const MatchCollection& matches, qsizetype index)
{
    return foundAmong(matches, index, 0, matches.Count());
}

std::optional<FoundMatch> pickMatch(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                    bool backward)
{
    return pickMatch(matches, selStart, selLength, backward, wholeText(matches));
}

std::optional<FoundMatch> pickMatch(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                    bool backward, const TextRange& within)
{
    const auto [first, last] = matchesWithin(matches, within);
    if (first == last)
        return std::nullopt;
    qsizetype start = searchStart(selStart, selLength, within.end(), backward);
    if (start < within.start)
        start = within.start;
    FoundMatch found = foundAmong(matches, chooseAmong(matches, first, last, start, backward), first, last);
    // Judged from the selection rather than from the start: a caret at the very end that
    // searches backward and selects the last match has not gone around anything.
    found.wrapped = backward ? found.firstIndex + found.length - 1 >= selStart
                             : found.firstIndex < selStart + selLength;
    return found;
}

std::optional<FoundMatch> pickMatchFrom(const MatchCollection& matches, qsizetype start, const TextRange& within)
{
    const auto [first, last] = matchesWithin(matches, within);
    if (first == last)
        return std::nullopt;
    FoundMatch found =
        foundAmong(matches, chooseAmong(matches, first, last, std::max(start, within.start), false), first, last);
    found.wrapped = found.firstIndex < start;
    return found;
}

QString matchLabelText(const FoundMatch& found)
{
    return SearchEngineTexts::tr("Match %1 of %2").arg(found.index + 1).arg(found.count);
}

QString subMatchesLabelNoMatchText()
{
    return SearchEngineTexts::tr("Sub-Matches");
}

QString subMatchesLabelText(const FoundMatch& found)
{
    return SearchEngineTexts::tr("Sub-Matches (%1)").arg(found.subMatchCount);
}
