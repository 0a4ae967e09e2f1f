#include "search/RegExp.h"

#include "search/GrowingBuffers.h"
#include "search/LiteralAlternatives.h"
#include "search/PatternCallouts.h"
#include "search/PatternTranslator.h"
#include "search/ReplacementTemplate.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QList>
#include <QStringView>

#include <algorithm>

namespace {

// Limits that stop runaway backtracking within a fraction of a second; the JIT stack is large
// enough for deep but linear patterns such as (a|b)*! on long texts, and the interpreter takes
// over, within the heap limit, where it runs out.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 10'000'000;
constexpr uint32_t kHeapLimitKiB = 512 * 1024;
constexpr PCRE2_SIZE kJitStackStart = 64 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 8 * 1024 * 1024;

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

QString pcreMessage(int errorCode)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(errorCode, buffer, std::size(buffer));
    return length < 0 ? QString::number(errorCode)
                      : QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length);
}

/// Whether the compiled pattern may carry a wrong start-of-match hint. Some PCRE2 versions
/// (10.42 among them) take the first character of a leading lookahead as the first code unit
/// of every match even when the code unit every match requires is that same character, taken
/// at the start of the match; the engine then looks for the required one only after the start
/// and misses the match ((?=ab)x?a on "ab", or (?=ab)^a under Multiline).
bool mayHaveWrongStartHint(const pcre2_code* code)
{
    uint32_t firstType = 0;
    uint32_t lastType = 0;
    pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODETYPE, &firstType);
    pcre2_pattern_info(code, PCRE2_INFO_LASTCODETYPE, &lastType);
    if (firstType != 1 || lastType != 1)
        return false;
    uint32_t first = 0;
    uint32_t last = 0;
    pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODEUNIT, &first);
    pcre2_pattern_info(code, PCRE2_INFO_LASTCODEUNIT, &last);
    auto fold = [](uint32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return fold(first) == fold(last);
}

} // namespace

/// The translated and compiled form of one pattern with its options; immutable once built.
struct CompiledPattern {
    std::optional<RegExpError> error;
    TranslatedPattern translated;
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    bool jit = false;
    /// Set when the pattern is plain text alternatives, which are searched without PCRE2.
    std::optional<LiteralAlternatives> literals;

    /// The PCRE2 group number of original group j (0 is the whole match) in the ovector of a
    /// match, where every pair is set or PCRE2_UNSET.
    int pcreGroup(int j, const PCRE2_SIZE* ovector) const
    {
        if (!translated.groupCopies.empty()) // rare: the choice among copies costs a call
            return currentGroup(translated, j, ovector, UINT32_MAX);
        return translated.groupMap.empty() ? j : translated.groupMap[std::size_t(j)];
    }
};

namespace {

std::shared_ptr<const CompiledPattern> compilePattern(const QString& pattern, bool ignoreCase,
                                                      bool multiline)
{
    auto compiled = std::make_shared<CompiledPattern>();
    auto translated = translatePattern(pattern, ignoreCase, multiline);
    if (auto* error = std::get_if<RegExpError>(&translated)) {
        compiled->error = *error;
        return compiled;
    }
    compiled->translated = std::move(std::get<TranslatedPattern>(translated));
    const QString& source = compiled->translated.pcrePattern;
    // No PCRE2_UTF: one code unit is one character, as the positions are code units.
    uint32_t options = PCRE2_MATCH_UNSET_BACKREF;
    if (compiled->translated.caseless)
        options |= PCRE2_CASELESS;
    std::unique_ptr<pcre2_compile_context, CompileContextDeleter> context;
    if (compiled->translated.lineStart) {
        // Only for patterns with the line-start anchor: under this convention PCRE2 moves on
        // over a whole CR LF after a failed start unless the pattern spells out CR or LF,
        // which the anchor does.
        options |= PCRE2_MULTILINE | PCRE2_ALT_CIRCUMFLEX;
        context.reset(pcre2_compile_context_create(nullptr));
        Q_CHECK_PTR(context.get());
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    }
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    auto compile = [&] {
        compiled->code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.utf16()),
                                           PCRE2_SIZE(source.size()), options, &errorCode,
                                           &errorOffset, context.get()));
    };
    compile();
    if (compiled->code && compiled->translated.lookahead
        && mayHaveWrongStartHint(compiled->code.get())) {
        // Without the start-of-match optimizations every position is tried, which is slower
        // but right; only patterns with a lookahead get here.
        options |= PCRE2_NO_START_OPTIMIZE;
        compile();
    }
    if (!compiled->code) {
        // The translator accepts only this flavour's syntax, so what PCRE2 still rejects is a
        // limit of the engine, such as a repeat count above 65535.
        RegExpError error = RegExpError::make(RegExpError::PatternTooComplex);
        error.Description += QStringLiteral(" (") + pcreMessage(errorCode) + u')';
        compiled->error = error;
        return compiled;
    }
    compiled->jit = pcre2_jit_compile(compiled->code.get(), PCRE2_JIT_COMPLETE) == 0;
    compiled->literals = LiteralAlternatives::of(pattern, ignoreCase);
    return compiled;
}

