#include "regex/RegExp.h"

#include "regex/GrowingBuffers.h"
#include "regex/LiteralAlternatives.h"
#include "regex/LiteralFinder.h"
#include "regex/PatternCallouts.h"
#include "regex/PatternTranslator.h"
#include "regex/PcreCode.h"
#include "regex/ReplacementTemplate.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QList>
#include <QStringView>

#include <algorithm>

namespace {

// Limits that stop runaway backtracking within a fraction of a second. The match limit holds
// for each start position; the search budget (RegExp::matchBudget) bounds a whole search.
constexpr uint32_t kMatchLimit = 10'000'000;
// Start positions are tried in windows of at most this many with the cheap limit; a window that
// reaches it is halved down to one position, whose limit then grows by kLimitGrowth up to
// kMatchLimit. Every try beyond the cheap limit is charged its whole limit, so that a search
// never works longer than its budget allows; tries that end within the cheap limit cost
// nothing of it, so that even a budget of 0 lets an ordinary pattern through. The loop
// regains control (for the cancel flag) after every window and every try.
constexpr uint32_t kCheapLimit = 1'000;
constexpr uint32_t kLimitGrowth = 4;
constexpr PCRE2_SIZE kMaxWindow = 1 << 16;
// The interpreter does about a quarter of the work of the JIT in the same time.
constexpr qint64 kInterpreterWeight = 4;
// Code units a metered repeat may pass over for one step of the match limit: a step of the
// JIT takes about as long as passing over a dozen code units.
constexpr quint64 kScanPerStep = 8;
// A repetition the match holds open, such as each iteration of (a|b)+, takes some 32 bytes of
// the JIT stack, and about a kilobyte of the interpreter's heap. The JIT stack grows on demand
// up to what one iteration per code unit of the text needs, at least kJitStackMin and at most
// the memory limit; only where it runs out below that limit does the interpreter take over,
// within the memory limit.
constexpr PCRE2_SIZE kJitStackStart = 64 * 1024;
constexpr PCRE2_SIZE kJitStackMin = 8 * 1024 * 1024;
constexpr PCRE2_SIZE kJitStackPerCodeUnit = 64;
constexpr uint32_t kDepthLimit = 10'000'000;

} // namespace

struct SearchScratch::JitStack {
    pcre2_jit_stack* stack = nullptr;
    PCRE2_SIZE size = 0;

    JitStack(PCRE2_SIZE start, PCRE2_SIZE bytes) : stack(pcre2_jit_stack_create(std::min(start, bytes), bytes, nullptr)), size(bytes) {}
    ~JitStack() { pcre2_jit_stack_free(stack); }
    JitStack(const JitStack&) = delete;
    JitStack& operator=(const JitStack&) = delete;
};

SearchScratch::SearchScratch() = default;
SearchScratch::~SearchScratch() = default;

const SearchScratch::JitStack* SearchScratch::jitStack(std::size_t wanted, std::size_t minimum, std::size_t start)
{
    if (mStack && mStack->size >= wanted)
        return mStack.get();
    mStack.reset();
    mStack = std::make_unique<JitStack>(start, wanted);
    if (!mStack->stack && wanted > minimum) // the system would not reserve that much
        mStack = std::make_unique<JitStack>(start, minimum);
    if (!mStack->stack)
        mStack.reset();
    return mStack.get();
}

