#include "regex/PatternCallouts.h"

#include "regex/CaseFolding.h"

#include <QtGlobal>

namespace {

bool isSet(const PCRE2_SIZE* ovector, uint32_t captureTop, int group)
{
    return uint32_t(group) < captureTop && ovector[2 * group] != PCRE2_UNSET;
}

/// The guard lets the reference's loop take at most as many code units as the group holds,
/// the check compares them.
int backReference(const pcre2_callout_block& block, const TranslatedPattern& pattern,
                  const PatternCallout& callout)
{
    const CalloutBackReference& reference = pattern.backReferences[std::size_t(callout.index)];
    const PCRE2_SIZE* ovector = block.offset_vector;
    Q_ASSERT(isSet(ovector, block.capture_top, reference.markerGroup));
    const PCRE2_SIZE start = ovector[2 * reference.markerGroup];
    const PCRE2_SIZE taken = block.current_position - start;
    const int target = currentGroup(pattern, reference.group, ovector, block.capture_top);
    const bool targetSet = isSet(ovector, block.capture_top, target);
    const PCRE2_SIZE targetStart = targetSet ? ovector[2 * target] : 0;
    const PCRE2_SIZE targetLength = targetSet ? ovector[2 * target + 1] - targetStart : 0;
    if (callout.kind == PatternCallout::BackReferenceGuard)
        return taken < targetLength ? 0 : 1;
    if (taken != targetLength)
        return 1;
    for (PCRE2_SIZE i = 0; i < taken; ++i) {
        const char16_t c = block.subject[start + i];
        const char16_t t = block.subject[targetStart + i];
        if (c != t && (!reference.caseless || CaseFolding::canonical(c) != CaseFolding::canonical(t)))
            return 1;
    }
    return 0;
}

/// Counts the code units passed forward since the last metering callout of this start
/// position, and the callout itself as one, since a lazy repeat passes one at a time.
int meterScan(const pcre2_callout_block& block, ScanMeter& meter)
{
    if (block.start_match != meter.start) {
        meter.start = block.start_match;
        meter.mark = block.start_match;
        meter.passed = 0;
    }
    const PCRE2_SIZE at = block.current_position;
    meter.passed += 1 + (at > meter.mark ? at - meter.mark : 0);
    meter.mark = at;
    return meter.passed > meter.allowance ? PCRE2_ERROR_MATCHLIMIT : 0;
}

} // namespace

int currentGroup(const TranslatedPattern& pattern, int j, const PCRE2_SIZE* ovector, uint32_t captureTop)
{
    if (std::size_t(j) >= pattern.groupCopies.size() || pattern.groupCopies[std::size_t(j)].empty())
        return pattern.groupMap.empty() ? j : pattern.groupMap[std::size_t(j)];
    const std::vector<int>& copies = pattern.groupCopies[std::size_t(j)];
    int current = copies.front();
    for (int copy : copies) {
        if (!isSet(ovector, captureTop, copy))
            continue;
        if (!isSet(ovector, captureTop, current) || ovector[2 * copy] > ovector[2 * current]
            || (ovector[2 * copy] == ovector[2 * current] && ovector[2 * copy + 1] > ovector[2 * current + 1]))
            current = copy;
    }
    return current;
}

int patternCallout(pcre2_callout_block* block, void* data)
{
    const auto& calloutData = *static_cast<const CalloutData*>(data);
    const TranslatedPattern& pattern = *calloutData.pattern;
    std::size_t number = block->callout_number;
    if (block->callout_string) {
        number = 0;
        for (PCRE2_SIZE i = 0; i < block->callout_string_length; ++i)
            number = number * 10 + (block->callout_string[i] - '0');
    }
    Q_ASSERT(number >= 1 && number <= pattern.callouts.size());
    const PatternCallout& callout = pattern.callouts[number - 1];
    if (callout.kind == PatternCallout::ScanMeter)
        return meterScan(*block, *calloutData.meter);
    if (callout.kind != PatternCallout::IterationCheck)
        return backReference(*block, pattern, callout);
    // An iteration that took nothing fails.
    const int marker = pattern.iterationMarkers[std::size_t(callout.index)];
    Q_ASSERT(isSet(block->offset_vector, block->capture_top, marker));
    return block->current_position == block->offset_vector[2 * marker] ? 1 : 0;
}
