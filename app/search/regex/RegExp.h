#pragma once

#include "regex/MatchCollection.h"
#include "regex/RegExpError.h"
#include "regex/RegExpResult.h"
#include "regex/ReplacementCase.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

struct CompiledPattern;

/// What the searches of one thread reuse: the JIT stack, which is mapped once and then kept,
/// rather than mapped and unmapped again for every search. One search at a time uses it.
class SearchScratch {
public:
    SearchScratch();
    ~SearchScratch();
    SearchScratch(const SearchScratch&) = delete;
    SearchScratch& operator=(const SearchScratch&) = delete;

    /// A JIT stack and the bytes it may grow to; defined where the engine uses it.
    struct JitStack;
    /// A stack of at least wanted bytes, made when the one kept is smaller (of minimum bytes
    /// when the system will not reserve wanted); null when none can be made. Valid until the
    /// next call.
    const JitStack* jitStack(std::size_t wanted, std::size_t minimum, std::size_t start);

private:
    std::unique_ptr<JitStack> mStack;
};

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

    /// Whether Replace reads the case sequences \U \L \u \l \E in a replacement; off by default.
    CaseConversion caseConversion() const;
    void setCaseConversion(CaseConversion caseConversion);
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
    /// A search runs with the JIT stack of scratch when one is given, else with its own.
    RegExpResult<MatchCollection> Execute(const QString& text, const std::atomic_bool* cancel = nullptr,
                                          SearchScratch* scratch = nullptr) const;

    /// The number of matches Execute would find, counted without keeping the matches or
    /// their groups, so that it needs no more memory for many matches than for one. Fails
    /// as Execute fails.
    RegExpResult<qsizetype> countMatches(const QString& text, const std::atomic_bool* cancel = nullptr,
                                         SearchScratch* scratch = nullptr) const;

    /// text with every match (only the first unless Global) replaced by replacement, which may
    /// use $1..$99, $&, $`, $', $_, $+, $$, and the case sequences when caseConversion() is on. Fails with RegExpError::ResultTooLong, and no
    /// partial result, when the result would exceed maxResultLength().
    RegExpResult<QString> Replace(const QString& text, const QString& replacement,
                                  const std::atomic_bool* cancel = nullptr, SearchScratch* scratch = nullptr) const;
    /// Replace with the result in UTF-8, converted as it is made, so that a large result
    /// never exists whole in UTF-16 beside the text; a lone surrogate becomes "?".
    RegExpResult<QByteArray> ReplaceToUtf8(const QString& text, const QString& replacement,
                                           const std::atomic_bool* cancel = nullptr) const;

    /// Whether neither a match nor what a lookahead looks at can hold CR or LF, so that each
    /// match lies within one line and is decided by that line and its line break alone: the
    /// text can then be searched a piece of whole lines at a time (PieceSearch). False when
    /// the pattern does not compile.
    bool matchesWithinLines() const;
    /// Whether every match takes at least one code unit and neither a match nor what a
    /// lookahead looks at can hold a code unit of 0x80 or above: how other characters are
    /// decoded, and into how many code units, then never changes how many matches there are.
    bool matchesOnlyAscii() const;
    /// A text that every match holds, when there is one: the literal the search looks for
    /// first. Under Ignore Case its ASCII letters stand for both their cases (caseless).
    struct RequiredText {
        QString text;
        bool caseless = false;
        /// The pattern is this text and nothing else: the matches are its places, one after
        /// another without overlapping.
        bool whole = false;
    };
    std::optional<RequiredText> requiredText() const;

private:
    friend class PieceSearch;
    /// Writes the replaced text into result up to the end of the last match, and sets
    /// copied to where the rest of text starts that is still to be appended.
    template <typename Buffer>
    std::optional<RegExpError> replaceInto(Buffer& result, qsizetype& copied, const QString& text,
                                           const QString& replacement, const std::atomic_bool* cancel,
                                           SearchScratch* scratch) const;
    /// The compiled form of the current pattern and options, compiling it when needed.
    const CompiledPattern& compiled() const;

    QString mPattern;
    bool mIgnoreCase = false;
    bool mGlobal = false;
    bool mMultiline = false;
    bool mJitEnabled = true;
    bool mPrefilterEnabled = true;
    CaseConversion mCaseConversion = CaseConversion::Off;
    qsizetype mMaxResultLength = INT32_MAX;
    qint64 mMatchBudget = kDefaultMatchBudget;
    qint64 mMemoryLimit = kDefaultMemoryLimit;
    mutable std::shared_ptr<const CompiledPattern> mCompiled;
    mutable int mCompileCount = 0;
};

/// One search over a text that comes a piece at a time, for a pattern whose matches each lie
/// within one line (RegExp::matchesWithinLines). A piece is whole lines with their line breaks;
/// pieces come in text order, and lines left out between them must hold no match (a piece may
/// be any one line). The matches, their order and the budget are those of one search over the
/// whole text; positions are relative to each piece.
class PieceSearch {
public:
    /// regExp must be Global, compile and match within lines; it is copied.
    PieceSearch(const RegExp& regExp, SearchScratch& scratch, const std::atomic_bool* cancel = nullptr);
    ~PieceSearch();
    PieceSearch(const PieceSearch&) = delete;
    PieceSearch& operator=(const PieceSearch&) = delete;

    /// The matches that start in piece. A match at its very end belongs to the next piece,
    /// unless last says that the text ends with this one. After an error the search is over.
    RegExpResult<MatchCollection> Execute(const QString& piece, bool last);
    /// The number of matches Execute would find.
    RegExpResult<qsizetype> countMatches(QStringView piece, bool last);

private:
    struct State;
    std::unique_ptr<State> mState;
};

