#pragma once

#include "search/RegExp.h"

#include <QString>

#include <atomic>
#include <variant>

/// Where a search starts: after the selection when searching forward, at its start when
/// searching backward, and at 0 when that lies at or beyond the end of the text.
qsizetype searchStart(qsizetype selStart, qsizetype selLength, qsizetype textLength, bool backward);

/// The index of the match a search selects among matches.Count() > 0 matches: forward, the
/// first one that starts at or after start; backward, the last one that ends before start;
/// when none qualifies, the first (forward) or the last (backward) match of the text.
qsizetype chooseMatch(const MatchCollection& matches, qsizetype start, bool backward);

/// Hands pattern and case option to expression, each only when it differs from what the
/// expression holds, so an unchanged pattern is not compiled again.
void applySearchOptions(RegExp& expression, const QString& pattern, bool ignoreCase);

/// A match a search selected.
struct FoundMatch {
    qsizetype index = 0; ///< 0-based position of the match among all matches
    qsizetype count = 0; ///< number of matches in the text
    qsizetype firstIndex = 0;
    qsizetype length = 0;
    int subMatchCount = 0; ///< number of capturing groups of the pattern
    QString subMatchList;  ///< every group's text followed by CR LF; empty lines for groups that took no part
};

struct NoMatch {};

using SearchOutcome = std::variant<FoundMatch, NoMatch, RegExpError>;

/// Runs expression (with the given pattern and case option) over the whole text and picks
/// the match that follows (or precedes, when backward) the selection, wrapping around.
/// A raised cancel flag ends the search with RegExpError::Cancelled.
SearchOutcome findMatch(RegExp& expression, const QString& pattern, bool ignoreCase, const QString& text,
                        qsizetype selStart, qsizetype selLength, bool backward,
                        const std::atomic_bool* cancel = nullptr);

/// "Match x of y", the numbers in plain decimal.
QString matchLabelText(const FoundMatch& found);
/// "Sub-Matches (n)" after a search that found a match.
QString subMatchesLabelText(const FoundMatch& found);
/// The sub-match label after a search that found nothing.
inline const QString kSubMatchesLabelNoMatch = QStringLiteral("Sub-Matches");
