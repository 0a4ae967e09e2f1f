#include "search/ReplacePreview.h"

#include "regex/ReplacementTemplate.h"
#include "search/SearchEngine.h"

ReplacePreview::ReplacePreview() : mTemplate(std::make_shared<const ReplacementTemplate>(QString(), 0)) {}

ReplacePreview::ReplacePreview(MatchCollection matches, const QString& replacement,
                               CaseConversion caseConversion, const std::optional<TextRange>& within)
    : mMatches(std::move(matches)), mCount(mMatches.Count()),
      mTemplate(std::make_shared<const ReplacementTemplate>(replacement, mMatches.GroupCount(), caseConversion))
{
    if (within) {
        const auto [first, last] = matchesWithin(mMatches, *within);
        mFirst = first;
        mCount = last - first;
    }
}

qsizetype ReplacePreview::replacementLength(qsizetype i) const
{
    return mTemplate->expandedLength(mMatches.Text(), matchOffsets(Item(i)));
}

QString ReplacePreview::replacementFor(qsizetype i, qsizetype limit) const
{
    QString text;
    mTemplate->expandUpTo(text, mMatches.Text(), matchOffsets(Item(i)), limit);
    return text;
}
