#pragma once

#include "regex/LiteralTrie.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

/// A pattern that is nothing but plain text alternatives (apple|river|stone, where a syntax
/// character may stand escaped, as in e\.g\.), searched without PCRE2. A few alternatives of at
/// least kPrefix code units, with few different code units at each of those places, go to a
/// vector scan for places where the first code units of some alternative could stand, then
/// a comparison of the alternatives at those places. Many alternatives, or a long pattern,
/// go to a LiteralTrie, also under Ignore Case; such a pattern may be too large for PCRE2 to
/// compile at all. The result is PCRE2's: the earliest place where one of them occurs, and
/// there the first in pattern order.
class LiteralAlternatives {
public:
    /// The alternatives of pattern, or nothing when the pattern is anything else, has an empty
    /// alternative, or is one that PCRE2 searches as fast: a few short alternatives that the
    /// vector scan cannot take.
    static std::optional<LiteralAlternatives> of(const QString& pattern, bool ignoreCase);

    /// The first match that starts at or after from: its start and end. False when none starts
    /// before last (from < last <= length), which ends the search early so that its caller
    /// regains control; a later match may still be found instead.
    bool find(const char16_t* text, qsizetype length, qsizetype from, qsizetype last, qsizetype& start,
              qsizetype& end) const;

private:
    static constexpr qsizetype kPrefix = 3;
    static constexpr std::size_t kMaxCodeUnits = 8;
    /// From this many alternatives, or this long a pattern, the trie is faster than PCRE2.
    static constexpr std::size_t kManyAlternatives = 16;
    static constexpr qsizetype kLongPattern = 1024;

    /// The texts of pattern's alternatives, or nothing when it holds any other syntax.
    static std::optional<std::vector<QString>> alternativesOf(const QString& pattern);
    /// Whether the vector scan can take alternatives: the code units of each of the first
    /// kPrefix places are gathered into mCodeUnits.
    bool gatherPrefixes(const std::vector<QString>& alternatives);

    static bool addDistinct(std::vector<char16_t>& set, char16_t c);

    /// Whether an alternative starts at p, the first in pattern order; end is where it ends.
    bool matchAt(const char16_t* text, qsizetype length, qsizetype p, qsizetype& end) const;

    std::vector<QString> mAlternatives;
    /// Set for many alternatives or Ignore Case; the vector scan's members are unused then.
    std::shared_ptr<const LiteralTrie> mTrie;
    /// The distinct code units the alternatives have at each of the first kPrefix places.
    std::array<std::vector<char16_t>, kPrefix> mCodeUnits;
};
