#pragma once

#include "regex/PatternTranslator.h"
#include "regex/RegExpError.h"

#include <QString>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct TracedCode;

/// A stretch of the pattern that steps of the engine stand on: an atom with its quantifier,
/// a group's opening, a group's end with its quantifier, an alternation bar or an anchor.
struct TracedPart {
    qsizetype offset = 0;
    qsizetype length = 0;

    friend bool operator==(const TracedPart&, const TracedPart&) = default;
};

/// One step of the engine: it is about to try part at position of the text.
struct TraceStep {
    qsizetype position = 0;
    int part = 0; ///< index into TracedPattern::parts()
    /// The engine went back to an earlier choice since the step before.
    bool backtrack = false;
    /// The first step from a new start position.
    bool newStart = false;
};

/// Hears every step of a traced run.
class StepSink {
public:
    virtual ~StepSink() = default;
    /// ovector holds the engine's capture pairs so far (its own group numbers, PCRE2_UNSET
    /// for none; pairs from captureTop on are unset). False stops the run.
    virtual bool onStep(const TraceStep& step, const std::size_t* ovector, std::uint32_t captureTop) = 0;
};

/// How a traced run ended.
struct TraceOutcome {
    enum class End { Matched, NoMatch, Stopped, Failed };
    End end = End::NoMatch;
    qsizetype matchStart = -1;
    qsizetype matchEnd = -1;
    /// For Failed: what the engine ran out of.
    std::optional<RegExpError> error;
};

/// A pattern compiled for watching the engine at work: PCRE2's interpreter with a callout
/// before every item, each traced back to the part of the pattern it stands for. Matches as
/// the component does (Multiline on), only slower.
class TracedPattern {
public:
    /// Distinct parts a trace can tell apart; a pattern with more cannot be traced.
    static constexpr int kMaxParts = 1 << 14;
    /// The part of the step after the whole pattern has matched: empty, at the pattern's end.
    static constexpr int kEndPart = 0;

    /// The pattern compiled for tracing, or why it cannot be.
    static RegExpResult<TracedPattern> compile(const QString& pattern, bool ignoreCase);

    TracedPattern(TracedPattern&&) noexcept;
    TracedPattern& operator=(TracedPattern&&) noexcept;
    ~TracedPattern();

    const QString& pattern() const { return mPattern; }
    const std::vector<TracedPart>& parts() const { return mParts; }
    /// Capturing groups of the pattern.
    int groupCount() const;
    /// Capture pairs of the engine's ovector.
    int engineGroupCount() const;

    /// Runs the engine over text from start position first, trying start positions up to
    /// last, and tells sink each step. The memory for held repetitions is bounded by
    /// memoryLimit bytes.
    TraceOutcome run(const QString& text, qsizetype first, qsizetype last, StepSink& sink,
                     qint64 memoryLimit) const;

    /// Original group j's start and end (-1, -1 when unset) from the engine's capture pairs,
    /// 2 * engineGroupCount() + 2 entries with group 0 first.
    std::pair<qsizetype, qsizetype> groupSpan(int j, const std::vector<std::size_t>& ovector) const;

private:
    TracedPattern();

    QString mPattern;
    std::vector<TracedPart> mParts;
    std::unique_ptr<TracedCode> mCode;
};
