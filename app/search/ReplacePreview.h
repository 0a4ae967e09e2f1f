#pragma once

#include "search/MatchCollection.h"

#include <QString>

#include <memory>

class ReplacementTemplate;

/// What Replace All is about to do: every match of the pattern and the text that replaces
/// it. Each replacement is worked out only when asked for, so that previewing millions of
/// them costs no more than what is shown.
class ReplacePreview {
public:
    ReplacePreview();
    /// matches: every match of the searched text; replacement: the Replace With text as
    /// Replace All uses it, with $1, $& and the other sequences.
    ReplacePreview(MatchCollection matches, const QString& replacement);

    /// The number of replacements: every match, empty ones too.
    qsizetype Count() const { return mMatches.Count(); }
    const MatchCollection& matches() const { return mMatches; }

    /// The length of the text that replaces match i (0 <= i < Count()).
    qsizetype replacementLength(qsizetype i) const;
    /// The first limit code units of the text that replaces match i (all of it when shorter).
    QString replacementFor(qsizetype i, qsizetype limit) const;

private:
    MatchCollection mMatches;
    std::shared_ptr<const ReplacementTemplate> mTemplate;
};
