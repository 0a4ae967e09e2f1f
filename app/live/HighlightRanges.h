#pragma once

#include "search/MatchCollection.h"

#include <QtGlobal>

#include <vector>

/// How one match is drawn.
enum class HighlightKind {
    Match,    ///< a match of one character or more
    Selected, ///< the match that is selected in the text
    Empty,    ///< a zero-length match, drawn as a thin marker at its position
};

/// One range to draw, in UTF-16 positions of the searched text.
struct HighlightRange {
    qsizetype start = 0;
    qsizetype length = 0; ///< 0 exactly for HighlightKind::Empty
    HighlightKind kind = HighlightKind::Match;

    friend bool operator==(const HighlightRange&, const HighlightRange&) = default;
};

/// The ranges to draw for the part [from, to] of the text: every non-empty match that
/// overlaps [from, to), cut to it, and every zero-length match at a position from..to.
/// The match that starts at selStart and is selLength long (selLength > 0) is Selected.
/// Matches are found by binary search, so the cost depends on the matches in the range,
/// not on the size of the collection. Ranges come in text order.
std::vector<HighlightRange> highlightRanges(const MatchCollection& matches, qsizetype from, qsizetype to,
                                            qsizetype selStart, qsizetype selLength);
