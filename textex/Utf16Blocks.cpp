#include "textex/Utf16Blocks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr qsizetype kBlockBytes = 4096;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

/// UTF-16 units of the characters whose first byte lies in [from, from + count).
qsizetype unitsIn(const char* from, qsizetype count)
{
    // Eight bytes at a time: bit 7 of each byte of `continuations` is set where the byte
    // is 10xxxxxx, of `fourByteLeads` where it is 1111xxxx. Each byte of `tally` counts
    // for its byte lane; adding the lanes in pairs and then with one multiplication costs
    // less than a population count where the processor has none that the compiler may assume.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr std::uint64_t kEvenLanes = 0x00FF00FF00FF00FFULL;
    constexpr std::uint64_t kLowWords = 0x0001000100010001ULL;
    qsizetype units = 0;
    qsizetype i = 0;
    while (i + 8 <= count) {
        // A lane adds at most 2 a word, so it holds the sum of 127 words.
        const qsizetype end = std::min(count - 7, i + 127 * 8);
        std::uint64_t tally = 0;
        for (; i < end; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, from + i, sizeof word);
            const std::uint64_t leads = ~word | (word << 1);
            const std::uint64_t fourByteLeads = word & (word << 1) & (word << 2) & (word << 3);
            tally += ((leads & kHighBits) >> 7) + ((fourByteLeads & kHighBits) >> 7);
        }
        const std::uint64_t pairs = (tally & kEvenLanes) + ((tally >> 8) & kEvenLanes);
        units += qsizetype((pairs * kLowWords) >> 48);
    }
    for (; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(from[i]);
        units += unsigned(!isContinuation(byte)) + unsigned(byte >= 0xF0);
    }
    return units;
}

} // namespace

Utf16Blocks::Utf16Blocks(QByteArrayView text)
{
    mStarts.reserve(static_cast<std::size_t>(text.size() / kBlockBytes + 1));
    for (qsizetype block = 0; block < text.size(); block += kBlockBytes) {
        mStarts.push_back(mLength);
        mLength += unitsIn(text.data() + block, std::min(kBlockBytes, text.size() - block));
    }
    if (mStarts.empty())
        mStarts.push_back(0);
}

qsizetype Utf16Blocks::toUtf16(QByteArrayView text, qsizetype nBytes) const
{
    nBytes = std::clamp<qsizetype>(nBytes, 0, text.size());
    const qsizetype block = std::min(nBytes / kBlockBytes, qsizetype(mStarts.size()) - 1);
    const qsizetype from = block * kBlockBytes;
    return mStarts[static_cast<std::size_t>(block)] + unitsIn(text.data() + from, nBytes - from);
}

qsizetype Utf16Blocks::toBytes(QByteArrayView text, qsizetype nUtf16) const
{
    if (nUtf16 <= 0)
        return 0;
    if (nUtf16 >= mLength)
        return text.size();
    const auto after = std::upper_bound(mStarts.begin(), mStarts.end(), nUtf16);
    const qsizetype block = (after - mStarts.begin()) - 1;
    qsizetype remaining = nUtf16 - mStarts[static_cast<std::size_t>(block)];
    qsizetype offset = block * kBlockBytes;
    // The block may begin with the last bytes of a character counted before it.
    for (; offset < text.size(); ++offset) {
        const auto byte = static_cast<unsigned char>(text[offset]);
        if (isContinuation(byte))
            continue;
        const qsizetype units = byte >= 0xF0 ? 2 : 1;
        if (units > remaining)
            break;
        remaining -= units;
    }
    return offset;
}