namespace {

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
    PcreCode code;
    bool jit = false;
    /// Set when the pattern is plain text alternatives, which are searched without PCRE2.
    std::optional<LiteralAlternatives> literals;
    /// Set when every match holds translated.requiredLiteral: PCRE2 then runs only near its places.
    std::optional<LiteralFinder> requiredLiteral;

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
    RegExpResult<TranslatedPattern> translated = translatePattern(pattern, ignoreCase, multiline);
    if (!translated) {
        compiled->error = translated.error();
        return compiled;
    }
    compiled->translated = std::move(translated).value();
    // Plain text alternatives need no PCRE2 code, and a long list of them may be more than
    // PCRE2 can compile.
    compiled->literals = LiteralAlternatives::of(pattern, ignoreCase);
    if (compiled->literals)
        return compiled;
    int errorCode = 0;
    compiled->code = compileTranslated(compiled->translated, 0, errorCode);
    if (compiled->code && compiled->translated.lookahead
        && mayHaveWrongStartHint(compiled->code.get())) {
        // Without the start-of-match optimizations every position is tried, which is slower
        // but right; only patterns with a lookahead get here.
        compiled->code = compileTranslated(compiled->translated, PCRE2_NO_START_OPTIMIZE, errorCode);
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
    // A literal that starts every match is what PCRE2's own vector search looks for already.
    const auto& required = compiled->translated.requiredLiteral;
    if (required && required->maxPrefix != quint64(0))
        compiled->requiredLiteral.emplace(required->text, required->caseless);
    return compiled;
}

RegExpError matchError(int rc)
{
    switch (rc) {
    case PCRE2_ERROR_MATCHLIMIT:
        return RegExpError::make(RegExpError::TooMuchBacktracking);
    // What runs out here is the memory for the repetitions the match holds open.
    case PCRE2_ERROR_DEPTHLIMIT:
    case PCRE2_ERROR_HEAPLIMIT:
    case PCRE2_ERROR_NOMEMORY:
    case PCRE2_ERROR_JIT_STACKLIMIT:
        return RegExpError::make(RegExpError::TooManyRepetitions);
    default: {
        RegExpError error = RegExpError::make(RegExpError::InternalError);
        error.Description += QStringLiteral(" (") + pcreMessage(rc) + u')';
        return error;
    }
    }
}

/// One search over one text: the match data, match context and JIT stack it needs, and the
/// work it may still do. It finds the next match as one pcre2_match over the rest of the text
/// would, but tries the start positions in windows (see kCheapLimit), so that work spent on
/// start positions that backtrack is counted against the budget and the cancel flag is seen
/// inside a long search.
class Matcher {
public:
    Matcher(const CompiledPattern& compiled, bool useJit, qint64 budget, qint64 memoryLimit,
            const std::atomic_bool* cancel, SearchScratch& scratch)
        : mCode(compiled.code.get()),
          mData(pcre2_match_data_create_from_pattern(compiled.code.get(), nullptr)),
          mContext(pcre2_match_context_create(nullptr)),
          mScratch(scratch),
          mMemory(PCRE2_SIZE(std::max<qint64>(memoryLimit, 1024))),
          mUseJit(compiled.jit && useJit),
          mBudget(budget),
          mCancel(cancel)
    {
        Q_CHECK_PTR(mData.get());
        Q_CHECK_PTR(mContext.get());
        mOvector = pcre2_get_ovector_pointer(mData.get());
        pcre2_set_depth_limit(mContext.get(), kDepthLimit);
        pcre2_set_heap_limit(mContext.get(), uint32_t(std::min<PCRE2_SIZE>(mMemory / 1024, UINT32_MAX)));
        if (!compiled.translated.callouts.empty()) {
            mCalloutData = {&compiled.translated, &mMeter};
            pcre2_set_callout(mContext.get(), patternCallout, &mCalloutData);
        }
    }

    /// Makes text the subject of the next searches; the budget goes on from the last subject.
    void setSubject(const char16_t* text, qsizetype length)
    {
        mSubject = reinterpret_cast<PCRE2_SPTR>(text);
        mLength = PCRE2_SIZE(length);
        mEnd = mLength;
        mLast = lastStart(0);
        mCheapJitReady = false;
        mOffsetLimit = PCRE2_UNSET;
        pcre2_set_offset_limit(mContext.get(), PCRE2_UNSET);
        if (!mUseJit)
            return;
        const PCRE2_SIZE wanted = std::min(std::max(kJitStackPerCodeUnit * mLength, kJitStackMin), mMemory);
        if (!mStack || mStack->size < wanted) {
            mStack = mScratch.jitStack(wanted, kJitStackMin, kJitStackStart);
            pcre2_jit_stack_assign(mContext.get(), nullptr, mStack ? mStack->stack : nullptr);
        }
        // The interpreter would need far more memory where a stack of the whole limit ran out.
        mInterpretWhenStackRunsOut = !mStack || mStack->size < mMemory;
    }
    Matcher(const Matcher&) = delete; // the match context points at its callout data
    Matcher& operator=(const Matcher&) = delete;

