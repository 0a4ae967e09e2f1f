#include "search/RangeReplace.h"

#include "regex/GrowingBuffers.h"
#include "regex/ReplacementTemplate.h"
#include "search/SearchEngine.h"

#include <vector>

RegExpResult<RangeReplacement> replaceWithin(const MatchCollection& matches, const TextRange& range,
                                             const QString& replacement, CaseConversion caseConversion,
                                             qsizetype maxLength, const std::atomic_bool* cancel)
{
    const QString& text = matches.Text();
    const ReplacementTemplate expansion(replacement, matches.GroupCount(), caseConversion);
    const auto [first, last] = matchesWithin(matches, range);
    std::vector<qsizetype> offsets(2 * (std::size_t(matches.GroupCount()) + 1));

    ResultBuffer result;
    result.reserve(std::min(maxLength, text.size() + text.size() / 8));
    qsizetype copied = 0; // text before this position is in result
    for (qsizetype i = first; i < last; ++i) {
        if (cancel && (i - first) % 1024 == 0 && cancel->load(std::memory_order_relaxed))
            return RegExpError::make(RegExpError::Cancelled);
        matchOffsets(matches.Item(i), offsets);
        const qsizetype expanded = expansion.expandedLength(text, offsets);
        if (result.size() + (offsets[0] - copied) + expanded > maxLength)
            return RegExpError::make(RegExpError::ResultTooLong);
        result.append(QStringView(text).mid(copied, offsets[0] - copied));
        expansion.expandTo(result.extend(expanded), text, offsets);
        copied = offsets[1];
    }
    if (result.size() + (text.size() - copied) > maxLength)
        return RegExpError::make(RegExpError::ResultTooLong);
    result.append(QStringView(text).mid(copied, range.end() - copied));
    const qsizetype rangeLength = result.size() - range.start;
    result.append(QStringView(text).mid(range.end()));
    return RangeReplacement{result.take(), rangeLength};
}
