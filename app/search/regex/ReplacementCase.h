#pragma once

#include <QString>

#include <vector>

/// Whether a replacement reads the case sequences \U \L \u \l \E (and \\ as one backslash), or
/// takes every backslash as it is.
enum class CaseConversion : bool { Off, On };

/// A case sequence of a replacement: \U and \L convert what follows until \E (or the other
/// one), \u and \l only the next character.
enum class CaseSequence { UpperFromHere, LowerFromHere, UpperNext, LowerNext, End };

/// A case sequence and the place in the expanded text where it stands.
struct CaseMark {
    qsizetype at = 0;
    CaseSequence sequence = CaseSequence::End;
};

/// The case sequence that the character after a backslash names, if any.
bool caseSequenceFor(QChar c, CaseSequence& sequence);

/// raw with the case sequences of marks (in order of place) applied: each character takes the
/// Unicode case mapping (one character may become several, as "ß" becomes "SS") of the mode it
/// starts in, or of a \u or \l before it that no character has taken yet. A surrogate pair is
/// one character and is never split; a lone surrogate stays as it is.
QString applyCaseMarks(const QString& raw, const std::vector<CaseMark>& marks);
