#include "regex/GrowingBuffers.h"

#include "platform/HugePages.h"

#include <algorithm>
#include <cstdlib>
#include <new>

OffsetBuffer::~OffsetBuffer()
{
    std::free(mData);
}

void OffsetBuffer::grow(qsizetype count)
{
    const qsizetype capacity = std::max({qsizetype(1024), 2 * mCapacity, mSize + count});
    auto* grown = static_cast<qint32*>(std::realloc(mData, std::size_t(capacity) * sizeof(qint32)));
    if (!grown)
        throw std::bad_alloc();
    mData = grown;
    mCapacity = capacity;
}

void ResultBuffer::grow(qsizetype needed)
{
    // After the first reservation the room doubles, so long replacements grow it rarely.
    const qsizetype room = std::max(needed, 2 * mText.size());
    mText.reserve(room);
    mText.resize(room); // leaves the new code units unwritten
    mData = reinterpret_cast<char16_t*>(mText.data());
    adviseHugePages(mData, std::size_t(room) * sizeof(char16_t));
}