/// One search over one text: the match data, match context and JIT stack it needs.
class Matcher {
public:
    Matcher(const CompiledPattern& compiled, const QString& text, bool useJit)
        : mCompiled(compiled),
          mSubject(reinterpret_cast<PCRE2_SPTR>(text.utf16())),
          mLength(PCRE2_SIZE(text.size())),
          mData(pcre2_match_data_create_from_pattern(compiled.code.get(), nullptr)),
          mContext(pcre2_match_context_create(nullptr))
    {
        Q_CHECK_PTR(mData.get());
        Q_CHECK_PTR(mContext.get());
        pcre2_set_match_limit(mContext.get(), kMatchLimit);
        pcre2_set_depth_limit(mContext.get(), kDepthLimit);
        pcre2_set_heap_limit(mContext.get(), kHeapLimitKiB);
        if (compiled.jit && useJit) {
            mJitStack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
            if (mJitStack)
                pcre2_jit_stack_assign(mContext.get(), nullptr, mJitStack.get());
        }
        if (!compiled.translated.callouts.empty())
            pcre2_set_callout(mContext.get(), patternCallout,
                              const_cast<TranslatedPattern*>(&compiled.translated));
    }

    /// PCRE2's result: positive when found, PCRE2_ERROR_NOMATCH, or another (negative) error.
    int match(PCRE2_SIZE offset)
    {
        const pcre2_code* code = mCompiled.code.get();
        if (mJitStack) {
            const int rc = pcre2_jit_match(code, mSubject, mLength, offset, 0, mData.get(),
                                           mContext.get());
            if (rc != PCRE2_ERROR_JIT_STACKLIMIT)
                return rc;
        }
        return pcre2_match(code, mSubject, mLength, offset, PCRE2_NO_JIT, mData.get(),
                           mContext.get());
    }

    const PCRE2_SIZE* ovector() const { return pcre2_get_ovector_pointer(mData.get()); }
    PCRE2_SIZE length() const { return mLength; }

private:
    const CompiledPattern& mCompiled;
    PCRE2_SPTR mSubject;
    PCRE2_SIZE mLength;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> mData;
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> mContext;
    std::unique_ptr<pcre2_jit_stack, JitStackDeleter> mJitStack;
};

RegExpError matchError(int rc)
{
    switch (rc) {
    case PCRE2_ERROR_MATCHLIMIT:
    case PCRE2_ERROR_DEPTHLIMIT:
    case PCRE2_ERROR_HEAPLIMIT:
    case PCRE2_ERROR_NOMEMORY:
    case PCRE2_ERROR_JIT_STACKLIMIT:
        return RegExpError::make(RegExpError::TooMuchBacktracking);
    default: {
        RegExpError error = RegExpError::make(RegExpError::InternalError);
        error.Description += QStringLiteral(" (") + pcreMessage(rc) + u')';
        return error;
    }
    }
}

/// Copies the offsets of the match in ovector to out: (groupCount + 1) start/end pairs in the
/// pattern's own group numbers, -1, -1 for a group that took no part.
template <typename Offset>
void copyOffsets(const CompiledPattern& compiled, const PCRE2_SIZE* ovector, Offset* out)
{
    const int groupCount = compiled.translated.groupCount;
    for (int j = 0; j <= groupCount; ++j) {
        const int group = compiled.pcreGroup(j, ovector);
        const bool set = ovector[2 * group] != PCRE2_UNSET;
        out[2 * j] = set ? Offset(ovector[2 * group]) : Offset(-1);
        out[2 * j + 1] = set ? Offset(ovector[2 * group + 1]) : Offset(-1);
    }
}

/// Runs the search over the whole text, calling onMatch(ovector) for each match in text order;
/// onMatch returns false to stop. Returns the error that ended the search, if any.
template <typename OnMatch>
std::optional<RegExpError> forEachMatch(const CompiledPattern& compiled, const QString& text,
                                        bool global, bool useJit,
                                        const std::atomic_bool* cancel, OnMatch onMatch)
{
    if (compiled.literals) {
        const auto* subject = reinterpret_cast<const char16_t*>(text.utf16());
        qsizetype from = 0;
        qsizetype start = 0;
        qsizetype end = 0;
        for (;;) {
            if (cancel && cancel->load(std::memory_order_relaxed))
                return RegExpError::make(RegExpError::Cancelled);
            if (!compiled.literals->find(subject, text.size(), from, start, end))
                break;
            const PCRE2_SIZE ovector[2] = {PCRE2_SIZE(start), PCRE2_SIZE(end)};
            if (!onMatch(ovector) || !global)
                break;
            from = end; // never empty: no alternative is
        }
        return std::nullopt;
    }
    Matcher matcher(compiled, text, useJit);
    PCRE2_SIZE offset = 0;
    while (offset <= matcher.length()) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return RegExpError::make(RegExpError::Cancelled);
        const int rc = matcher.match(offset);
        if (rc == PCRE2_ERROR_NOMATCH)
            break;
        if (rc < 0)
            return matchError(rc);
        const PCRE2_SIZE* ovector = matcher.ovector();
        if (!onMatch(ovector) || !global)
            break;
        // The next search starts one code unit after an empty match, so a zero-length match
        // is found once and the search moves on.
        offset = ovector[1] > ovector[0] ? ovector[1] : ovector[1] + 1;
    }
    return std::nullopt;
}

} // namespace

