#pragma once

#include <QString>

#include <vector>

/// A repeat of the pattern that can match the same text in many ways, so that a search that
/// fails near such text may try every way before it gives up.
struct AmbiguityWarning {
    enum Kind {
        NestedRepeat,           ///< a repeat inside a repeat, as in (a+)+
        OverlappingAlternatives ///< alternatives that can match the same text, repeated, as in (a|aa)*
    };
    Kind kind = NestedRepeat;
    /// The outer repeat: its atom and quantifier, in UTF-16 code units of the pattern.
    qsizetype offset = 0;
    qsizetype length = 0;

    /// A short warning for the user.
    QString text() const;
};

/// The repeats of pattern (read under ignoreCase) that can match the same text in many ways;
/// nothing for a pattern that does not compile. A quick look at the pattern's shape for the
/// user while typing, not a proof: it looks for repeats without bound around a repeat
/// without bound that nothing else of the iteration has to match, two such repeats of
/// common characters side by side, or alternatives that can start with the same character
/// (or, when all are plain text, that can spell the same text in two ways).
std::vector<AmbiguityWarning> findAmbiguity(const QString& pattern, bool ignoreCase);
