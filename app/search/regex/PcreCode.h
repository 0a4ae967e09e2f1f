#pragma once

#include "regex/PatternTranslator.h"

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

#include <memory>

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};

using PcreCode = std::unique_ptr<pcre2_code, CodeDeleter>;

/// Compiles a translated pattern with the options its translation asks for, and extraOptions;
/// null with errorCode set when PCRE2 rejects it. Matching must pass the start offset and
/// may set an offset limit (PCRE2_USE_OFFSET_LIMIT).
PcreCode compileTranslated(const TranslatedPattern& pattern, uint32_t extraOptions, int& errorCode);

/// PCRE2's message for errorCode.
QString pcreMessage(int errorCode);
