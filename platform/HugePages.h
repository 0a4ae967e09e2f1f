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