    /// Looks for the first match that starts at or after offset: true when found (its
    /// offsets are in ovector()), false when there is none or the search failed (error()).
    bool find(PCRE2_SIZE offset) { return find(offset, mLength); }

    /// As find(offset), for a match that starts at or before last.
    bool find(PCRE2_SIZE offset, PCRE2_SIZE last)
    {
        if (last != mEnd) {
            mEnd = last;
            mLast = lastStart(offset);
            mCheapJitReady = false;
        }
        // Most calls find a match in the current window within the cheap limit: one JIT call
        // with the limits already set, without the bookkeeping of search.
        if (mCheapJitReady && offset <= mLast && !cancelRaised()) {
            const int rc = jitMatch(offset);
            return rc > 0 || search(offset, rc);
        }
        return search(offset, kNotTried);
    }

    /// Why find returned false, if not for the lack of a further match.
    const std::optional<RegExpError>& error() const { return mError; }

    /// True, with the error set, once the cancel flag is raised.
    bool cancelled()
    {
        if (cancelRaised())
            mError = RegExpError::make(RegExpError::Cancelled);
        return mError.has_value();
    }
    const PCRE2_SIZE* ovector() const { return mOvector; }
    PCRE2_SIZE length() const { return mLength; }

private:
    static constexpr int kNotTried = 1;

    /// find's loop; jitTry is the result of the cheap JIT try of offset..mLast when find made it.
    Q_NEVER_INLINE bool search(PCRE2_SIZE offset, int jitTry)
    {
        for (;;) {
            int rc = PCRE2_ERROR_NOMATCH;
            if (jitTry != kNotTried) {
                rc = afterJit(offset, jitTry);
                jitTry = kNotTried;
            } else {
                if (cancelRaised()) {
                    mError = RegExpError::make(RegExpError::Cancelled);
                    return false;
                }
                if (offset > mLast)
                    mLast = lastStart(offset);
                rc = attempt(offset, mLast, kCheapLimit);
            }
            if (rc == PCRE2_ERROR_MATCHLIMIT) {
                if (mLast > offset) {
                    mWindow = (mLast - offset + 1) / 2;
                    mLast = lastStart(offset);
                    continue;
                }
                rc = escalate(offset, mLast);
                if (mError)
                    return false;
            }
            if (rc > 0) {
                mCheapJitReady = mStack && mMatchLimit == kCheapLimit && mOffsetLimit == mLast;
                return true;
            }
            if (rc != PCRE2_ERROR_NOMATCH) {
                mError = matchError(rc);
                return false;
            }
            if (mLast >= mEnd)
                return false;
            offset = mLast + 1;
            mWindow = std::min(mWindow * 2, kMaxWindow);
        }
    }

    bool cancelRaised() const { return mCancel && mCancel->load(std::memory_order_relaxed); }

    /// True, with the error set, once the cancel flag is raised or the budget is spent.
    bool stopped()
    {
        if (!cancelled() && mBudget <= 0)
            mError = RegExpError::make(RegExpError::TooMuchBacktracking);
        return mError.has_value();
    }

    /// The last start position of the window from offset. A window that ends between a CR
    /// and its LF finds what one search would: PCRE2 could skip such an LF after failing at
    /// the CR, but never does here, since the translated line anchors spell out CR and LF.
    PCRE2_SIZE lastStart(PCRE2_SIZE offset) const { return std::min(offset + mWindow - 1, mEnd); }

