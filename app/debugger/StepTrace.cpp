#include "debugger/StepTrace.h"

#include "search/RegExp.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kUnsetChange = UINT32_MAX;

std::uint32_t changeOffset(std::size_t offset) { return offset == kUnsetOffset ? kUnsetChange : std::uint32_t(offset); }
std::size_t ovectorOffset(std::uint32_t offset) { return offset == kUnsetChange ? kUnsetOffset : offset; }

} // namespace

/// Fills a trace from the steps of a run.
class TraceRecorder : public StepSink {
public:
    TraceRecorder(StepTrace& trace, qsizetype maxSteps, const std::atomic_bool* cancel,
                  const std::function<void(qsizetype)>& progress)
        : mTrace(trace), mMaxSteps(maxSteps), mCancel(cancel), mProgress(progress),
          mCurrent(2 * std::size_t(trace.pattern().engineGroupCount() + 1), kUnsetOffset)
    {
    }

    bool onStep(const TraceStep& step, const std::size_t* ovector, std::uint32_t captureTop) override
    {
        const qsizetype index = mTrace.size();
        if (index == mMaxSteps)
            return false;
        // Now and then, so that neither costs much.
        if ((index & 0xFFFF) == 0 && index > 0) {
            if (mCancel && mCancel->load(std::memory_order_relaxed)) {
                mTrace.mCancelled = true;
                return false;
            }
            if (mProgress)
                mProgress(index);
        }
        mTrace.mPositions.push_back(std::uint32_t(step.position));
        mTrace.mParts.push_back(std::uint16_t(step.part | (step.backtrack ? StepTrace::kBacktrackFlag : 0)
                                              | (step.newStart ? StepTrace::kNewStartFlag : 0)));
        for (std::uint32_t group = 1; 2 * group < mCurrent.size(); ++group) {
            const std::size_t start = group < captureTop ? ovector[2 * group] : kUnsetOffset;
            const std::size_t end = group < captureTop ? ovector[2 * group + 1] : kUnsetOffset;
            if (start == mCurrent[2 * group] && end == mCurrent[2 * group + 1])
                continue;
            if (mTrace.mChanges.size() % StepTrace::kCheckpointEvery == 0)
                mTrace.mCheckpoints.push_back(mCurrent);
            mTrace.mChanges.push_back({std::uint32_t(index), group, changeOffset(start), changeOffset(end)});
            mCurrent[2 * group] = start;
            mCurrent[2 * group + 1] = end;
        }
        return true;
    }

private:
    StepTrace& mTrace;
    const qsizetype mMaxSteps;
    const std::atomic_bool* mCancel;
    const std::function<void(qsizetype)>& mProgress;
    std::vector<std::size_t> mCurrent;
};

std::shared_ptr<const StepTrace> StepTrace::record(std::shared_ptr<const TracedPattern> pattern, const QString& text,
                                                   qsizetype first, qsizetype last, qsizetype maxSteps,
                                                   const std::atomic_bool* cancel,
                                                   const std::function<void(qsizetype)>& progress)
{
    std::shared_ptr<StepTrace> trace(new StepTrace);
    trace->mPattern = std::move(pattern);
    trace->mText = text;
    TraceRecorder recorder(*trace, maxSteps, cancel, progress);
    trace->mOutcome = trace->mPattern->run(text, first, last, recorder, kDefaultMemoryLimit);
    return trace;
}

TraceStep StepTrace::at(qsizetype step) const
{
    const std::uint16_t part = mParts[step];
    TraceStep found;
    found.position = qsizetype(mPositions[step]);
    found.part = part & ~(kBacktrackFlag | kNewStartFlag);
    found.backtrack = part & kBacktrackFlag;
    found.newStart = part & kNewStartFlag;
    return found;
}

std::vector<std::pair<qsizetype, qsizetype>> StepTrace::groupsAt(qsizetype step) const
{
    // The changes made at steps up to this one.
    qsizetype low = 0;
    qsizetype high = mChanges.size();
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (qsizetype(mChanges[middle].step) <= step)
            low = middle + 1;
        else
            high = middle;
    }
    // Checkpoint c holds the pairs before change c * kCheckpointEvery.
    const qsizetype checkpoint = std::min(low / kCheckpointEvery, qsizetype(mCheckpoints.size()) - 1);
    std::vector<std::size_t> ovector = checkpoint < 0
        ? std::vector<std::size_t>(2 * std::size_t(mPattern->engineGroupCount() + 1), kUnsetOffset)
        : mCheckpoints[std::size_t(checkpoint)];
    for (qsizetype i = std::max<qsizetype>(checkpoint, 0) * kCheckpointEvery; i < low; ++i) {
        const GroupChange& change = mChanges[i];
        ovector[2 * change.group] = ovectorOffset(change.start);
        ovector[2 * change.group + 1] = ovectorOffset(change.end);
    }
    std::vector<std::pair<qsizetype, qsizetype>> groups;
    for (int j = 1; j <= mPattern->groupCount(); ++j)
        groups.push_back(mPattern->groupSpan(j, ovector));
    return groups;
}

qsizetype StepTrace::nextBacktrack(qsizetype from) const
{
    for (qsizetype step = from + 1; step < size(); ++step)
        if (mParts[step] & kBacktrackFlag)
            return step;
    return -1;
}

qsizetype StepTrace::bytes() const
{
    qsizetype checkpoints = 0;
    for (const auto& checkpoint : mCheckpoints)
        checkpoints += qsizetype(checkpoint.size() * sizeof(std::size_t));
    return mPositions.bytes() + mParts.bytes() + mChanges.bytes() + checkpoints;
}
