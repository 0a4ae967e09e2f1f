#pragma once

#include "regex/MatchCollection.h"

#include <QString>

#include <optional>

/// The live matching as the search commands see it: the matches it already holds, and a
/// pause while a whole-text replacement runs.
class ILiveMatches {
public:
    virtual ~ILiveMatches() = default;

    /// Every match of pattern with this case option, as the live matching found them in the
    /// text it last searched, when it has them at hand; nothing otherwise.
    virtual std::optional<MatchCollection> matchesFor(const QString& pattern, bool ignoreCase) const = 0;
    /// Live matching rests (true) while a whole-text replacement runs, so that it neither
    /// holds matches of the old text nor searches beside it.
    virtual void setPaused(bool paused) = 0;
};
