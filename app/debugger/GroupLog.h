#pragma once

#include "debugger/ChunkedArray.h"

#include <cstdint>
#include <functional>
#include <vector>

/// The changes of the engine's capture pairs over the steps of a run, a few bytes each: the
/// steps since the change before, the group, and its start and end near the step's
/// position, as variable-length numbers. A copy of every pair every kCheckpointEvery changes
/// keeps the pairs at any step a short read away.
class GroupLog {
public:
    static constexpr int kCheckpointEvery = 1024;

    /// pairs: the engine's capture pairs, group 0 included.
    explicit GroupLog(std::size_t pairs) : mCurrent(2 * pairs, kUnset) {}

    /// Notes the pairs at step, whose text position is position, where they differ from the
    /// pairs noted last; pairs from captureTop on are unset. Steps come in ascending order.
    void record(std::uint32_t step, qsizetype position, const std::size_t* ovector, std::uint32_t captureTop);
    /// The pairs after the changes at steps up to step (kUnset for none); positionOf gives
    /// the text position of a step.
    std::vector<std::size_t> at(qsizetype step, const std::function<qsizetype(qsizetype)>& positionOf) const;
    qsizetype bytes() const;

    static constexpr std::size_t kUnset = ~std::size_t(0);

private:
    struct Checkpoint {
        std::uint32_t step = 0; ///< of the first change after it
        qsizetype byte = 0;     ///< where that change starts
        std::vector<std::size_t> pairs;
    };

    void put(std::uint64_t value);
    std::uint64_t get(qsizetype& byte) const;

    ChunkedArray<std::uint8_t> mBytes;
    std::vector<Checkpoint> mCheckpoints;
    std::vector<std::size_t> mCurrent;
    qsizetype mChanges = 0;
    std::uint32_t mLastStep = 0;
};
