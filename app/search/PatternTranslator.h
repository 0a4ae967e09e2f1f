#pragma once

#include "search/RegExpError.h"

#include <QString>

#include <variant>
#include <vector>

/// A back-reference under Ignore Case that PCRE2 cannot fold beyond ASCII in non-UTF mode:
/// emitted as an empty marker group, a loop guarded by one callout and a check by another.
struct CaselessBackReference {
    int markerGroup = 0; ///< PCRE2 number of the empty group that marks where the reference starts
    int targetGroup = 0; ///< PCRE2 number of the referenced group
};

/// A pattern of the VBScript/JScript flavour rewritten for PCRE2 (16-bit, no UTF, no UCP).
struct TranslatedPattern {
    QString pcrePattern;
    /// Capturing groups of the original pattern.
    int groupCount = 0;
    /// PCRE2 group number of each original group (index 0 is the whole match); empty when
    /// the numbers are the same.
    std::vector<int> groupMap;
    /// Compile with PCRE2_CASELESS (folds ASCII letters; everything else is spelled out).
    bool caseless = false;
    /// The pattern holds the multiline line-start anchor, PCRE2's '^': compile with
    /// PCRE2_MULTILINE, PCRE2_ALT_CIRCUMFLEX and the newline convention PCRE2_NEWLINE_ANYCRLF.
    /// The anchor's own lookahead spells out CR and LF, so PCRE2 never skips the position
    /// between the CR and the LF of a pair when it moves on after a failed start.
    bool lineStart = false;
    /// The pattern holds a positive lookahead.
    bool lookahead = false;
    /// Callout n (1-based) belongs to entry (n - 1) / 2; odd numbers guard, even ones check.
    std::vector<CaselessBackReference> backReferences;
};

/// Parses pattern in the VBScript/JScript (ECMAScript 3) syntax and returns the equivalent
/// PCRE2 pattern, or the first error with its offset in the pattern.
///
/// Where the result deliberately differs from a JavaScript engine: a ']' first in a class is a
/// member (so "[]" is unclosed); \s is the six ASCII white-space characters; '.' excludes only
/// CR and LF; "^" and "$" treat CR, LF and CR LF as one line break each; PCRE-only syntax
/// (lookbehind, named and atomic groups, \A, \p, POSIX classes, ...) is a syntax error.
/// As in JScript, and unlike JavaScript engines today, a group inside a repeated group keeps
/// its text from an earlier repetition ("((a)|b)+" on "ab" gives group 2 "a"). A reference to
/// a group that has not closed yet where it stands (forward, or inside the group) matches empty.
std::variant<TranslatedPattern, RegExpError> translatePattern(const QString& pattern,
                                                              bool ignoreCase, bool multiline);
