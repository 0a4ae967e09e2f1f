#include "debugger/StepProfile.h"

#include "debugger/TracedPattern.h"
#include "regex/RegExp.h"
#include "translations/CountText.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

/// Finds the start position that costs most, going on after each match as a search does.
class StartProbe : public StepSink {
public:
    StartProbe(const ProfileLimits& limits, const std::atomic_bool* cancel) : mLimits(limits), mCancel(cancel) {}

    bool onStep(const TraceStep& step, const std::size_t*, std::uint32_t) override
    {
        if (step.newStart) {
            mStart = step.position;
            mSteps = 0;
        }
        ++mSteps;
        ++mScanned;
        if (mSteps > costliestSteps) {
            costliestSteps = mSteps;
            costliest = mStart;
        }
        if ((mScanned & 0xFFFF) == 0 && mCancel && mCancel->load(std::memory_order_relaxed))
            cancelled = true;
        return !cancelled && mSteps < mLimits.probeSteps && mScanned < mLimits.scanSteps;
    }

    qsizetype costliest = -1;
    quint64 costliestSteps = 0;
    bool cancelled = false;

private:
    const ProfileLimits& mLimits;
    const std::atomic_bool* mCancel;
    qsizetype mStart = 0;
    quint64 mSteps = 0;
    quint64 mScanned = 0;
};

/// Counts the steps of one start position per part.
class PartCounter : public StepSink {
public:
    PartCounter(std::size_t parts, quint64 budget, const std::atomic_bool* cancel)
        : counts(parts), mBudget(budget), mCancel(cancel)
    {
    }

    bool onStep(const TraceStep& step, const std::size_t*, std::uint32_t) override
    {
        ++counts[std::size_t(step.part)];
        ++total;
        if ((total & 0xFFFF) == 0 && mCancel && mCancel->load(std::memory_order_relaxed))
            cancelled = true;
        return !cancelled && total < mBudget;
    }

    std::vector<quint64> counts;
    quint64 total = 0;
    bool cancelled = false;

private:
    quint64 mBudget;
    const std::atomic_bool* mCancel;
};

} // namespace

quint64 StepProfile::stepsWithin(qsizetype offset, qsizetype length) const
{
    quint64 steps = 0;
    for (const Part& part : parts)
        if (part.offset >= offset && part.offset + part.length <= offset + length)
            steps += part.steps;
    return steps;
}

quint64 StepProfile::hottest() const
{
    quint64 most = 0;
    for (const Part& part : parts)
        most = std::max(most, part.steps);
    return most;
}

QString StepProfile::summary() const
{
    const QLocale c = QLocale::c();
    return countText(QT_TRANSLATE_N_NOOP("Count", "%1 step(s) at position %2, of %3 allowed"), qint64(total), c)
        .arg(c.toString(start), c.toString(budget));
}

RegExpResult<StepProfile> profileSteps(const QString& pattern, bool ignoreCase, const QString& text, qsizetype from,
                                       const ProfileLimits& limits, const std::atomic_bool* cancel)
{
    RegExpResult<TracedPattern> compiled = TracedPattern::compile(pattern, ignoreCase);
    if (!compiled)
        return compiled.error();
    const TracedPattern& traced = compiled.value();
    StepProfile profile;
    profile.budget = limits.budget;
    StartProbe probe(limits, cancel);
    for (qsizetype start = std::clamp<qsizetype>(from, 0, text.size()); start <= text.size();) {
        const TraceOutcome outcome = traced.run(text, start, text.size(), probe, kDefaultMemoryLimit);
        if (outcome.end != TraceOutcome::End::Matched)
            break;
        start = outcome.matchEnd > outcome.matchStart ? outcome.matchEnd : outcome.matchEnd + 1;
    }
    if (probe.cancelled)
        return RegExpError::make(RegExpError::Cancelled);
    profile.start = probe.costliest;
    PartCounter counter(traced.parts().size(), limits.budget, cancel);
    if (profile.start >= 0)
        traced.run(text, profile.start, profile.start, counter, kDefaultMemoryLimit);
    if (counter.cancelled)
        return RegExpError::make(RegExpError::Cancelled);
    profile.total = counter.total;
    for (std::size_t i = TracedPattern::kEndPart + 1; i < traced.parts().size(); ++i)
        profile.parts.push_back({traced.parts()[i].offset, traced.parts()[i].length, counter.counts[i]});
    std::sort(profile.parts.begin(), profile.parts.end(),
              [](const StepProfile::Part& a, const StepProfile::Part& b) { return a.offset < b.offset; });
    return profile;
}

std::uint32_t heatRgb(quint64 steps, quint64 hottest)
{
    if (steps == 0 || hottest == 0)
        return 0xFFFFFF;
    // 0 for one step, 1 for the hottest.
    const double heat = hottest <= 1 ? 1.0 : std::log(double(steps)) / std::log(double(hottest));
    const double t = std::clamp(heat, 0.0, 1.0);
    // Pale yellow (255, 245, 180) to red (220, 40, 30).
    const auto mix = [t](int low, int high) { return std::uint32_t(std::lround(low + (high - low) * t)); };
    return mix(255, 220) << 16 | mix(245, 40) << 8 | mix(180, 30);
}
