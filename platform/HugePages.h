#pragma once

#include <cstddef>

/// Asks the kernel to back a large block with huge pages before anything is written there.
/// Filling a fresh block of hundreds of megabytes page by page costs a fault for every
/// 4 KB; with 2 MB pages that cost nearly vanishes. Only advice: without transparent huge
/// pages, on a small block, or on another system, nothing changes.
///
/// The advice covers every page of the block, not only its whole huge pages: a mapping that
/// is advised in part splits, and realloc can then no longer move it when the block grows,
/// but copies it while both copies are held.
void adviseHugePages(void* data, std::size_t bytes);

/// Has every block of a megabyte or more mapped on its own for the rest of the process, so
/// that a block let go goes back to the system at once. Left alone, the allocator raises
/// that size as large blocks are freed, up to 32 MB, and blocks below it that are freed then
/// stay with the process: after a large text is replaced, tens of megabytes of its lines and
/// buffers. Call it first thing in main, before any thread starts; elsewhere than with the
/// GNU C library it does nothing.
void mapLargeBlocksOnTheirOwn();
