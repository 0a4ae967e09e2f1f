#pragma once

#include "regex/MatchCollection.h"
#include "regex/ReplacementCase.h"
#include "searchtext/TextRange.h"

#include <QString>

#include <memory>
#include <optional>

class ReplacementTemplate;

/// What Replace All is about to do: every match of the pattern and the text that replaces
/// it. Each replacement is worked out only when asked for, so that previewing millions of
/// them costs no more than what is shown.
class ReplacePreview {
public:
    ReplacePreview();
    /// matches: every match of the searched text; replacement: the Replace With text as
    /// Replace All uses it, with $1, $& and the other sequences (and the case sequences with
    /// caseConversion on); within: the part of the text
    /// Replace All works in, whose matches are those that lie wholly inside it (all of them
    /// when not given).
    ReplacePreview(MatchCollection matches, const QString& replacement, CaseConversion caseConversion,
                   const std::optional<TextRange>& within = std::nullopt);

    /// The number of replacements: every match replaced, empty ones too.
    qsizetype Count() const { return mCount; }
    /// Every match of the searched text, of which Count() from firstReplaced() on are replaced.
    const MatchCollection& matches() const { return mMatches; }
    /// The index in matches() of the first match replaced.
    qsizetype firstReplaced() const { return mFirst; }
    /// Replacement i's match (0 <= i < Count()).
    Match Item(qsizetype i) const { return mMatches.Item(mFirst + i); }

    /// The length of the text that replaces match i (0 <= i < Count()).
    qsizetype replacementLength(qsizetype i) const;
    /// The first limit code units of the text that replaces match i (all of it when shorter).
    QString replacementFor(qsizetype i, qsizetype limit) const;

private:
    MatchCollection mMatches;
    qsizetype mFirst = 0;
    qsizetype mCount = 0;
    std::shared_ptr<const ReplacementTemplate> mTemplate;
};
