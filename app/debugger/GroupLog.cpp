#include "debugger/GroupLog.h"

#include <algorithm>

namespace {

/// 0 for an unset offset, else its distance from position, zigzagged so that small
/// distances either way are small numbers, plus one.
std::uint64_t encodeOffset(std::size_t offset, qsizetype position)
{
    if (offset == GroupLog::kUnset)
        return 0;
    const qint64 distance = qint64(offset) - position;
    return (distance >= 0 ? std::uint64_t(distance) << 1 : (std::uint64_t(-distance) << 1) - 1) + 1;
}

std::size_t decodeOffset(std::uint64_t code, qsizetype position)
{
    if (code == 0)
        return GroupLog::kUnset;
    const std::uint64_t zigzag = code - 1;
    const qint64 distance = zigzag & 1 ? -qint64((zigzag + 1) >> 1) : qint64(zigzag >> 1);
    return std::size_t(position + distance);
}

} // namespace

void GroupLog::put(std::uint64_t value)
{
    while (value >= 0x80) {
        mBytes.push_back(std::uint8_t(value | 0x80));
        value >>= 7;
    }
    mBytes.push_back(std::uint8_t(value));
}

std::uint64_t GroupLog::get(qsizetype& byte) const
{
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t b = mBytes[byte++];
        value |= std::uint64_t(b & 0x7F) << shift;
        if (!(b & 0x80))
            return value;
    }
}

void GroupLog::record(std::uint32_t step, qsizetype position, const std::size_t* ovector, std::uint32_t captureTop)
{
    for (std::uint32_t group = 1; 2 * group < mCurrent.size(); ++group) {
        const std::size_t start = group < captureTop ? ovector[2 * group] : kUnset;
        const std::size_t end = group < captureTop ? ovector[2 * group + 1] : kUnset;
        if (start == mCurrent[2 * group] && end == mCurrent[2 * group + 1])
            continue;
        if (mChanges++ % kCheckpointEvery == 0) {
            mCheckpoints.push_back({step, mBytes.size(), mCurrent});
            mLastStep = step;
        }
        put(step - mLastStep);
        put(group);
        put(encodeOffset(start, position));
        put(encodeOffset(end, position));
        mLastStep = step;
        mCurrent[2 * group] = start;
        mCurrent[2 * group + 1] = end;
    }
}

std::vector<std::size_t> GroupLog::at(qsizetype step, const std::function<qsizetype(qsizetype)>& positionOf) const
{
    const auto after = std::upper_bound(mCheckpoints.begin(), mCheckpoints.end(), step,
                                        [](qsizetype s, const Checkpoint& c) { return s < qsizetype(c.step); });
    if (after == mCheckpoints.begin())
        return std::vector<std::size_t>(mCurrent.size(), kUnset);
    const Checkpoint& checkpoint = *(after - 1);
    const qsizetype end = after == mCheckpoints.end() ? mBytes.size() : after->byte;
    std::vector<std::size_t> pairs = checkpoint.pairs;
    qsizetype byte = checkpoint.byte;
    qsizetype last = checkpoint.step;
    while (byte < end) {
        const qsizetype changed = last + qsizetype(get(byte));
        if (changed > step)
            break;
        const auto group = std::size_t(get(byte));
        const qsizetype position = positionOf(changed);
        pairs[2 * group] = decodeOffset(get(byte), position);
        pairs[2 * group + 1] = decodeOffset(get(byte), position);
        last = changed;
    }
    return pairs;
}

qsizetype GroupLog::bytes() const
{
    return mBytes.bytes() + qsizetype(mCheckpoints.size() * (sizeof(Checkpoint) + mCurrent.size() * sizeof(std::size_t)));
}
