#include "regex/CaseFolding.h"

#include "regex/CaseFoldingTable.h"

#include <array>
#include <memory>
#include <vector>

namespace {

/// The canonical form of every code unit and the cycles of equivalent code units; built once,
/// read-only afterwards.
struct FoldTables {
    std::array<char16_t, 0x10000> canonical;
    std::array<char16_t, 0x10000> next;

    FoldTables()
    {
        for (int c = 0; c < 0x10000; ++c)
            canonical[c] = char16_t(c);
        for (std::size_t i = 0; i < CaseFoldingTable::kRunCount; ++i) {
            const CaseFoldingTable::Run& run = CaseFoldingTable::kRuns[i];
            for (int c = run.first; c <= run.last; c += run.step)
                canonical[c] = char16_t(c + run.delta);
        }
        std::vector<int> lastWithCanonical(0x10000, -1);
        for (int c = 0; c < 0x10000; ++c) {
            const char16_t k = canonical[c];
            next[c] = char16_t(c);
            if (const int last = lastWithCanonical[k]; last >= 0) {
                next[c] = next[last];
                next[last] = char16_t(c);
            }
            lastWithCanonical[k] = c;
        }
    }
};

const FoldTables& tables()
{
    // Immutable once built; C++ makes the one-time construction thread-safe.
    static const auto instance = std::make_unique<const FoldTables>();
    return *instance;
}

} // namespace

namespace CaseFolding {

char16_t canonical(char16_t c)
{
    return tables().canonical[c];
}

char16_t nextEquivalent(char16_t c)
{
    return tables().next[c];
}

} // namespace CaseFolding
