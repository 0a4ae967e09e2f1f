#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

/// A pattern that is nothing but plain text alternatives ("apple|river|stone"), searched
/// without PCRE2: a vector scan for places where the first code units of some alternative
/// could stand (each of the first kPrefix code units one that some alternative has there),
/// then a comparison of the alternatives at those places. The result is PCRE2's: the earliest
/// place where one of them occurs, and there the first in pattern order.
class LiteralAlternatives {
public:
    /// The alternatives of pattern, or nothing when the pattern is anything else or this
    /// search would not pay: Ignore Case, an alternative shorter than kPrefix code units, or
    /// more than kMaxCodeUnits different code units at one of those places.
    static std::optional<LiteralAlternatives> of(const QString& pattern, bool ignoreCase);

    /// The first match at or after from: its start and end, or false when there is none.
    bool find(const char16_t* text, qsizetype length, qsizetype from, qsizetype& start,
              qsizetype& end) const;

private:
    static constexpr qsizetype kPrefix = 3;
    static constexpr std::size_t kMaxCodeUnits = 8;

    static bool addDistinct(std::vector<char16_t>& set, char16_t c);

    /// Whether an alternative starts at p, the first in pattern order; end is where it ends.
    bool matchAt(const char16_t* text, qsizetype length, qsizetype p, qsizetype& end) const;

    std::vector<QString> mAlternatives;
    /// The distinct code units the alternatives have at each of the first kPrefix places.
    std::array<std::vector<char16_t>, kPrefix> mCodeUnits;
};
