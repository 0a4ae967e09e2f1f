#include "live/LiveCount.h"

#include "window/StatusLine.h"
#include "search/SearchEngine.h"

#include <QCoreApplication>

namespace {

struct LiveCountTexts {
    Q_DECLARE_TR_FUNCTIONS(LiveCountTexts)
};

} // namespace

QString liveCountText(const PatternStatus& status, const std::optional<MatchCollection>& matches,
                      const std::optional<TextRange>& range, const QLocale& locale)
{
    switch (status.state) {
    case PatternStatus::State::None:
        return QString();
    case PatternStatus::State::Invalid:
        return status.message;
    case PatternStatus::State::Counting:
        return countingText();
    case PatternStatus::State::Valid:
        break;
    }
    if (!range)
        return matchCountText(status.matchCount, locale);
    if (!matches)
        return countingText();
    const auto [first, last] = matchesWithin(*matches, *range);
    return LiveCountTexts::tr("%1 of %2 in the selection")
        .arg(locale.toString(last - first), matchCountText(matches->Count(), locale));
}
