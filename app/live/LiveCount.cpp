#include "live/LiveCount.h"

#include "window/StatusLine.h"
#include "search/SearchEngine.h"

QString liveCountText(const PatternStatus& status, const std::optional<MatchCollection>& matches,
                      const std::optional<TextRange>& range, const QLocale& locale)
{
    switch (status.state) {
    case PatternStatus::State::None:
        return QString();
    case PatternStatus::State::Invalid:
        return status.message;
    case PatternStatus::State::Counting:
        return kCountingText;
    case PatternStatus::State::Valid:
        break;
    }
    if (!range)
        return matchCountText(status.matchCount, locale);
    if (!matches)
        return kCountingText;
    const auto [first, last] = matchesWithin(*matches, *range);
    return QStringLiteral("%1 of %2 in the selection")
        .arg(locale.toString(last - first), matchCountText(matches->Count(), locale));
}
