#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

/// An array that grows by fixed chunks, never moving what it holds, so that millions of
/// entries take no more than their own size plus one chunk and appending never copies them.
template <typename T, int ChunkBits = 16>
class ChunkedArray {
public:
    static constexpr qsizetype kChunk = qsizetype(1) << ChunkBits;

    void push_back(const T& value)
    {
        if (mSize == qsizetype(mChunks.size()) * kChunk)
            mChunks.push_back(std::make_unique_for_overwrite<T[]>(std::size_t(kChunk)));
        mChunks.back()[std::size_t(mSize & (kChunk - 1))] = value;
        ++mSize;
    }
    const T& operator[](qsizetype i) const { return mChunks[std::size_t(i >> ChunkBits)][std::size_t(i & (kChunk - 1))]; }
    qsizetype size() const { return mSize; }
    bool empty() const { return mSize == 0; }
    /// Bytes the entries take, chunks not yet full included.
    qsizetype bytes() const { return qsizetype(mChunks.size()) * kChunk * qsizetype(sizeof(T)); }

private:
    std::vector<std::unique_ptr<T[]>> mChunks;
    qsizetype mSize = 0;
};
