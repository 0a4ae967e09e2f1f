#pragma once

#include "debugger/ChunkedArray.h"
#include "debugger/GroupLog.h"
#include "debugger/TracedPattern.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

/// The steps of one run of the engine, as TracedPattern tells them, kept in six bytes a step
/// and a compact log of the changes to the groups, so that ten million steps fit in modest
/// memory.
class StepTrace {
public:
    /// Steps a trace holds unless told otherwise.
    static constexpr qsizetype kDefaultMaxSteps = 10'000'000;

    /// Runs pattern over text from first, trying start positions up to last, keeping at most
    /// maxSteps steps; cancel stops it early, progress hears the count now and then.
    static std::shared_ptr<const StepTrace> record(std::shared_ptr<const TracedPattern> pattern, const QString& text,
                                                   qsizetype first, qsizetype last, qsizetype maxSteps,
                                                   const std::atomic_bool* cancel = nullptr,
                                                   const std::function<void(qsizetype steps)>& progress = {});

    const TracedPattern& pattern() const { return *mPattern; }
    const QString& text() const { return mText; }
    qsizetype size() const { return mPositions.size(); }
    TraceStep at(qsizetype step) const;
    /// How the run ended; Stopped when it reached the step limit or was cancelled.
    const TraceOutcome& outcome() const { return mOutcome; }
    bool cancelled() const { return mCancelled; }
    /// The spans of groups 1 to groupCount just before step (-1, -1 for a group with none).
    std::vector<std::pair<qsizetype, qsizetype>> groupsAt(qsizetype step) const;
    /// The first step after from that backtracks, or -1.
    qsizetype nextBacktrack(qsizetype from) const;
    /// Bytes the steps and the group log take.
    qsizetype bytes() const;

private:
    friend class TraceRecorder;
    explicit StepTrace(std::shared_ptr<const TracedPattern> pattern);

    static constexpr std::uint16_t kBacktrackFlag = 0x8000;
    static constexpr std::uint16_t kNewStartFlag = 0x4000;

    std::shared_ptr<const TracedPattern> mPattern;
    QString mText;
    ChunkedArray<std::uint32_t> mPositions;
    /// The part index, with the two flags above.
    ChunkedArray<std::uint16_t> mParts;
    GroupLog mGroups;
    TraceOutcome mOutcome;
    bool mCancelled = false;
};
