#include "debugger/TracedPattern.h"

#include "regex/PatternCallouts.h"
#include "regex/PcreCode.h"

#include <algorithm>

struct TracedCode {
    TranslatedPattern translated;
    PcreCode code;
    /// For each source mark, the index of its part.
    std::vector<int> markParts;
    int engineGroups = 0;
};

namespace {

/// What the callout of a traced run needs.
struct RunState {
    const TracedCode* code = nullptr;
    StepSink* sink = nullptr;
    CalloutData calloutData;
    ScanMeter meter;
    bool stopped = false;
};

/// An automatic callout has number 255 and no string; so has an explicit "(?C255)", which
/// ends where the engine goes on.
bool isAutomatic(const pcre2_callout_block& block, const QString& pcrePattern)
{
    if (block.callout_number != 255 || block.callout_string)
        return false;
    constexpr QStringView explicit255 = u"(?C255)";
    const auto at = qsizetype(block.pattern_position);
    return at < explicit255.size() || QStringView(pcrePattern).mid(at - explicit255.size(), explicit255.size()) != explicit255;
}

int tracedCallout(pcre2_callout_block* block, void* data)
{
    auto& state = *static_cast<RunState*>(data);
    const TracedCode& code = *state.code;
    if (!isAutomatic(*block, code.translated.pcrePattern))
        return patternCallout(block, &state.calloutData);
    const auto at = qsizetype(block->pattern_position);
    const SourceMark* mark = at < code.translated.pcrePattern.size() ? sourceOf(code.translated, at) : nullptr;
    TraceStep step;
    step.position = qsizetype(block->current_position);
    step.part = mark ? code.markParts[std::size_t(mark - code.translated.sourceMap.data())] : TracedPattern::kEndPart;
    step.backtrack = block->callout_flags & PCRE2_CALLOUT_BACKTRACK;
    step.newStart = block->callout_flags & PCRE2_CALLOUT_STARTMATCH;
    if (state.sink->onStep(step, block->offset_vector, block->capture_top))
        return 0;
    state.stopped = true;
    return PCRE2_ERROR_CALLOUT;
}

} // namespace

TracedPattern::TracedPattern() = default;
TracedPattern::TracedPattern(TracedPattern&&) noexcept = default;
TracedPattern& TracedPattern::operator=(TracedPattern&&) noexcept = default;
TracedPattern::~TracedPattern() = default;

RegExpResult<TracedPattern> TracedPattern::compile(const QString& pattern, bool ignoreCase)
{
    RegExpResult<TranslatedPattern> translated = translateWithSourceMap(pattern, ignoreCase, true);
    if (!translated)
        return translated.error();
    TracedPattern traced;
    traced.mPattern = pattern;
    traced.mCode = std::make_unique<TracedCode>();
    TracedCode& code = *traced.mCode;
    code.translated = std::move(translated).value();
    // Every start position is tried, so that the trace shows each attempt.
    int errorCode = 0;
    code.code = compileTranslated(code.translated, PCRE2_AUTO_CALLOUT | PCRE2_NO_START_OPTIMIZE, errorCode);
    if (!code.code) {
        RegExpError error = RegExpError::make(RegExpError::PatternTooComplex);
        error.Description += QStringLiteral(" (") + pcreMessage(errorCode) + u')';
        return error;
    }
    uint32_t captures = 0;
    pcre2_pattern_info(code.code.get(), PCRE2_INFO_CAPTURECOUNT, &captures);
    code.engineGroups = int(captures);
    traced.mParts.push_back({pattern.size(), 0});
    for (const SourceMark& mark : code.translated.sourceMap) {
        const TracedPart part{mark.offset, mark.length};
        auto found = std::find(traced.mParts.begin(), traced.mParts.end(), part);
        if (found == traced.mParts.end()) {
            if (int(traced.mParts.size()) == kMaxParts)
                return RegExpError::make(RegExpError::PatternTooComplex);
            found = traced.mParts.insert(traced.mParts.end(), part);
        }
        code.markParts.push_back(int(found - traced.mParts.begin()));
    }
    return traced;
}

int TracedPattern::groupCount() const { return mCode->translated.groupCount; }

int TracedPattern::engineGroupCount() const { return mCode->engineGroups; }

TraceOutcome TracedPattern::run(const QString& text, qsizetype first, qsizetype last, StepSink& sink,
                                qint64 memoryLimit) const
{
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> data(pcre2_match_data_create_from_pattern(mCode->code.get(), nullptr));
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> context(pcre2_match_context_create(nullptr));
    Q_CHECK_PTR(data.get());
    Q_CHECK_PTR(context.get());
    RunState state;
    state.code = mCode.get();
    state.sink = &sink;
    state.meter.allowance = UINT64_MAX;
    state.calloutData = {&mCode->translated, &state.meter};
    // The sink decides how long the run goes on.
    pcre2_set_match_limit(context.get(), UINT32_MAX);
    pcre2_set_depth_limit(context.get(), UINT32_MAX);
    pcre2_set_heap_limit(context.get(), uint32_t(std::clamp<qint64>(memoryLimit / 1024, 1, UINT32_MAX)));
    if (last < text.size())
        pcre2_set_offset_limit(context.get(), PCRE2_SIZE(last));
    pcre2_set_callout(context.get(), tracedCallout, &state);
    const int rc = pcre2_match(mCode->code.get(), reinterpret_cast<PCRE2_SPTR>(text.utf16()), PCRE2_SIZE(text.size()),
                               PCRE2_SIZE(first), PCRE2_NO_JIT, data.get(), context.get());
    TraceOutcome outcome;
    if (rc > 0) {
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        outcome.end = TraceOutcome::End::Matched;
        outcome.matchStart = qsizetype(ovector[0]);
        outcome.matchEnd = qsizetype(ovector[1]);
    } else if (state.stopped) {
        outcome.end = TraceOutcome::End::Stopped;
    } else if (rc != PCRE2_ERROR_NOMATCH) {
        outcome.end = TraceOutcome::End::Failed;
        outcome.error = RegExpError::make(RegExpError::TooManyRepetitions);
    }
    return outcome;
}

std::pair<qsizetype, qsizetype> TracedPattern::groupSpan(int j, const std::vector<std::size_t>& ovector) const
{
    const int group = currentGroup(mCode->translated, j, ovector.data(), uint32_t(ovector.size() / 2));
    const std::size_t start = ovector[2 * std::size_t(group)];
    if (start == PCRE2_UNSET)
        return {-1, -1};
    return {qsizetype(start), qsizetype(ovector[2 * std::size_t(group) + 1])};
}