    /// Tries the start positions offset..last, each within limit (lowered to what is left
    /// of the budget), in the JIT and, where its stack runs out, in the interpreter.
    int attempt(PCRE2_SIZE offset, PCRE2_SIZE last, uint32_t limit)
    {
        if (last != mOffsetLimit) {
            mOffsetLimit = last;
            pcre2_set_offset_limit(mContext.get(), last);
        }
        mTryLimit = limit;
        if (!mStack)
            return interpret(offset);
        setMatchLimit(1);
        return afterJit(offset, jitMatch(offset));
    }

    int jitMatch(PCRE2_SIZE offset)
    {
        mMeter.start = PCRE2_UNSET;
        return pcre2_jit_match(mCode, mSubject, mLength, offset, 0, mData.get(), mContext.get());
    }

    /// Charges the JIT's try and hands a try whose JIT stack ran out to the interpreter.
    int afterJit(PCRE2_SIZE offset, int rc)
    {
        charge(rc, 1);
        return rc == PCRE2_ERROR_JIT_STACKLIMIT && mInterpretWhenStackRunsOut ? interpret(offset) : rc;
    }

    int interpret(PCRE2_SIZE offset)
    {
        setMatchLimit(kInterpreterWeight);
        mMeter.start = PCRE2_UNSET;
        const int rc = pcre2_match(mCode, mSubject, mLength, offset, PCRE2_NO_JIT, mData.get(), mContext.get());
        charge(rc, kInterpreterWeight);
        return rc;
    }

    /// Sets the engine's match limit to the limit of the try; beyond the cheap limit, lowered
    /// to what is left of the budget at weight units a step.
    void setMatchLimit(qint64 weight)
    {
        uint32_t limit = mTryLimit;
        if (limit > kCheapLimit && qint64(limit) * weight > mBudget)
            limit = uint32_t(std::max<qint64>(mBudget / weight, 1));
        if (limit != mMatchLimit) {
            mMatchLimit = limit;
            mMeter.allowance = limit * kScanPerStep;
            pcre2_set_match_limit(mContext.get(), limit);
        }
    }

    /// The budget is charged the whole limit of a try, as much as it may have done, unless
    /// the try ended within the cheap limit.
    void charge(int rc, qint64 weight)
    {
        if (mMatchLimit > kCheapLimit || (rc < 0 && rc != PCRE2_ERROR_NOMATCH))
            mBudget -= qint64(mMatchLimit) * weight;
    }

    /// Tries one start position with growing limits, up to the
    /// limit of a single position; sets the error when the budget runs out first.
    int escalate(PCRE2_SIZE offset, PCRE2_SIZE last)
    {
        uint32_t limit = kCheapLimit;
        int rc = PCRE2_ERROR_MATCHLIMIT;
        while (rc == PCRE2_ERROR_MATCHLIMIT && limit < kMatchLimit && !stopped()) {
            limit = std::min(limit * kLimitGrowth, kMatchLimit);
            rc = attempt(offset, last, limit);
        }
        return rc;
    }

