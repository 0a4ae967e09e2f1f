#include "search/ReplacePreview.h"

#include "search/ReplacementTemplate.h"
#include "search/SearchEngine.h"

ReplacePreview::ReplacePreview() : mTemplate(std::make_shared<const ReplacementTemplate>(QString(), 0)) {}

ReplacePreview::ReplacePreview(MatchCollection matches, const QString& replacement)
    : mMatches(std::move(matches)),
      mTemplate(std::make_shared<const ReplacementTemplate>(replacement, mMatches.GroupCount()))
{
}

qsizetype ReplacePreview::replacementLength(qsizetype i) const
{
    return mTemplate->expandedLength(mMatches.Text(), matchOffsets(mMatches.Item(i)));
}

QString ReplacePreview::replacementFor(qsizetype i, qsizetype limit) const
{
    QString text;
    mTemplate->expandUpTo(text, mMatches.Text(), matchOffsets(mMatches.Item(i)), limit);
    return text;
}
