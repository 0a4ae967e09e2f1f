#pragma once

#include <QtGlobal>

#include <cstdint>
#include <optional>

/// One part of a pattern as the translator reads it. The translator reports the parts in the
/// order of the pattern: a group's and a class's parts come between its start and its end, a
/// quantifier right after the atom it repeats. Offset and length are in UTF-16 code units of
/// the pattern.
struct PatternPart {
    enum Kind : std::uint8_t {
        GroupStart,    ///< "(", "(?:", "(?=" or "(?!", as group says
        GroupEnd,      ///< the ")" of the innermost open group
        Alternation,   ///< "|"
        Anchor,        ///< "^", "$", "\b" or "\B"
        Character,     ///< one character, written as itself or as an escape
        AnyCharacter,  ///< "."
        CharacterSet,  ///< "\d", "\D", "\w", "\W", "\s" or "\S", in a class or outside
        BackReference, ///< a decimal escape that refers to group number
        ClassStart,    ///< "[", or "[^" when negated
        ClassEnd,      ///< "]"
        ClassRange,    ///< "a-z" in a class, from character to high
        Quantifier,    ///< min to max times (no max: without bound), lazy or greedy
    };
    enum GroupKind : std::uint8_t { Capturing, NonCapturing, Lookahead, NegativeLookahead };

    Kind kind = Character;
    qsizetype offset = 0;
    qsizetype length = 0;
    /// The character of Character; the low end of ClassRange.
    char16_t character = 0;
    /// The high end of ClassRange.
    char16_t high = 0;
    GroupKind group = Capturing;
    /// The group of a capturing GroupStart or of a BackReference.
    int number = 0;
    /// A BackReference to a group that has not closed where it stands (it matches empty).
    bool pending = false;
    bool negated = false;
    quint64 min = 0;
    std::optional<quint64> max;
    bool lazy = false;
};
