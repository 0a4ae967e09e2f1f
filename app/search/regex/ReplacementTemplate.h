#pragma once

#include "regex/ReplacementCase.h"

#include <QString>

#include <span>
#include <vector>

/// A replacement text of Replace, parsed once and expanded for every match.
///
/// Sequences: $1..$99 (two digits when the pattern has that many groups, else one digit and
/// the next digit is literal; a number above the group count and $0 stay literal), $& the
/// match, $` the text left of it, $' the text right of it, $_ the whole text, $+ the
/// highest-numbered group (literal when the pattern has none), $$ a dollar sign; a $ before
/// anything else is literal.
///
/// With CaseConversion::On the replacement may also change the case of what it writes: \U
/// and \L upper- or lower-case everything after them until \E, \u and \l the next character
/// (which wins over \U and \L), whether it comes from the text or from a sequence such as $1;
/// \\ writes one backslash, and any other backslash is literal. With CaseConversion::Off a
/// backslash is always literal.
class ReplacementTemplate {
public:
    ReplacementTemplate(const QString& replacement, int groupCount,
                        CaseConversion caseConversion = CaseConversion::Off);

    /// Offsets of one match: (groupCount + 1) pairs of start and end in the subject, the whole
    /// match first; -1, -1 for a group that took no part.
    using Offsets = std::span<const qsizetype>;

    /// Length of the expansion for one match.
    qsizetype expandedLength(const QString& subject, Offsets offsets) const;
    /// Appends the expansion for one match to out.
    void expand(QString& out, const QString& subject, Offsets offsets) const;
    /// Appends the first limit code units of the expansion for one match to out (all of it
    /// when shorter), without building the rest: $_ of a large text stays cheap to show.
    void expandUpTo(QString& out, const QString& subject, Offsets offsets, qsizetype limit) const;
    /// Writes the expansion for one match at out, which has room for expandedLength() code
    /// units, and returns the end of what it wrote.
    char16_t* expandTo(char16_t* out, const QString& subject, Offsets offsets) const;

    /// True when the replacement uses no sequence at all: every match becomes the same text.
    bool isLiteral() const;

private:
    enum class Kind { Literal, Group, Left, Right, Subject, Case };
    struct Piece {
        Kind kind;
        qsizetype start = 0;  ///< Literal: start in the replacement text; Group: group number
        qsizetype length = 0; ///< Literal: length
        CaseSequence sequence = CaseSequence::End; ///< Case: which one
    };

    /// Hands each part of the expansion to visit in order, and each case sequence to mark.
    template <typename Visit, typename Mark>
    void forEachPart(const QString& subject, Offsets offsets, Visit visit, Mark mark) const;
    template <typename Visit>
    void forEachPart(const QString& subject, Offsets offsets, Visit visit) const;
    /// The first limit code units of the expansion before case conversion, converted.
    QString converted(const QString& subject, Offsets offsets, qsizetype limit) const;

    QString mReplacement;
    std::vector<Piece> mPieces;
    /// The replacement holds a case sequence, so expansions go through converted().
    bool mConverts = false;
};
