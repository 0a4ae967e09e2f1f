#include "platform/HugePages.h"

#include <QtGlobal>

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

void adviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes)
{
#ifdef Q_OS_LINUX
    // Smaller blocks come from the heap rather than mappings of their own.
    constexpr std::size_t kLargeBlock = 4 * 1024 * 1024;
    if (bytes < kLargeBlock)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = address & ~(page - 1);
    const std::uintptr_t end = (address + bytes + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

void mapLargeBlocksOnTheirOwn()
{
#ifdef __GLIBC__
    // A threshold set once is kept: the allocator no longer raises it.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}
