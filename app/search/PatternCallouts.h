#pragma once

#include "search/PatternTranslator.h"

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

/// PCRE2's callout function for a translated pattern, whose TranslatedPattern is data: the
/// folded or copied back-references and the checks of empty iterations.
int patternCallout(pcre2_callout_block* block, void* data);

/// The PCRE2 group whose offsets are original group j's in ovector (captureTop pairs set).
///
/// Of several copies of a group, the text is the one set last. Each copy stands for later
/// iterations than the one before it, and later iterations start no earlier, so that is the
/// copy that starts last; where two start at the same place, one of them is empty, and the
/// other is the later. A capture inside a lookahead may start beyond where a later iteration
/// sets another copy; there the earlier text wins.
int currentGroup(const TranslatedPattern& pattern, int j, const PCRE2_SIZE* ovector, uint32_t captureTop);
