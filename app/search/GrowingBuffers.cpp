#include "search/GrowingBuffers.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

/// Asks the kernel to back the block with huge pages where it covers whole ones, before
/// anything is written there. A large result is a fresh mapping each time, and filling it
/// page by page costs a fault for every 4 KB; with 2 MB pages that cost nearly vanishes.
/// The advice covers every page of the block, not only its whole huge pages: a mapping
/// that is advised in part splits, and realloc can then no longer move it when the result
/// grows, but copies it while both copies are held. Only advice: without transparent huge
/// pages nothing changes.
void adviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes)
{
#ifdef Q_OS_LINUX
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = address & ~(page - 1);
    const std::uintptr_t end = (address + bytes + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

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
    const std::size_t bytes = std::size_t(room) * sizeof(char16_t);
    constexpr std::size_t kLargeBlock = 4 * 1024 * 1024;
    if (bytes >= kLargeBlock)
        adviseHugePages(mData, bytes);
}
