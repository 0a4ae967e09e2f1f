#pragma once

#include "search/MatchCollection.h"
#include "search/RegExpError.h"
#include "search/RegExpResult.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

struct CompiledPattern;

/// RegExp::matchBudget unless lowered.
inline constexpr qint64 kDefaultMatchBudget = 100'000'000;
/// RegExp::memoryLimit unless lowered: 512 MiB.
inline constexpr qint64 kDefaultMemoryLimit = qint64(512) << 20;

/// The regular-expression object: a VBScript/JScript (ECMAScript 3 style) pattern with the
/// options IgnoreCase, Global and Multiline, run over UTF-16 text. Positions are code units.
///
/// The pattern is compiled lazily on first use and the compiled form is kept until the pattern,
/// IgnoreCase or Multiline changes; setting the same value again does not recompile. One object
/// must not be used from two threads at once; copies share the immutable compiled form, so a
/// copy can search on another thread.
class RegExp {
public:
    RegExp();
    explicit RegExp(const QString& pattern);
    ~RegExp();
    RegExp(const RegExp&);
    RegExp& operator=(const RegExp&);
    RegExp(RegExp&&) noexcept;
    RegExp& operator=(RegExp&&) noexcept;

    QString Pattern() const;
    void setPattern(const QString& pattern);
    bool IgnoreCase() const;
    void setIgnoreCase(bool ignoreCase);
    bool Global() const;
    void setGlobal(bool global);
    bool Multiline() const;
    void setMultiline(bool multiline);

    /// Longest text Replace may return, in code units; INT32_MAX unless lowered.
    qsizetype maxResultLength() const;
    void setMaxResultLength(qsizetype length);
    /// Backtracking work a whole search may do, in the engine's match-limit units, beyond the
    /// start positions that fail or match cheaply; a search that needs more ends in
    /// RegExpError::TooMuchBacktracking. The default stops a runaway pattern within two
    /// seconds; a single start position may never use more than 10,000,000 units.
    qint64 matchBudget() const;
    void setMatchBudget(qint64 units);
    /// Memory a search may use for the repetitions a match holds open (each iteration of
    /// (a|b)+ is one), in bytes; a search that needs more ends in
    /// RegExpError::TooManyRepetitions. The default holds about 16 million of them.
    qint64 memoryLimit() const;
    void setMemoryLimit(qint64 bytes);

    /// Compiles the pattern (when not compiled yet) without searching; the error, or nothing
    /// when the pattern is valid. For live feedback while the user types.
    std::optional<RegExpError> Compile() const;
    /// Number of capturing groups; 0 when the pattern does not compile.
    int GroupCount() const;
    /// How many times this object has compiled a pattern (a diagnostic for tests).
    int compileCount() const;
    /// Whether matching may use PCRE2's JIT; when off, every match runs in the interpreter,
    /// as a match does when the JIT stack runs out (a diagnostic for tests). On by default.
    bool jitEnabled() const;
    void setJitEnabled(bool enabled);
    /// Whether a pattern whose every match holds a literal text is run only near the places of
    /// that text; off, every start position goes to the engine. The results are the same either
    /// way (a diagnostic for tests). On by default.
    bool prefilterEnabled() const;
    void setPrefilterEnabled(bool enabled);

    /// Every match of the pattern in text (only the first unless Global), in text order.
    /// The cancel flag is checked between matches and during a long search for one; a
    /// cancelled run returns
    /// RegExpError::Cancelled, never a partial collection.
    RegExpResult<MatchCollection> Execute(const QString& text,
                                          const std::atomic_bool* cancel = nullptr) const;

    /// The number of matches Execute would find, counted without keeping the matches or
    /// their groups, so that it needs no more memory for many matches than for one. Fails
    /// as Execute fails.
    RegExpResult<qsizetype> countMatches(const QString& text, const std::atomic_bool* cancel = nullptr) const;

    /// text with every match (only the first unless Global) replaced by replacement, which may
    /// use $1..$99, $&, $`, $', $_, $+, $$. Fails with RegExpError::ResultTooLong, and no
    /// partial result, when the result would exceed maxResultLength().
    RegExpResult<QString> Replace(const QString& text, const QString& replacement,
                                  const std::atomic_bool* cancel = nullptr) const;
    /// Replace with the result in UTF-8, converted as it is made, so that a large result
    /// never exists whole in UTF-16 beside the text; a lone surrogate becomes "?".
    RegExpResult<QByteArray> ReplaceToUtf8(const QString& text, const QString& replacement,
                                           const std::atomic_bool* cancel = nullptr) const;

private:
    /// Writes the replaced text into result up to the end of the last match, and sets
    /// copied to where the rest of text starts that is still to be appended.
    template <typename Buffer>
    std::optional<RegExpError> replaceInto(Buffer& result, qsizetype& copied, const QString& text,
                                           const QString& replacement, const std::atomic_bool* cancel) const;
    /// The compiled form of the current pattern and options, compiling it when needed.
    const CompiledPattern& compiled() const;

    QString mPattern;
    bool mIgnoreCase = false;
    bool mGlobal = false;
    bool mMultiline = false;
    bool mJitEnabled = true;
    bool mPrefilterEnabled = true;
    qsizetype mMaxResultLength = INT32_MAX;
    qint64 mMatchBudget = kDefaultMatchBudget;
    qint64 mMemoryLimit = kDefaultMemoryLimit;
    mutable std::shared_ptr<const CompiledPattern> mCompiled;
    mutable int mCompileCount = 0;
};
