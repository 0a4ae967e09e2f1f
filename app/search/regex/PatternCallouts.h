#pragma once

#include "regex/PatternTranslator.h"

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

/// The work of repeats that PCRE2's match limit does not see, in one call of the engine. Where
/// two repeats of one character each meet, as in a*a*x, every step the first gives back makes
/// the second go over the rest of the run again, a step of the match limit that can cost as
/// much as the run is long. The ScanMeter callouts around the second repeat count the code
/// units passed since the last of them, per start position, and end the call as at its match
/// limit once they pass the allowance.
struct ScanMeter {
    PCRE2_SIZE start = PCRE2_UNSET; ///< the start position counted; unset at each call
    PCRE2_SIZE mark = 0;            ///< where the last metering callout was
    quint64 passed = 0;
    quint64 allowance = 0;
};

/// What the callouts of one search need: the translated pattern and its meter.
struct CalloutData {
    const TranslatedPattern* pattern = nullptr;
    ScanMeter* meter = nullptr;
};

/// PCRE2's callout function for a translated pattern, whose CalloutData is data: the folded or
/// copied back-references, the checks of empty iterations and the meter of repeats.
int patternCallout(pcre2_callout_block* block, void* data);

/// The PCRE2 group whose offsets are original group j's in ovector (captureTop pairs set).
///
/// Of several copies of a group, the text is the one set last. Each copy stands for later
/// iterations than the one before it, and later iterations start no earlier, so that is the
/// copy that starts last; where two start at the same place, one of them is empty, and the
/// other is the later. A capture inside a lookahead may start beyond where a later iteration
/// sets another copy; there the earlier text wins.
int currentGroup(const TranslatedPattern& pattern, int j, const PCRE2_SIZE* ovector, uint32_t captureTop);
