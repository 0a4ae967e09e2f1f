#pragma once

#include "regex/MatchCollection.h"
#include "regex/ReplacementCase.h"
#include "searchtext/TextRange.h"

#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <vector>

/// Where a search starts: after the selection when searching forward, at its start when
/// searching backward, and at 0 when that lies at or beyond the end of the text.
qsizetype searchStart(qsizetype selStart, qsizetype selLength, qsizetype textLength, bool backward);

/// The index of the match a search selects among matches.Count() > 0 matches: forward, the
/// first one that starts at or after start; backward, the last one that ends before start;
/// when none qualifies, the first (forward) or the last (backward) match of the text.
qsizetype chooseMatch(const MatchCollection& matches, qsizetype start, bool backward);

/// The index of the match that is exactly the selection [selStart, selStart + selLength),
/// among every match of the searched text; nothing when the selection is no match.
std::optional<qsizetype> matchAtSelection(const MatchCollection& matches, qsizetype selStart, qsizetype selLength);
/// The same among the matches that lie wholly inside within.
std::optional<qsizetype> matchAtSelection(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                          const TextRange& within);

/// The matches that lie wholly inside range, as the indexes [first, last) of matches: those
/// that start at or after its start and end at or before its end.
std::pair<qsizetype, qsizetype> matchesWithin(const MatchCollection& matches, const TextRange& range);

/// Writes the offsets of match as a replacement needs them: (groups + 1) pairs of start and
/// end, the whole match first; -1, -1 for a group that took no part.
void matchOffsets(const Match& match, std::span<qsizetype> offsets);

/// The same offsets, in a vector of their own.
std::vector<qsizetype> matchOffsets(const Match& match);

/// replacement expanded for match `index` of matches as Replace All expands it: $1..$99, $&,
/// $`, $', $_, $+, $$, and the case sequences with caseConversion on.
QString expandedReplacement(const MatchCollection& matches, qsizetype index, const QString& replacement,
                            CaseConversion caseConversion);

/// A match a search selected.
struct FoundMatch {
    qsizetype index = 0; ///< 0-based position of the match among the matches searched
    qsizetype count = 0; ///< number of matches searched: in the text, or in the range searched
    qsizetype firstIndex = 0;
    qsizetype length = 0;
    int subMatchCount = 0; ///< number of capturing groups of the pattern
    QString subMatchList;  ///< every group's text followed by CR LF; empty lines for groups that took no part
    /// The lines of the sub-match list that each group's text takes, in group order: one,
    /// and one more for each line break (CR LF, CR or LF) in the text.
    std::vector<int> subMatchLines;
    /// The search went past the end of the text (forward) or its start (backward) to find it.
    bool wrapped = false;
};

/// Match index of matches (0 <= index < matches.Count()) as a search that selects it shows it.
FoundMatch foundMatch(const MatchCollection& matches, qsizetype index);

/// The match a search selects among matches, every match of the searched text: the one
/// that follows (or precedes, when backward) the selection, wrapping around; nothing when
/// the text has no match.
std::optional<FoundMatch> pickMatch(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                    bool backward);
/// The same among the matches that lie wholly inside within, wrapping around at its ends: a
/// search that would start outside it starts at its start.
std::optional<FoundMatch> pickMatch(const MatchCollection& matches, qsizetype selStart, qsizetype selLength,
                                    bool backward, const TextRange& within);

/// The match that Replace All goes on to after a replacement: the first inside within that
/// starts at or after start, an empty match at the very end of the text included; when none
/// does, the first inside within, wrapping around.
std::optional<FoundMatch> pickMatchFrom(const MatchCollection& matches, qsizetype start, const TextRange& within);

/// "Match x of y", the numbers in plain decimal.
QString matchLabelText(const FoundMatch& found);
/// "Sub-Matches (n)" after a search that found a match.
QString subMatchesLabelText(const FoundMatch& found);
/// The sub-match label after a search that found nothing: "Sub-Matches".
QString subMatchesLabelNoMatchText();
