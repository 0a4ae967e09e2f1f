#include "regex/GrowingBuffers.h"

#include "platform/HugePages.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

/// Code units converted to UTF-8 at a time.
constexpr qsizetype kStagedUnits = qsizetype(1) << 16;

} // namespace

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

void Utf8ResultBuffer::reserve(qsizetype units)
{
    mBytes.reserve(units);
    adviseHugePages(mBytes.data(), std::size_t(mBytes.capacity()));
}

char16_t* Utf8ResultBuffer::extend(qsizetype count)
{
    if (mStaged + count > kStagedUnits)
        flush(false);
    if (qsizetype(mStage.size()) < mStaged + count)
        mStage.resize(std::size_t(std::max(kStagedUnits, mStaged + count)));
    char16_t* slot = mStage.data() + mStaged;
    mStaged += count;
    mUnits += count;
    return slot;
}

void Utf8ResultBuffer::append(QStringView part)
{
    while (!part.isEmpty()) {
        const qsizetype count = std::min(part.size(), std::max(qsizetype(1), kStagedUnits - mStaged));
        std::memcpy(extend(count), part.utf16(), std::size_t(count) * sizeof(char16_t));
        part = part.sliced(count);
    }
}

QByteArray Utf8ResultBuffer::take()
{
    flush(true);
    return std::move(mBytes);
}

void Utf8ResultBuffer::flush(bool last)
{
    const bool holdBack = !last && mStaged > 0 && QChar::isHighSurrogate(mStage[std::size_t(mStaged - 1)]);
    const qsizetype converted = holdBack ? mStaged - 1 : mStaged;
    mBytes += QStringView(mStage.data(), converted).toUtf8();
    if (holdBack)
        mStage[0] = mStage[std::size_t(converted)];
    mStaged -= converted;
}
