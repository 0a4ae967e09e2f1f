#include "regex/PcreCode.h"

namespace {

struct CompileContextDeleter {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};

} // namespace

PcreCode compileTranslated(const TranslatedPattern& pattern, uint32_t extraOptions, int& errorCode)
{
    // No PCRE2_UTF: one code unit is one character, as the positions are code units. The
    // offset limit lets a search try its start positions a window at a time.
    uint32_t options = PCRE2_MATCH_UNSET_BACKREF | PCRE2_USE_OFFSET_LIMIT | extraOptions;
    if (pattern.caseless)
        options |= PCRE2_CASELESS;
    std::unique_ptr<pcre2_compile_context, CompileContextDeleter> context;
    if (pattern.lineStart) {
        // Only for patterns with the line-start anchor: under this convention PCRE2 moves on
        // over a whole CR LF after a failed start unless the pattern spells out CR or LF,
        // which the anchor does.
        options |= PCRE2_MULTILINE | PCRE2_ALT_CIRCUMFLEX;
        context.reset(pcre2_compile_context_create(nullptr));
        Q_CHECK_PTR(context.get());
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    }
    // Also slower but right, and only for such patterns: see repeatAfterAlternatives.
    if (pattern.repeatAfterAlternatives)
        options |= PCRE2_NO_START_OPTIMIZE;
    PCRE2_SIZE errorOffset = 0;
    const QString& source = pattern.pcrePattern;
    return PcreCode(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.utf16()), PCRE2_SIZE(source.size()), options,
                                  &errorCode, &errorOffset, context.get()));
}

QString pcreMessage(int errorCode)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(errorCode, buffer, std::size(buffer));
    return length < 0 ? QString::number(errorCode)
                      : QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length);
}