RegExp::RegExp() = default;
RegExp::RegExp(const QString& pattern) : mPattern(pattern) {}
RegExp::~RegExp() = default;
RegExp::RegExp(const RegExp&) = default;
RegExp& RegExp::operator=(const RegExp&) = default;
RegExp::RegExp(RegExp&&) noexcept = default;
RegExp& RegExp::operator=(RegExp&&) noexcept = default;

QString RegExp::Pattern() const { return mPattern; }

void RegExp::setPattern(const QString& pattern)
{
    if (pattern == mPattern)
        return;
    mPattern = pattern;
    mCompiled.reset();
}

bool RegExp::IgnoreCase() const { return mIgnoreCase; }

void RegExp::setIgnoreCase(bool ignoreCase)
{
    if (ignoreCase == mIgnoreCase)
        return;
    mIgnoreCase = ignoreCase;
    mCompiled.reset();
}

bool RegExp::Global() const { return mGlobal; }

void RegExp::setGlobal(bool global) { mGlobal = global; }

bool RegExp::Multiline() const { return mMultiline; }

void RegExp::setMultiline(bool multiline)
{
    if (multiline == mMultiline)
        return;
    mMultiline = multiline;
    mCompiled.reset();
}

qsizetype RegExp::maxResultLength() const { return mMaxResultLength; }

void RegExp::setMaxResultLength(qsizetype length) { mMaxResultLength = length; }

int RegExp::compileCount() const { return mCompileCount; }

bool RegExp::jitEnabled() const { return mJitEnabled; }

void RegExp::setJitEnabled(bool enabled) { mJitEnabled = enabled; }

const CompiledPattern& RegExp::compiled() const
{
    if (!mCompiled) {
        mCompiled = compilePattern(mPattern, mIgnoreCase, mMultiline);
        ++mCompileCount;
    }
    return *mCompiled;
}

std::optional<RegExpError> RegExp::Compile() const
{
    return compiled().error;
}

int RegExp::GroupCount() const
{
    const CompiledPattern& pattern = compiled();
    return pattern.error ? 0 : pattern.translated.groupCount;
}

RegExpResult<MatchCollection> RegExp::Execute(const QString& text,
                                              const std::atomic_bool* cancel) const
{
    const CompiledPattern& pattern = compiled();
    if (pattern.error)
        return *pattern.error;
    if (text.size() > INT32_MAX)
        return RegExpError::make(RegExpError::TextTooLong);
    auto data = std::make_shared<MatchData>();
    data->text = text;
    data->groupCount = pattern.translated.groupCount;
    const qsizetype stride = data->stride();
    const auto error = forEachMatch(pattern, text, mGlobal, mJitEnabled, cancel, [&](const PCRE2_SIZE* ovector) {
        copyOffsets(pattern, ovector, data->offsets.extend(stride));
        return true;
    });
    if (error)
        return *error;
    return MatchCollection(std::move(data));
}

RegExpResult<QString> RegExp::Replace(const QString& text, const QString& replacement,
                                      const std::atomic_bool* cancel) const
{
    const CompiledPattern& pattern = compiled();
    if (pattern.error)
        return *pattern.error;
    const ReplacementTemplate expansion(replacement, pattern.translated.groupCount);
    ResultBuffer result;
    qsizetype copied = 0; // text before this position is in result
    bool tooLong = false;
    bool reserved = false;
    std::vector<qsizetype> offsets(2 * (std::size_t(pattern.translated.groupCount) + 1));
    const auto error = forEachMatch(pattern, text, mGlobal, mJitEnabled, cancel, [&](const PCRE2_SIZE* ovector) {
        copyOffsets(pattern, ovector, offsets.data());
        const qsizetype expanded = expansion.expandedLength(text, offsets);
        const qsizetype added = offsets[0] - copied + expanded;
        if (result.size() + added > mMaxResultLength) {
            tooLong = true;
            return false;
        }
        // Room for the text and an eighth more, so that replacements that lengthen it a little
        // never grow the result: growing a large one copies it while both copies are held.
        if (!reserved) {
            reserved = true;
            result.reserve(std::max(text.size() + text.size() / 8, added));
        }
        result.append(QStringView(text).mid(copied, offsets[0] - copied));
        expansion.expandTo(result.extend(expanded), text, offsets);
        copied = offsets[1];
        return true;
    });
    if (error)
        return *error;
    if (tooLong || result.size() + (text.size() - copied) > mMaxResultLength)
        return RegExpError::make(RegExpError::ResultTooLong);
    if (copied == 0 && result.size() == 0)
        return text; // no match, or only empty matches replaced by nothing at the start
    result.append(QStringView(text).mid(copied));
    return result.take();
}
