#include "debugger/StepTrace.h"

#include "regex/RegExp.h"

/// Fills a trace from the steps of a run.
class TraceRecorder : public StepSink {
public:
    TraceRecorder(StepTrace& trace, qsizetype maxSteps, const std::atomic_bool* cancel,
                  const std::function<void(qsizetype)>& progress)
        : mTrace(trace), mMaxSteps(maxSteps), mCancel(cancel), mProgress(progress)
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
        mTrace.mGroups.record(std::uint32_t(index), step.position, ovector, captureTop);
        return true;
    }

private:
    StepTrace& mTrace;
    const qsizetype mMaxSteps;
    const std::atomic_bool* mCancel;
    const std::function<void(qsizetype)>& mProgress;
};

StepTrace::StepTrace(std::shared_ptr<const TracedPattern> pattern)
    : mPattern(std::move(pattern)), mGroups(std::size_t(mPattern->engineGroupCount() + 1))
{
}

std::shared_ptr<const StepTrace> StepTrace::record(std::shared_ptr<const TracedPattern> pattern, const QString& text,
                                                   qsizetype first, qsizetype last, qsizetype maxSteps,
                                                   const std::atomic_bool* cancel,
                                                   const std::function<void(qsizetype)>& progress)
{
    std::shared_ptr<StepTrace> trace(new StepTrace(std::move(pattern)));
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
    const std::vector<std::size_t> pairs = mGroups.at(step, [this](qsizetype s) { return qsizetype(mPositions[s]); });
    std::vector<std::pair<qsizetype, qsizetype>> groups;
    for (int j = 1; j <= mPattern->groupCount(); ++j)
        groups.push_back(mPattern->groupSpan(j, pairs));
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
    return mPositions.bytes() + mParts.bytes() + mGroups.bytes();
}
