#pragma once

#include "regex/MatchCollection.h"

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

/// One capturing group of a match to draw, in UTF-16 positions of the searched text.
struct GroupRange {
    qsizetype start = 0;
    qsizetype length = 0; ///< never 0
    int group = 0;        ///< the group's number, 1 and up
    int depth = 0;        ///< how many other groups of the same match hold it

    friend bool operator==(const GroupRange&, const GroupRange&) = default;
};

/// The groups to draw for the part [from, to] of the text, cut to it: the groups of the
/// selected match (the one that starts at selStart and is selLength > 0 long), or with
/// everyMatch those of every match that overlaps [from, to). Groups that took no part or
/// matched empty are left out. A group holds another when the other lies within it and opened
/// later, as a group written inside another does. Matches are found by binary search, as in
/// highlightRanges; ranges come match by match, each match's groups in number order.
std::vector<GroupRange> groupRanges(const MatchCollection& matches, qsizetype from, qsizetype to, qsizetype selStart,
                                    qsizetype selLength, bool everyMatch);
