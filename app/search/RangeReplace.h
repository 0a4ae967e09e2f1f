#pragma once

#include "regex/MatchCollection.h"
#include "regex/RegExpResult.h"
#include "regex/ReplacementCase.h"
#include "searchtext/TextRange.h"

#include <QString>

#include <atomic>

/// A text after a replacement inside a range of it, and how long that range is now.
struct RangeReplacement {
    QString text;
    qsizetype rangeLength = 0;
};

/// The searched text of matches with every match that lies wholly inside range replaced by
/// replacement, expanded as Replace All expands it ($1..$99, $&, $`, $', $_, $+, $$ all see the
/// whole text; the case sequences with caseConversion on); the text outside range stays as it is. Fails with RegExpError::ResultTooLong,
/// and no partial result, when the result would be longer than maxLength, and with
/// RegExpError::Cancelled once cancel is raised.
RegExpResult<RangeReplacement> replaceWithin(const MatchCollection& matches, const TextRange& range,
                                             const QString& replacement, CaseConversion caseConversion,
                                             qsizetype maxLength, const std::atomic_bool* cancel = nullptr);
