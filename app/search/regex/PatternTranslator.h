#pragma once

#include "regex/PatternParts.h"
#include "regex/RegExpError.h"
#include "regex/RegExpResult.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

/// A back-reference that PCRE2 cannot take as it stands: under Ignore Case (PCRE2 without UTF
/// folds only ASCII) or to a group the translation holds in several copies. Emitted as an empty
/// marker group and a loop guarded by one callout, then checked by another.
struct CalloutBackReference {
    int markerGroup = 0; ///< PCRE2 number of the empty group that marks where the reference starts
    int group = 0;       ///< the referenced group, as the original pattern numbers it
    bool caseless = false;
};

/// What one callout of the translated pattern does. Callout n (1 to 255 as PCRE2 numbers them,
/// beyond that the string "n") is entry n - 1 of TranslatedPattern::callouts.
struct PatternCallout {
    enum Kind : std::uint8_t {
        BackReferenceGuard, ///< the reference's loop may take one more code unit
        BackReferenceCheck, ///< the reference compares what it took
        IterationCheck,     ///< an iteration of a guarded repetition ends: it fails when empty
        /// Before and after a repeat that goes over again what the repeat before it gave back:
        /// counts the code units passed since the last such callout (see ScanMeter).
        ScanMeter,
    };
    Kind kind = BackReferenceGuard;
    int index = 0; ///< the entry of backReferences or iterationMarkers; 0 for ScanMeter
};

/// A text that every match contains, and where a match holding it can start: between
/// maxPrefix (when bounded) and minPrefix code units before it and, when prefixLineFree, not
/// before the line it stands on (the part of a match before it never holds CR or LF).
struct RequiredLiteral {
    QString text;
    quint64 minPrefix = 0;
    std::optional<quint64> maxPrefix;
    bool prefixLineFree = false;
    /// Under Ignore Case: an ASCII letter of text also stands for its other case, which is its
    /// only case form; the other characters of text have none.
    bool caseless = false;
};

/// Where a stretch of the PCRE2 pattern comes from: from pcreOffset up to the next mark, it
/// stands for length code units of the original pattern at offset (an atom with its
/// quantifier, a group's opening, a group's end with its quantifier, an alternation bar, an
/// anchor).
struct SourceMark {
    qsizetype pcreOffset = 0;
    qsizetype offset = 0;
    qsizetype length = 0;
};

/// A pattern of the VBScript/JScript flavour rewritten for PCRE2 (16-bit, no UTF, no UCP).
struct TranslatedPattern {
    QString pcrePattern;
    /// Capturing groups of the original pattern.
    int groupCount = 0;
    /// PCRE2 group number of each original group (index 0 is the whole match); empty when
    /// the numbers are the same.
    std::vector<int> groupMap;
    /// Every PCRE2 copy of each original group that a repetition holds twice (see
    /// PatternCallouts.h for which one holds the group's text); an empty entry for the others,
    /// and no entries when there are none.
    std::vector<std::vector<int>> groupCopies;
    /// Compile with PCRE2_CASELESS (folds ASCII letters; everything else is spelled out).
    bool caseless = false;
    /// The pattern holds the multiline line-start anchor, PCRE2's '^': compile with
    /// PCRE2_MULTILINE, PCRE2_ALT_CIRCUMFLEX and the newline convention PCRE2_NEWLINE_ANYCRLF.
    /// The anchor's own lookahead spells out CR and LF, so PCRE2 never skips the position
    /// between the CR and the LF of a pair when it moves on after a failed start.
    bool lineStart = false;
    /// The pattern holds a positive lookahead.
    bool lookahead = false;
    /// An atom repeated without bound follows a group of alternatives. PCRE2's JIT (10.42)
    /// then records where the repetition failed and fails it again when a shorter
    /// alternative reaches it at an earlier place from the same start ("(?:ab|a)x*b" on "ab"
    /// finds nothing): compile with PCRE2_NO_START_OPTIMIZE, which turns that record off.
    bool repeatAfterAlternatives = false;
    std::vector<PatternCallout> callouts;
    std::vector<CalloutBackReference> backReferences;
    /// For each repetition whose empty iterations fail, the PCRE2 number of the empty group
    /// that marks where the current iteration started.
    std::vector<int> iterationMarkers;
    /// The longest run of exact characters in the pattern's one top-level sequence, when a
    /// match holding it can only start within a bounded distance before it or on its line.
    std::optional<RequiredLiteral> requiredLiteral;
    /// The pattern is requiredLiteral's text and nothing else: every match is one place of it.
    bool literalOnly = false;
    /// Neither a match nor what a lookahead looks at can hold CR or LF, so each match lies
    /// within one line and is decided by that line and its line break alone.
    bool lineBound = false;
    /// Every match takes at least one code unit, and neither a match nor what a lookahead
    /// looks at can hold a code unit of 0x80 or above: the matches are the same wherever such
    /// code units stand, whatever they are and however many.
    bool asciiOnly = false;
    /// Ascending pcreOffset; only translateWithSourceMap fills it.
    std::vector<SourceMark> sourceMap;
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
///
/// Repetitions follow ECMAScript's rule for empty iterations, which PCRE2 lacks: once the
/// minimum count is met, an iteration that matches empty fails and the atom is backtracked into
/// ("(?:|a)*" on "aaa" matches "aaa"). Where that can change the result, the atom a{n,m} is
/// written as a{n} followed by a second copy a{0,m-n} whose iterations a callout fails when
/// they are empty.
///
/// When parts is given, it receives the parts of the pattern as this parse reads them (up to
/// the error, when there is one).
RegExpResult<TranslatedPattern> translatePattern(const QString& pattern, bool ignoreCase, bool multiline,
                                                 std::vector<PatternPart>* parts = nullptr);

/// As translatePattern, with the source map filled: for tracing the engine's steps back to
/// the parts of the pattern.
RegExpResult<TranslatedPattern> translateWithSourceMap(const QString& pattern, bool ignoreCase, bool multiline);

/// The mark that the PCRE2 pattern position pcreOffset lies under, or null before the first.
const SourceMark* sourceOf(const TranslatedPattern& pattern, qsizetype pcreOffset);
