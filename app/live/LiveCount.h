#pragma once

#include "live/PatternStatus.h"
#include "regex/MatchCollection.h"
#include "searchtext/TextRange.h"

#include <QLocale>
#include <QString>

#include <optional>

/// The text beside the status line for what the live matching tells: the number of matches,
/// the error of a pattern that fails, or that counting is under way. With range, the range of
/// Search in Selection, the number is of the matches that lie wholly inside it, which Find
/// steps through, with the number in the whole text beside it; matches are those the live
/// matching counted, or nothing when they no longer fit the text, which then is being counted.
QString liveCountText(const PatternStatus& status, const std::optional<MatchCollection>& matches,
                      const std::optional<TextRange>& range, const QLocale& locale = QLocale());