    const pcre2_code* mCode;
    PCRE2_SPTR mSubject = nullptr;
    PCRE2_SIZE mLength = 0;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> mData;
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> mContext;
    SearchScratch& mScratch;
    const PCRE2_SIZE mMemory;
    const bool mUseJit;
    /// The JIT stack of the scratch in use, or null when the interpreter runs every match.
    const SearchScratch::JitStack* mStack = nullptr;
    bool mInterpretWhenStackRunsOut = true;
    ScanMeter mMeter;
    CalloutData mCalloutData;
    const PCRE2_SIZE* mOvector = nullptr;
    qint64 mBudget;
    const std::atomic_bool* mCancel;
    std::optional<RegExpError> mError;
    /// The current window: start positions up to mLast, at most mWindow of them, none after mEnd.
    PCRE2_SIZE mWindow = kMaxWindow;
    PCRE2_SIZE mLast = 0;
    PCRE2_SIZE mEnd = 0;
    /// The limits the match context holds, and the match limit of the current try.
    PCRE2_SIZE mOffsetLimit = PCRE2_UNSET;
    uint32_t mMatchLimit = 0;
    uint32_t mTryLimit = kCheapLimit;
    /// The context holds the cheap limit and the current window, for find's JIT call.
    bool mCheapJitReady = false;
};

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

/// As matcher.find(offset), but runs PCRE2 only from where a match can start that holds the
/// required literal at one of its places: a match starting at s or later holds it at s +
/// minPrefix or later, and a match holding it at the first such place p starts at p -
/// maxPrefix or later and, when the part before the literal holds no line break, not before
/// p's line. Each start position is tried at most once, and only when the plain search would
/// try it, so the budget is spent less, never more.
bool findAroundLiteral(Matcher& matcher, const CompiledPattern& compiled, const char16_t* text,
                       PCRE2_SIZE offset)
{
    const RequiredLiteral& literal = *compiled.translated.requiredLiteral;
    const auto length = qsizetype(matcher.length());
    for (;;) {
        // As the plain search, which sees the flag before its first try.
        if (matcher.cancelled() || qsizetype(offset + literal.minPrefix) > length)
            return false;
        const qsizetype at = compiled.requiredLiteral->find(text, length, qsizetype(offset + literal.minPrefix));
        if (at < 0)
            return false;
        const auto place = PCRE2_SIZE(at);
        PCRE2_SIZE first = offset;
        if (literal.maxPrefix && place - offset > *literal.maxPrefix)
            first = place - *literal.maxPrefix;
        if (literal.prefixLineFree) {
            for (PCRE2_SIZE i = place; i > first; --i) {
                if (text[i - 1] == u'\n' || text[i - 1] == u'\r') {
                    first = i;
                    break;
                }
            }
        }
        const PCRE2_SIZE last = place - literal.minPrefix;
        if (first <= last && matcher.find(first, last))
            return true;
        if (matcher.error())
            return false;
        offset = last + 1;
    }
}

/// What a search runs with, beside the pattern and the text.
struct SearchOptions {
    bool global = true;
    bool useJit = true;
    bool usePrefilter = true;
    qint64 budget = kDefaultMatchBudget;
    qint64 memoryLimit = kDefaultMemoryLimit;
    const std::atomic_bool* cancel = nullptr;
};

SearchOptions optionsOf(const RegExp& regExp, const std::atomic_bool* cancel)
{
    return {regExp.Global(), regExp.jitEnabled(), regExp.prefilterEnabled(), regExp.matchBudget(),
            regExp.memoryLimit(), cancel};
}

/// Runs the search over subject[0, length), calling onMatch(ovector) for each match in text
/// order; onMatch returns false to stop. A match that starts at length is taken only when
/// atEnd. matcher is null for plain text alternatives and else holds subject. Returns the
/// error that ended the search, if any.
template <typename OnMatch>
std::optional<RegExpError> searchSubject(const CompiledPattern& compiled, Matcher* matcher,
                                         const char16_t* subject, qsizetype length, bool atEnd,
                                         const SearchOptions& options, OnMatch onMatch)
{
    if (compiled.literals) {
        qsizetype from = 0;
        qsizetype start = 0;
        qsizetype end = 0;
        // Start positions are looked at a window at a time, so that the cancel flag is seen.
        while (from < length) {
            if (options.cancel && options.cancel->load(std::memory_order_relaxed))
                return RegExpError::make(RegExpError::Cancelled);
            const qsizetype last = std::min(from + qsizetype(kMaxWindow), length);
            if (!compiled.literals->find(subject, length, from, last, start, end)) {
                from = last;
                continue;
            }
            const PCRE2_SIZE ovector[2] = {PCRE2_SIZE(start), PCRE2_SIZE(end)};
            if (!onMatch(ovector) || !options.global)
                break;
            from = end; // never empty: no alternative is
        }
        return std::nullopt;
    }
    const bool prefilter = options.usePrefilter && compiled.requiredLiteral;
    PCRE2_SIZE offset = 0;
    while (offset <= matcher->length()) {
        if (!(prefilter ? findAroundLiteral(*matcher, compiled, subject, offset) : matcher->find(offset)))
            return matcher->error();
        const PCRE2_SIZE* ovector = matcher->ovector();
        if ((!atEnd && ovector[0] == PCRE2_SIZE(length)) || !onMatch(ovector) || !options.global)
            break;
        // The next search starts one code unit after an empty match, so a zero-length match
        // is found once and the search moves on.
        offset = ovector[1] > ovector[0] ? ovector[1] : ovector[1] + 1;
    }
    return std::nullopt;
}

/// Runs the search over the whole text (see searchSubject), with the JIT stack of scratch, or
/// of its own when there is none.
template <typename OnMatch>
std::optional<RegExpError> forEachMatch(const CompiledPattern& compiled, const QString& text,
                                        const SearchOptions& options, SearchScratch* scratch, OnMatch onMatch)
{
    const auto* subject = reinterpret_cast<const char16_t*>(text.utf16());
    if (compiled.literals)
        return searchSubject(compiled, nullptr, subject, text.size(), true, options, onMatch);
    std::optional<SearchScratch> own;
    if (!scratch)
        scratch = &own.emplace();
    Matcher matcher(compiled, options.useJit, options.budget, options.memoryLimit, options.cancel, *scratch);
    matcher.setSubject(subject, text.size());
    return searchSubject(compiled, &matcher, subject, text.size(), true, options, onMatch);
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

CaseConversion RegExp::caseConversion() const { return mCaseConversion; }

void RegExp::setCaseConversion(CaseConversion caseConversion) { mCaseConversion = caseConversion; }

qsizetype RegExp::maxResultLength() const { return mMaxResultLength; }

void RegExp::setMaxResultLength(qsizetype length) { mMaxResultLength = length; }

qint64 RegExp::matchBudget() const { return mMatchBudget; }

void RegExp::setMatchBudget(qint64 units) { mMatchBudget = units; }

qint64 RegExp::memoryLimit() const { return mMemoryLimit; }

void RegExp::setMemoryLimit(qint64 bytes) { mMemoryLimit = bytes; }

int RegExp::compileCount() const { return mCompileCount; }

bool RegExp::jitEnabled() const { return mJitEnabled; }

void RegExp::setJitEnabled(bool enabled) { mJitEnabled = enabled; }

bool RegExp::prefilterEnabled() const { return mPrefilterEnabled; }

void RegExp::setPrefilterEnabled(bool enabled) { mPrefilterEnabled = enabled; }

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

RegExpResult<MatchCollection> RegExp::Execute(const QString& text, const std::atomic_bool* cancel,
                                              SearchScratch* scratch) const
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
    const auto error = forEachMatch(pattern, text, optionsOf(*this, cancel), scratch, [&](const PCRE2_SIZE* ovector) {
        copyOffsets(pattern, ovector, data->offsets.extend(stride));
        return true;
    });
    if (error)
        return *error;
    return MatchCollection(std::move(data));
}

RegExpResult<qsizetype> RegExp::countMatches(const QString& text, const std::atomic_bool* cancel,
                                             SearchScratch* scratch) const
{
    const CompiledPattern& pattern = compiled();
    if (pattern.error)
        return *pattern.error;
    if (text.size() > INT32_MAX)
        return RegExpError::make(RegExpError::TextTooLong);
    qsizetype count = 0;
    const auto error = forEachMatch(pattern, text, optionsOf(*this, cancel), scratch,
                                    [&](const PCRE2_SIZE*) {
                                        ++count;
                                        return true;
                                    });
    if (error)
        return *error;
    return count;
}

RegExpResult<QString> RegExp::Replace(const QString& text, const QString& replacement,
                                      const std::atomic_bool* cancel, SearchScratch* scratch) const
{
    ResultBuffer result;
    qsizetype copied = 0;
    if (const std::optional<RegExpError> error = replaceInto(result, copied, text, replacement, cancel, scratch))
        return *error;
    if (copied == 0 && result.size() == 0)
        return text; // no match, or only empty matches replaced by nothing at the start
    result.append(QStringView(text).mid(copied));
    return result.take();
}

RegExpResult<QByteArray> RegExp::ReplaceToUtf8(const QString& text, const QString& replacement,
                                               const std::atomic_bool* cancel) const
{
    Utf8ResultBuffer result;
    qsizetype copied = 0;
    if (const std::optional<RegExpError> error = replaceInto(result, copied, text, replacement, cancel, nullptr))
        return *error;
    result.append(QStringView(text).mid(copied));
    return result.take();
}

template <typename Buffer>
std::optional<RegExpError> RegExp::replaceInto(Buffer& result, qsizetype& copied, const QString& text,
                                               const QString& replacement, const std::atomic_bool* cancel,
                                               SearchScratch* scratch) const
{
    const CompiledPattern& pattern = compiled();
    if (pattern.error)
        return *pattern.error;
    const ReplacementTemplate expansion(replacement, pattern.translated.groupCount, mCaseConversion);
    bool tooLong = false;
    bool reserved = false;
    std::vector<qsizetype> offsets(2 * (std::size_t(pattern.translated.groupCount) + 1));
    const auto error = forEachMatch(pattern, text, optionsOf(*this, cancel), scratch, [&](const PCRE2_SIZE* ovector) {
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
    return std::nullopt;
}

bool RegExp::matchesWithinLines() const
{
    const CompiledPattern& pattern = compiled();
    return !pattern.error && pattern.translated.lineBound;
}

bool RegExp::matchesOnlyAscii() const
{
    const CompiledPattern& pattern = compiled();
    return !pattern.error && pattern.translated.asciiOnly;
}

std::optional<RegExp::RequiredText> RegExp::requiredText() const
{
    const CompiledPattern& pattern = compiled();
    if (pattern.error || !pattern.translated.requiredLiteral)
        return std::nullopt;
    const RequiredLiteral& literal = *pattern.translated.requiredLiteral;
    return RequiredText{literal.text, literal.caseless, pattern.translated.literalOnly};
}

struct PieceSearch::State {
    RegExp regExp;
    const CompiledPattern& compiled;
    SearchOptions options;
    std::optional<Matcher> matcher;

    State(const RegExp& expression, SearchScratch& scratch, const std::atomic_bool* cancel)
        : regExp(expression), compiled(regExp.compiled()), options(optionsOf(regExp, cancel))
    {
        Q_ASSERT(!compiled.error && compiled.translated.lineBound && options.global);
        if (!compiled.literals)
            matcher.emplace(compiled, options.useJit, options.budget, options.memoryLimit, cancel, scratch);
    }

    template <typename OnMatch>
    std::optional<RegExpError> search(QStringView piece, bool last, OnMatch onMatch)
    {
        const auto* subject = reinterpret_cast<const char16_t*>(piece.utf16());
        if (matcher)
            matcher->setSubject(subject, piece.size());
        return searchSubject(compiled, matcher ? &*matcher : nullptr, subject, piece.size(), last, options, onMatch);
    }
};

PieceSearch::PieceSearch(const RegExp& regExp, SearchScratch& scratch, const std::atomic_bool* cancel)
    : mState(std::make_unique<State>(regExp, scratch, cancel))
{
}

PieceSearch::~PieceSearch() = default;

RegExpResult<MatchCollection> PieceSearch::Execute(const QString& piece, bool last)
{
    auto data = std::make_shared<MatchData>();
    data->text = piece;
    data->groupCount = mState->compiled.translated.groupCount;
    const qsizetype stride = data->stride();
    const auto error = mState->search(piece, last, [&](const PCRE2_SIZE* ovector) {
        copyOffsets(mState->compiled, ovector, data->offsets.extend(stride));
        return true;
    });
    if (error)
        return *error;
    return MatchCollection(std::move(data));
}

RegExpResult<qsizetype> PieceSearch::countMatches(QStringView piece, bool last)
{
    qsizetype count = 0;
    const auto error = mState->search(piece, last, [&](const PCRE2_SIZE*) {
        ++count;
        return true;
    });
    if (error)
        return *error;
    return count;
}
