#pragma once

#include "regex/RegExpResult.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

/// How long a profile may look for the costliest start position and then count its steps.
struct ProfileLimits {
    /// A start position that takes this many steps is taken as the costliest at once.
    quint64 probeSteps = 100'000;
    /// Steps spent looking for the costliest start position, over all positions tried.
    quint64 scanSteps = 20'000'000;
    /// Steps counted at the costliest start position: the search's limit for one position.
    quint64 budget = 10'000'000;
};

/// Where the engine spends its steps on a text: the steps of one start position, the one
/// that cost most, counted per part of the pattern.
struct StepProfile {
    struct Part {
        qsizetype offset = 0;
        qsizetype length = 0;
        quint64 steps = 0;
    };
    /// Every part of the pattern that steps stand on, in pattern order.
    std::vector<Part> parts;
    /// Steps counted at start, all parts together.
    quint64 total = 0;
    quint64 budget = 0;
    /// The start position profiled; -1 when the text gives none to try.
    qsizetype start = -1;

    /// Steps of the parts that lie within offset..offset + length of the pattern.
    quint64 stepsWithin(qsizetype offset, qsizetype length) const;
    /// The most steps of one part.
    quint64 hottest() const;
    /// "12,345 steps at position 67, of 10,000,000 allowed"
    QString summary() const;
};

/// Profiles pattern under ignoreCase on text: tries the start positions from from on, finds
/// the one that costs most (the first to reach limits.probeSteps, or the costliest of those
/// tried), and counts its steps per part up to limits.budget. Fails when the pattern does not
/// compile; a raised cancel flag returns RegExpError::Cancelled.
RegExpResult<StepProfile> profileSteps(const QString& pattern, bool ignoreCase, const QString& text, qsizetype from,
                                       const ProfileLimits& limits = {}, const std::atomic_bool* cancel = nullptr);

/// The colour of a part that took steps of hottest, as 0xRRGGBB: pale yellow for few steps
/// through orange to red for the hottest, on a logarithmic scale; white for none.
std::uint32_t heatRgb(quint64 steps, quint64 hottest);
