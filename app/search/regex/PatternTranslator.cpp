#include "regex/PatternTranslator.h"

#include "regex/CaseFolding.h"

#include <QStringBuilder>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace {

// Line anchors: CR, LF and CR LF are each one line break, and neither anchor ever matches
// between the CR and the LF of a pair. The line start is PCRE2's own multiline '^' under the
// CR/LF/CR LF newline convention, which matches after any CR or LF (also at the very end with
// PCRE2_ALT_CIRCUMFLEX); the lookahead rules out the position inside a pair. Being PCRE2's
// anchor, it lets the engine move straight from one line start to the next instead of trying
// every position. PCRE2's lookbehind sees the text before the start offset, so both anchors
// hold at every start position.
constexpr auto kLineStart = u"^(?!(?<=\\r)\\n)";
constexpr auto kLineEnd = u"(?![^\\n\\r])(?!(?<=\\r)\\n)";
constexpr auto kTextStart = u"^";
constexpr auto kTextEnd = u"\\z";
// '.' matches anything but CR and LF.
constexpr auto kAnyButLineBreak = u"[^\\n\\r]";

/// Escape letters that PCRE2 gives a meaning this flavour lacks; rejected rather than
/// taken as the letter itself, so a PCRE habit does not silently match something else.
bool isPcreOnlyEscape(char16_t c)
{
    return QStringView(u"AzZGQEpPKRhHNX").contains(QChar(c));
}

bool isAsciiLetter(char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char16_t c) { return c >= '0' && c <= '7'; }
bool isAsciiAlnum(char16_t c) { return isAsciiLetter(c) || isDigit(c); }

int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendEscaped(QString& out, char16_t c)
{
    if (isAsciiAlnum(c))
        out += QChar(c);
    else
        out += u"\\x{" % QString::number(c, 16) % u'}';
}

/// A set of UTF-16 code units.
class CodeSet {
public:
    void add(char16_t c) { mBits[c >> 6] |= std::uint64_t(1) << (c & 63); }
    void remove(char16_t c) { mBits[c >> 6] &= ~(std::uint64_t(1) << (c & 63)); }
    void addRange(char16_t low, char16_t high)
    {
        for (char32_t c = low; c <= high; ++c)
            add(char16_t(c));
    }
    void add(const CodeSet& other)
    {
        for (std::size_t i = 0; i < mBits.size(); ++i)
            mBits[i] |= other.mBits[i];
    }
    bool contains(char16_t c) const { return mBits[c >> 6] >> (c & 63) & 1; }
    /// Whether every code unit of the set is below 0x80.
    bool onlyAscii() const
    {
        return std::all_of(mBits.begin() + 2, mBits.end(), [](std::uint64_t bits) { return bits == 0; });
    }
    bool intersects(const CodeSet& other) const
    {
        for (std::size_t i = 0; i < mBits.size(); ++i)
            if (mBits[i] & other.mBits[i])
                return true;
        return false;
    }
    void invert()
    {
        for (auto& word : mBits)
            word = ~word;
    }
    int count() const
    {
        int n = 0;
        for (auto word : mBits)
            n += std::popcount(word);
        return n;
    }
    /// Adds the code units that fold with c, ASCII letters as PCRE2_CASELESS folds them too.
    void closeUnderCase(char16_t c)
    {
        if (isAsciiLetter(c))
            add(char16_t(c ^ 0x20));
        for (char16_t e = CaseFolding::nextEquivalent(c); e != c; e = CaseFolding::nextEquivalent(e))
            add(e);
    }
    /// Adds every code unit that folds with a member.
    void closeUnderCase()
    {
        const CodeSet original = *this;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (!original.contains(char16_t(c)))
                continue;
            for (char16_t e = CaseFolding::nextEquivalent(char16_t(c)); e != c;
                 e = CaseFolding::nextEquivalent(e))
                add(e);
        }
    }

    /// A PCRE2 atom matching exactly the members.
    QString toPcre() const
    {
        const int n = count();
        if (n == 1) {
            QString out;
            for (char32_t c = 0; c < 0x10000; ++c)
                if (contains(char16_t(c)))
                    appendEscaped(out, char16_t(c));
            return out;
        }
        if (n == 0)
            return QStringLiteral("[^\\x{0}-\\x{ffff}]");
        if (n == 0x10000)
            return QStringLiteral("[\\x{0}-\\x{ffff}]");
        // Large sets (negated classes, \S, \W) are written as their complement, but only when
        // they hold U+00FF: where a negated class leaves it out, PCRE2's 16-bit JIT takes the
        // class for one that matches nothing above U+00FF when it looks ahead for where a
        // match can start, and skips matches that begin with such a character.
        const bool negate = n > 0x8000 && contains(0xFF);
        QString out = negate ? QStringLiteral("[^") : QStringLiteral("[");
        char32_t c = 0;
        while (c < 0x10000) {
            if (contains(char16_t(c)) == negate) {
                ++c;
                continue;
            }
            const char32_t low = c;
            while (c < 0x10000 && contains(char16_t(c)) != negate)
                ++c;
            const char32_t high = c - 1;
            appendEscaped(out, char16_t(low));
            if (high > low) {
                if (high > low + 1)
                    out += u'-';
                appendEscaped(out, char16_t(high));
            }
        }
        return out + u']';
    }

private:
    std::array<std::uint64_t, 1024> mBits{};
};

CodeSet digitSet()
{
    CodeSet set;
    set.addRange('0', '9');
    return set;
}

CodeSet wordSet()
{
    CodeSet set = digitSet();
    set.addRange('A', 'Z');
    set.addRange('a', 'z');
    set.add('_');
    return set;
}

/// A set shared rather than copied: the parser recurses once per group, and each level
/// keeps some, too large for the stack.
using SharedSet = std::shared_ptr<const CodeSet>;

SharedSet everyCodeUnit()
{
    auto set = std::make_shared<CodeSet>();
    set->invert();
    return set;
}

SharedSet anyButLineBreak()
{
    auto set = std::make_shared<CodeSet>();
    set->invert();
    set->remove('\n');
    set->remove('\r');
    return set;
}

CodeSet spaceSet()
{
    CodeSet set;
    for (char16_t c : u" \t\r\n\v\f")
        if (c)
            set.add(c);
    return set;
}

/// The set of a class escape letter (d D w W s S), or nothing for any other letter.
std::optional<CodeSet> classEscapeSet(char16_t letter)
{
    CodeSet set;
    switch (letter) {
    case 'd': case 'D': set = digitSet(); break;
    case 'w': case 'W': set = wordSet(); break;
    case 's': case 'S': set = spaceSet(); break;
    default: return std::nullopt;
    }
    if (letter == 'D' || letter == 'W' || letter == 'S')
        set.invert();
    return set;
}

std::optional<char16_t> controlEscape(char16_t letter)
{
    switch (letter) {
    case 'f': return 0x0C;
    case 'n': return 0x0A;
    case 'r': return 0x0D;
    case 't': return 0x09;
    case 'v': return 0x0B;
    default: return std::nullopt;
    }
}

/// The code units a piece of the pattern consumes: at least min, at most max (none: no
/// bound), and when lineFree, never CR or LF. Counts beyond kFar are taken as kFar for min
/// and as no bound for max, which only widens the range.
struct Extent {
    static constexpr quint64 kFar = quint64(1) << 40;

    quint64 min = 0;
    std::optional<quint64> max = 0;
    bool lineFree = true;
    /// It never consumes a code unit of 0x80 or above.
    bool asciiOnly = true;

    static Extent unknown() { return {0, std::nullopt, false, false}; }

    static std::optional<quint64> bounded(std::optional<quint64> n)
    {
        return n && *n <= kFar ? n : std::nullopt;
    }

    /// This extent followed by next.
    void append(const Extent& next)
    {
        min = std::min(min + next.min, kFar);
        max = max && next.max ? bounded(*max + *next.max) : std::nullopt;
        lineFree = lineFree && next.lineFree;
        asciiOnly = asciiOnly && next.asciiOnly;
    }

    /// This extent or other, whichever matches.
    void orElse(const Extent& other)
    {
        min = std::min(min, other.min);
        max = max && other.max ? std::max(max, other.max) : std::nullopt;
        lineFree = lineFree && other.lineFree;
        asciiOnly = asciiOnly && other.asciiOnly;
    }

    /// a × b, or kFar + 1 when that is beyond kFar.
    static quint64 product(quint64 a, quint64 b)
    {
        return a != 0 && b > kFar / a ? kFar + 1 : a * b;
    }

    /// This extent repeated from low to high times (none: no bound).
    Extent repeated(quint64 low, std::optional<quint64> high) const
    {
        if (high == quint64(0) || max == quint64(0))
            return {};
        const std::optional<quint64> most = high && max ? bounded(product(*high, *max)) : std::nullopt;
        return {std::min(product(low, min), kFar), most, lineFree, asciiOnly};
    }
};

/// What a piece of the pattern can do where repeating it is concerned, and what it consumes.
struct Shape {
    bool nullable = false; ///< it can match empty
    /// When it matches empty, that is the last thing it offers at that place; repeating it then
    /// gives the same result in PCRE2 as in this flavour, unless it also captures.
    bool emptyLast = true;
    bool captures = false; ///< it holds a capturing group
    Extent extent;

    static Shape empty() { return {true, true, false, {}}; }
    static Shape consuming() { return {false, true, false, {1, 1, true, true}}; }

    /// This shape followed by next.
    void append(const Shape& next)
    {
        nullable = nullable && next.nullable;
        emptyLast = emptyLast && next.emptyLast;
        captures = captures || next.captures;
        extent.append(next.extent);
    }
};

bool holdsLineBreak(const CodeSet& set) { return set.contains('\r') || set.contains('\n'); }

/// What an earlier parse learnt that changes the group numbers: the repeated atoms that get a
/// marker group before them, and the groups held in several copies.
struct Layout {
    std::vector<qsizetype> markedAtoms; ///< offsets in the pattern, ascending
    std::vector<int> copiedGroups;      ///< original numbers, ascending

    bool operator==(const Layout&) const = default;
};

/// A quantifier: its counts, and its PCRE2 spelling.
struct Repeat {
    QString text;
    quint64 min = 0;
    std::optional<quint64> max;
    bool lazy = false;
};

/// One parse of the pattern, emitting PCRE2 syntax as it goes.
class Translator {
public:
    static constexpr int kMaxGroupDepth = 100;
    /// Nested repetitions that are written twice double the pattern each; beyond this length
    /// the pattern is too complex.
    static constexpr qsizetype kMaxTranslatedLength = 1 << 20;
    /// A repeat of one character up to this many times costs little more than a step of the
    /// match limit, and is never metered.
    static constexpr quint64 kUnmeteredRepeat = 16;

    /// layout: what an earlier parse found, so that a marker group before an atom is numbered
    /// before the groups inside it, and references to copied groups know it.
    /// parts: where the parts read are reported, or null.
    /// marking: the output carries marks of where its stretches come from (see sourceMapped).
    Translator(const QString& pattern, bool ignoreCase, bool multiline, int totalGroups,
               const Layout& layout, std::vector<PatternPart>* parts, bool marking = false)
        : p(pattern), mIgnoreCase(ignoreCase), mMultiline(multiline), mTotalGroups(totalGroups),
          mPlanned(layout), mParts(parts), mMarking(marking)
    {
    }

    RegExpResult<TranslatedPattern> run()
    {
        Shape shape;
        if (parseDisjunction(shape) && !atEnd())
            fail(RegExpError::SyntaxError, pos); // a ')' without its '('
        if (mError)
            return *mError;
        TranslatedPattern result;
        if (mMarking)
            sourceMapped(result);
        else
            result.pcrePattern = mOut;
        result.groupCount = mGroups;
        if (mPcreGroups != mGroups)
            result.groupMap = mGroupMap;
        result.caseless = mIgnoreCase;
        result.lineStart = mLineStart;
        result.lookahead = mLookahead;
        result.repeatAfterAlternatives = mRepeatAfterAlternatives;
        result.callouts = mCallouts;
        result.backReferences = mBackReferences;
        result.iterationMarkers = mIterationMarkers;
        if (std::any_of(mGroupCopies.begin(), mGroupCopies.end(), [](const auto& c) { return !c.empty(); }))
            result.groupCopies = mGroupCopies;
        if (!mTopLevelAlternatives)
            result.requiredLiteral = longestUsableRun();
        result.literalOnly = result.requiredLiteral && mRuns.size() == 1 && !mOtherTopLevelTerm;
        result.lineBound = shape.extent.lineFree && !mLookaheadLineBreak;
        result.asciiOnly = shape.extent.asciiOnly && !mLookaheadBeyondAscii && !shape.nullable;
        return result;
    }

    /// What this parse found that changes the group numbers.
    Layout layout() const
    {
        Layout found{mMarkedAtoms, {}};
        // A copy parses the same atoms again.
        std::sort(found.markedAtoms.begin(), found.markedAtoms.end());
        found.markedAtoms.erase(std::unique(found.markedAtoms.begin(), found.markedAtoms.end()),
                                found.markedAtoms.end());
        for (std::size_t j = 0; j < mGroupCopies.size(); ++j)
            if (!mGroupCopies[j].empty())
                found.copiedGroups.push_back(int(j));
        return found;
    }

private:
    /// A mark in the output: the PCRE2 text after it stands for the pattern's stretch
    /// mMarks[index], up to the next mark. The output is ASCII otherwise, so a code unit
    /// from U+8000 up is part of a mark: the lead-in, then the index in two halves.
    static constexpr char16_t kMarkLeadIn = 0xE000;

    /// A mark for offset.. in the pattern when marking, else nothing; its length is set once known.
    QString mark(qsizetype offset, qsizetype length = 0)
    {
        if (!mMarking)
            return {};
        const auto index = std::uint32_t(mMarks.size());
        mMarks.push_back({0, offset, length});
        const char16_t units[] = {kMarkLeadIn, char16_t(0x8000 | (index >> 15)), char16_t(0x8000 | (index & 0x7FFF))};
        return QString::fromUtf16(units, 3);
    }

    /// Takes the marks out of the output into result's source map.
    void sourceMapped(TranslatedPattern& result) const
    {
        result.pcrePattern.reserve(mOut.size());
        for (qsizetype i = 0; i < mOut.size(); ++i) {
            if (mOut.at(i).unicode() != kMarkLeadIn) {
                result.pcrePattern += mOut.at(i);
                continue;
            }
            const std::uint32_t index = (mOut.at(i + 1).unicode() & 0x7FFFu) << 15 | (mOut.at(i + 2).unicode() & 0x7FFFu);
            SourceMark found = mMarks[index];
            found.pcreOffset = result.pcrePattern.size();
            result.sourceMap.push_back(found);
            i += 2;
        }
    }

    bool atEnd() const { return pos >= p.size(); }
    char16_t cur() const { return p.at(pos).unicode(); }
    char16_t at(qsizetype i) const { return i < p.size() ? p.at(i).unicode() : 0; }
    bool has(qsizetype i) const { return i < p.size(); }

    /// Reports a part of the pattern; the copies of a repeated atom are no parts of their own.
    void note(const PatternPart& part)
    {
        if (mParts && mCopyCursor < 0)
            mParts->push_back(part);
    }

    PatternPart part(PatternPart::Kind kind, qsizetype offset, qsizetype length) const
    {
        PatternPart found;
        found.kind = kind;
        found.offset = offset;
        found.length = length;
        return found;
    }

    void noteCharacter(qsizetype offset, char16_t c)
    {
        PatternPart found = part(PatternPart::Character, offset, pos - offset);
        found.character = c;
        note(found);
    }

    bool fail(int number, qsizetype offset)
    {
        if (!mError)
            mError = RegExpError::make(number, offset);
        return false;
    }

    /// The literal a prefilter can look for, from the runs of the top-level sequence.
    std::optional<RequiredLiteral> longestUsableRun() const
    {
        std::optional<RequiredLiteral> best;
        for (const RequiredLiteral& run : mRuns)
            if ((run.maxPrefix || run.prefixLineFree) && (!best || run.text.size() > best->text.size()))
                best = run;
        return best;
    }

    /// Extends or ends the run of exact characters of the top-level sequence after a term;
    /// before is what the sequence consumed up to the term.
    void noteTopLevelTerm(const Extent& before)
    {
        if (!mTermChar) {
            mRunOpen = false;
            mOtherTopLevelTerm = true;
            return;
        }
        if (!mRunOpen)
            mRuns.push_back({QString(), before.min, before.max, before.lineFree});
        mRunOpen = true;
        mRuns.back().text += QChar(*mTermChar);
        if (mIgnoreCase && isAsciiLetter(*mTermChar))
            mRuns.back().caseless = true;
    }

    bool parseDisjunction(Shape& shape)
    {
        shape = Shape::consuming();
        bool earlierNullable = false;
        // Each alternative starts after what came before; the disjunction gives back what any
        // of them does.
        const SharedSet entry = mGivenBack;
        SharedSet exits;
        for (bool first = true;; first = false) {
            Shape alternative = Shape::empty();
            mGivenBack = entry;
            while (!atEnd() && cur() != '|' && cur() != ')') {
                const Extent before = alternative.extent;
                if (!parseTerm(alternative))
                    return false;
                if (mGroupDepth == 0)
                    noteTopLevelTerm(before);
            }
            mRunOpen = false;
            exits = united(exits, mGivenBack);
            mGivenBack = exits;
            shape.captures = shape.captures || alternative.captures;
            if (first)
                shape.extent = alternative.extent;
            else
                shape.extent.orElse(alternative.extent);
            if (atEnd() || cur() != '|') {
                // An empty match of an earlier alternative leaves the later ones to try.
                shape.nullable = earlierNullable || alternative.nullable;
                shape.emptyLast = !earlierNullable && alternative.emptyLast;
                return true;
            }
            earlierNullable = earlierNullable || alternative.nullable;
            if (mGroupDepth == 0)
                mTopLevelAlternatives = true;
            if (mGroupDepth > 0)
                mAlternativesSeen = true;
            note(part(PatternPart::Alternation, pos, 1));
            mOut += mark(pos, 1) % u'|';
            ++pos;
        }
    }

    struct BraceQuantifier {
        qsizetype length = 0; ///< 0 when the brace does not start a quantifier
        quint64 min = 0;
        std::optional<quint64> max;
    };

    /// Reads {n}, {n,} or {n,m} at i; anything else makes the brace a literal character.
    BraceQuantifier braceQuantifierAt(qsizetype i) const
    {
        BraceQuantifier q;
        qsizetype j = i + 1;
        auto readNumber = [&](quint64& value) {
            const qsizetype begin = j;
            value = 0;
            while (has(j) && isDigit(at(j))) {
                value = std::min<quint64>(value * 10 + (at(j) - '0'), quint64(1) << 40);
                ++j;
            }
            return j > begin;
        };
        if (!has(i) || at(i) != '{' || !readNumber(q.min))
            return q;
        if (at(j) == ',') {
            ++j;
            quint64 max = 0;
            if (readNumber(max))
                q.max = max;
        } else {
            q.max = q.min;
        }
        if (!has(j) || at(j) != '}')
            return q;
        q.length = j + 1 - i;
        return q;
    }

    bool quantifierAt(qsizetype i) const
    {
        if (!has(i))
            return false;
        const char16_t c = at(i);
        return c == '*' || c == '+' || c == '?' || braceQuantifierAt(i).length > 0;
    }

    /// Parses a quantifier at pos into repeat; false with no error when there is none.
    bool parseQuantifier(Repeat& repeat)
    {
        if (!quantifierAt(pos))
            return false;
        const qsizetype start = pos;
        const char16_t c = cur();
        if (c == '{') {
            const BraceQuantifier q = braceQuantifierAt(pos);
            if (q.max && *q.max < q.min)
                return fail(RegExpError::SyntaxError, pos);
            repeat.min = q.min;
            repeat.max = q.max;
            repeat.text = u'{' + QString::number(q.min);
            if (!q.max)
                repeat.text += u',';
            else if (*q.max != q.min)
                repeat.text += u',' + QString::number(*q.max);
            repeat.text += u'}';
            pos += q.length;
        } else {
            repeat.min = c == '+' ? 1 : 0;
            if (c == '?')
                repeat.max = 1;
            repeat.text = QChar(c);
            ++pos;
        }
        if (!atEnd() && cur() == '?') {
            repeat.lazy = true;
            repeat.text += u'?';
            ++pos;
        }
        PatternPart found = part(PatternPart::Quantifier, start, pos - start);
        found.min = repeat.min;
        found.max = repeat.max;
        found.lazy = repeat.lazy;
        note(found);
        return true;
    }

    /// An assertion (^, $, \b, \B) cannot be repeated.
    bool rejectQuantifier()
    {
        if (quantifierAt(pos))
            return fail(RegExpError::UnexpectedQuantifier, pos);
        return true;
    }

    /// Parses one term and appends its shape to sequence; mTermChar tells whether a top-level
    /// term was one character that matches only itself.
    bool parseTerm(Shape& sequence)
    {
        mTermChar.reset();
        // Everything the term writes stands for it: the atom with its quantifier, or for a
        // group its opening, the group's end taking the quantifier (see parseGroup).
        const std::size_t termMark = mMarks.size();
        mOut += mark(pos, 1);
        const char16_t c = cur();
        switch (c) {
        case '^':
            note(part(PatternPart::Anchor, pos, 1));
            ++pos;
            mOut += mMultiline ? kLineStart : kTextStart;
            if (mMultiline)
                mLineStart = true;
            sequence.append(Shape::empty());
            return rejectQuantifier();
        case '$':
            note(part(PatternPart::Anchor, pos, 1));
            ++pos;
            mOut += mMultiline ? kLineEnd : kTextEnd;
            sequence.append(Shape::empty());
            return rejectQuantifier();
        case '*':
        case '+':
        case '?':
            return fail(RegExpError::UnexpectedQuantifier, pos);
        case '\\':
            if (at(pos + 1) == 'b' || at(pos + 1) == 'B') {
                mOut += at(pos + 1) == 'b' ? u"\\b" : u"\\B";
                setMarkLength(termMark, 2);
                note(part(PatternPart::Anchor, pos, 2));
                pos += 2;
                sequence.append(Shape::empty());
                return rejectQuantifier();
            }
            break;
        default:
            break;
        }
        const qsizetype atomStart = pos;
        const int groupsBefore = mCopyCursor >= 0 ? mCopyCursor : mGroups;
        // The marker group of a guarded repetition stands before the atom, so it takes its
        // number before the groups inside.
        const bool marked = std::binary_search(mPlanned.markedAtoms.begin(), mPlanned.markedAtoms.end(), atomStart);
        const int marker = marked ? ++mPcreGroups : 0;
        QString atom;
        Shape shape = Shape::consuming();
        bool wrapWhenRepeated = false;
        SharedSet givenBack = mGivenBack;
        const bool group = cur() == '(';
        if (!parseAtom(atom, shape, wrapWhenRepeated))
            return false;
        const std::optional<char16_t> atomChar = std::exchange(mAtomChar, std::nullopt);
        SharedSet atomSet = std::exchange(mAtomSet, nullptr);
        if (shape.extent.max == quint64(0)) // a lookahead gives back what came before it
            mGivenBack = givenBack;
        else if (!group)
            mGivenBack.reset(); // one character, or a back-reference, which never gives back
        Repeat repeat;
        const bool repeated = parseQuantifier(repeat);
        markTerm(termMark, atomStart, group);
        if (!repeated) {
            mOut += atom;
            sequence.append(shape);
            // Only top-level terms: the terms of a group, or of its copy, end inside the term.
            // ASCII letters fold only onto each other, so a run may hold them under Ignore Case.
            if (mGroupDepth == 0 && atomChar
                && (!mIgnoreCase || isAsciiLetter(*atomChar) || CaseFolding::nextEquivalent(*atomChar) == *atomChar))
                mTermChar = atomChar;
            return !mError;
        }
        if (!repeat.max && mAlternativesSeen)
            mRepeatAfterAlternatives = true;
        if (atomChar)
            atomSet = characterSet(*atomChar);
        const bool guarded = needsGuard(shape, repeat);
        if (!guarded) {
            if (wrapWhenRepeated)
                atom = u"(?:" % atom % u')';
            if (atomSet && meetsGivenBack(givenBack, *atomSet, repeat))
                mOut += scanMeter() % atom % repeat.text % scanMeter();
            else
                mOut += atom % repeat.text;
        } else if (repeat.min == 0) {
            mMarkedAtoms.push_back(atomStart);
            // Without its marker this parse is only a survey; the next one has it.
            mOut += marked ? guardedLoop(atom, marker, repeat.text) : atom % repeat.text;
        } else {
            // The minimum iterations may match empty, so they stay as they are; the rest are a
            // second copy of the atom, since PCRE2 stops repeating after an empty iteration
            // even below the minimum. The copy's groups are new PCRE2 groups.
            const int loopMarker = ++mPcreGroups;
            QString copy;
            if (!parseCopy(atomStart, groupsBefore, copy))
                return false;
            QString rest = repeat.max ? u"{0," % QString::number(*repeat.max - repeat.min) % u'}'
                                      : QStringLiteral("*");
            if (repeat.lazy)
                rest += u'?';
            mOut += u"(?:" % atom % u')';
            if (repeat.min > 1)
                mOut += u'{' % QString::number(repeat.min) % u'}';
            mOut += mark(atomStart, termMarkLength(termMark)) % guardedLoop(copy, loopMarker, rest);
        }
        if (mOut.size() > kMaxTranslatedLength) // copies of copies
            return fail(RegExpError::PatternTooComplex, atomStart);
        sequence.append(repeatedShape(shape, repeat, guarded));
        noteGivenBack(givenBack, atomSet, repeat);
        if (quantifierAt(pos)) // a** or a{2}{3}
            return fail(RegExpError::UnexpectedQuantifier, pos);
        return true;
    }

    void setMarkLength(std::size_t index, qsizetype length)
    {
        if (index < mMarks.size())
            mMarks[index].length = length;
    }

    qsizetype termMarkLength(std::size_t index) const
    {
        return index < mMarks.size() ? mMarks[index].length : 0;
    }

    /// Sets the lengths of a term's marks once its quantifier is read: an atom's mark takes
    /// the quantifier, a group's takes only its opening and its end's mark the quantifier.
    void markTerm(std::size_t termMark, qsizetype atomStart, bool group)
    {
        if (!group) {
            setMarkLength(termMark, pos - atomStart);
            return;
        }
        setMarkLength(termMark, at(atomStart + 1) == '?' ? 3 : 1);
        if (mGroupEndMark < mMarks.size())
            setMarkLength(mGroupEndMark, pos - mMarks[mGroupEndMark].offset);
    }

    /// Parses the atom at pos (anything but an assertion).
    bool parseAtom(QString& atom, Shape& shape, bool& wrapWhenRepeated)
    {
        mAtomChar.reset();
        mAtomSet.reset();
        const char16_t c = cur();
        switch (c) {
        case '{':
            if (quantifierAt(pos))
                return fail(RegExpError::UnexpectedQuantifier, pos);
            atom = literalAtom(c, shape);
            ++pos;
            noteCharacter(pos - 1, c);
            return true;
        case '(': {
            const bool parsed = parseGroup(atom, shape, wrapWhenRepeated);
            mAtomChar.reset(); // set by the group's last atom
            return parsed;
        }
        case '[': {
            std::optional<CodeSet> set = parseClass();
            if (!set)
                return false;
            atom = set->toPcre();
            shape.extent.lineFree = !holdsLineBreak(*set);
            shape.extent.asciiOnly = set->onlyAscii();
            if (quantifierAt(pos))
                mAtomSet = std::make_shared<const CodeSet>(*set);
            return true;
        }
        case '.':
            shape.extent.asciiOnly = false;
            note(part(PatternPart::AnyCharacter, pos, 1));
            atom = QString::fromUtf16(kAnyButLineBreak);
            ++pos;
            if (quantifierAt(pos))
                mAtomSet = anyButLineBreak();
            return true;
        case '\\':
            if (!parseAtomEscape(atom, shape))
                return false;
            // Only a back-reference can match empty. Repeated, it goes into a group of its
            // own: PCRE2's JIT (10.42) lets a repeated reference to a group that took no part
            // fail instead of matching empty.
            wrapWhenRepeated = shape.nullable;
            return true;
        default:
            atom = literalAtom(c, shape);
            ++pos;
            noteCharacter(pos - 1, c);
            return true;
        }
    }

    /// Parses the atom at atomStart once more, as a copy whose groups stand for the original
    /// groups after groupsBefore; pos stays where it is.
    bool parseCopy(qsizetype atomStart, int groupsBefore, QString& copy)
    {
        const int groupsAfter = mCopyCursor >= 0 ? mCopyCursor : mGroups;
        // The atom's groups close anew in the copy, for references inside it.
        for (int j = groupsBefore + 1; j <= groupsAfter; ++j)
            mClosed[std::size_t(j)] = false;
        const qsizetype end = std::exchange(pos, atomStart);
        const int cursor = std::exchange(mCopyCursor, groupsBefore);
        QString enclosing = std::exchange(mOut, QString());
        Shape shape;
        bool wrapWhenRepeated = false;
        const bool parsed = parseAtom(copy, shape, wrapWhenRepeated);
        mOut = std::move(enclosing);
        mCopyCursor = cursor;
        pos = end;
        return parsed;
    }

    /// Whether repeating an atom of this shape needs the flavour's rule for empty iterations:
    /// PCRE2 accepts an empty iteration (and stops repeating) where the flavour fails it past the
    /// minimum. That differs only when the atom has more to offer after an empty match, or
    /// captures something while matching empty.
    static bool needsGuard(const Shape& atom, const Repeat& repeat)
    {
        const bool beyondMin = !repeat.max || *repeat.max > repeat.min;
        return atom.nullable && beyondMin && (atom.captures || !atom.emptyLast);
    }

    static Shape repeatedShape(const Shape& atom, const Repeat& repeat, bool guarded)
    {
        Shape shape = atom;
        shape.extent = atom.extent.repeated(repeat.min, repeat.max);
        shape.nullable = atom.nullable || repeat.min == 0;
        if (repeat.max == quint64(0))
            shape.emptyLast = true;
        else if (!atom.nullable) // an empty match is no iteration at all
            shape.emptyLast = repeat.min > 0 || !repeat.lazy;
        else if (guarded) // no empty iteration beyond the minimum
            shape.emptyLast = !repeat.lazy && (repeat.min == 0 || atom.emptyLast);
        else
            shape.emptyLast = atom.emptyLast && (!repeat.lazy || repeat.max == repeat.min);
        return shape;
    }

    /// Whether a repeat of the atom of atomSet goes over again what the term before it gives
    /// back, and far enough for that to cost more than a step of PCRE2's match limit.
    static bool meetsGivenBack(const SharedSet& givenBack, const CodeSet& atomSet, const Repeat& repeat)
    {
        return givenBack && (!repeat.max || *repeat.max > kUnmeteredRepeat) && givenBack->intersects(atomSet);
    }

    /// What the sequence gives back after a repeated atom: a repeat of one character gives
    /// back its character, and what came before it when it may take nothing; a repeat of
    /// anything else may give back any code unit; one that repeats a fixed count gives back
    /// what its atom did.
    void noteGivenBack(const SharedSet& givenBack, const SharedSet& atomSet, const Repeat& repeat)
    {
        if (repeat.max == quint64(0))
            mGivenBack = givenBack;
        else if (repeat.max == repeat.min)
            return;
        else if (!atomSet)
            mGivenBack = everyCodeUnit();
        else if (repeat.min == 0)
            mGivenBack = united(givenBack, atomSet);
        else
            mGivenBack = atomSet;
    }

    static SharedSet united(const SharedSet& a, const SharedSet& b)
    {
        if (!a || !b)
            return a ? a : b;
        auto set = std::make_shared<CodeSet>(*a);
        set->add(*b);
        return set;
    }

    /// The code units the character c matches, as PCRE2 is told to match it.
    SharedSet characterSet(char16_t c) const
    {
        auto set = std::make_shared<CodeSet>();
        set->add(c);
        if (mIgnoreCase)
            set->closeUnderCase(c);
        return set;
    }

    QString scanMeter() { return callout(PatternCallout::ScanMeter, 0); }

    /// The PCRE2 form of a repetition whose empty iterations fail: the marker group records
    /// where each iteration starts, and the callout compares.
    QString guardedLoop(const QString& atom, int marker, const QString& quantifier)
    {
        const int guard = int(mIterationMarkers.size());
        mIterationMarkers.push_back(marker);
        return u"(?:()" % atom % callout(PatternCallout::IterationCheck, guard) % u')' % quantifier;
    }

    /// A callout that does kind for the entry index; numbered while PCRE2's numbers last.
    QString callout(PatternCallout::Kind kind, int index)
    {
        mCallouts.push_back({kind, index});
        const QString number = QString::number(mCallouts.size());
        if (mCallouts.size() <= 255)
            return u"(?C" % number % u')';
        return u"(?C\"" % number % u"\")";
    }

    bool parseGroup(QString& atom, Shape& shape, bool& isLookahead)
    {
        const qsizetype open = pos;
        QString opener;
        int number = 0;
        if (at(pos + 1) == '?') {
            const char16_t kind = at(pos + 2);
            if (!has(pos + 2) || (kind != ':' && kind != '=' && kind != '!'))
                return fail(RegExpError::SyntaxError, open); // lookbehind, named, atomic, flags...
            opener = QStringView(u"(?") % QChar(kind);
            isLookahead = kind != ':';
            if (kind == '=')
                mLookahead = true;
            pos += 3;
        } else {
            const char16_t next = at(pos + 1);
            if (has(pos + 1) && next == '*' && (isAsciiLetter(at(pos + 2)) || at(pos + 2) == ':'))
                return fail(RegExpError::SyntaxError, open); // PCRE2's (*FAIL), (*atomic:...)
            if (mCopyCursor >= 0) {
                number = ++mCopyCursor;
                auto& copies = mGroupCopies[std::size_t(number)];
                if (copies.empty())
                    copies.push_back(mGroupMap[number]);
                copies.push_back(++mPcreGroups);
            } else {
                number = ++mGroups;
                mGroupMap.push_back(++mPcreGroups);
                mGroupCopies.emplace_back();
            }
            opener = QStringLiteral("(");
            ++pos;
        }
        PatternPart start = part(PatternPart::GroupStart, open, pos - open);
        start.number = number;
        if (opener.size() == 3)
            start.group = opener.at(2) == u':' ? PatternPart::NonCapturing
                : opener.at(2) == u'=' ? PatternPart::Lookahead : PatternPart::NegativeLookahead;
        note(start);
        // The parser recurses once per level of nesting, with character sets of 8 KB on the
        // stack, so a limit far beyond real patterns keeps a hostile one from overflowing it.
        if (mGroupDepth == kMaxGroupDepth)
            return fail(RegExpError::PatternTooComplex, open);
        QString enclosing = std::exchange(mOut, QString());
        ++mGroupDepth;
        const bool parsed = parseDisjunction(shape);
        --mGroupDepth;
        const QString content = std::exchange(mOut, std::move(enclosing));
        if (!parsed)
            return false;
        if (atEnd())
            return fail(RegExpError::ExpectedParen, open);
        note(part(PatternPart::GroupEnd, pos, 1));
        mGroupEndMark = mMarks.size();
        atom = opener % content % mark(pos, 1) % u')';
        ++pos;
        if (isLookahead && !shape.extent.lineFree)
            mLookaheadLineBreak = true;
        if (isLookahead && !shape.extent.asciiOnly)
            mLookaheadBeyondAscii = true;
        // Captures of a negative lookahead never outlive it.
        if (isLookahead)
            shape = {true, true, opener == u"(?=" && shape.captures, {}};
        shape.captures = shape.captures || number > 0;
        if (number > 0) {
            if (mClosed.size() <= std::size_t(number))
                mClosed.resize(number + 1);
            mClosed[number] = true;
        }
        return true;
    }

    /// The atom of the character c, noted as the atom's character.
    QString literalAtom(char16_t c, Shape& shape)
    {
        mAtomChar = c;
        shape.extent.lineFree = c != '\r' && c != '\n';
        // A code unit beyond ASCII never folds onto an ASCII one, nor an ASCII one beyond.
        shape.extent.asciiOnly = c < 0x80;
        return literal(c);
    }

    QString literal(char16_t c) const
    {
        QString out;
        // PCRE2_CASELESS folds ASCII letters; the other case forms are spelled out.
        if (mIgnoreCase && c >= 128 && CaseFolding::nextEquivalent(c) != c) {
            out += u'[';
            char16_t e = c;
            do {
                appendEscaped(out, e);
                e = CaseFolding::nextEquivalent(e);
            } while (e != c);
            return out + u']';
        }
        appendEscaped(out, c);
        return out;
    }

    /// \xhh and \uhhhh with exactly that many hex digits at i; -1 otherwise.
    int hexEscapeAt(qsizetype i, int digits) const
    {
        int value = 0;
        for (int k = 0; k < digits; ++k) {
            const int d = has(i + k) ? hexValue(at(i + k)) : -1;
            if (d < 0)
                return -1;
            value = value * 16 + d;
        }
        return value;
    }

    /// A legacy octal escape at pos (just past the backslash): up to \377.
    char16_t readOctal()
    {
        const char16_t first = cur();
        int value = first - '0';
        ++pos;
        for (int more = first <= '3' ? 2 : 1; more > 0 && !atEnd() && isOctalDigit(cur()); --more) {
            value = value * 8 + (cur() - '0');
            ++pos;
        }
        return char16_t(value);
    }

    /// The character escapes that mean the same inside and outside a class; pos is at the
    /// backslash. Returns the character, or nothing when the escape is not one of them.
    std::optional<char16_t> parseCharacterEscape()
    {
        const char16_t e = at(pos + 1);
        if (auto control = controlEscape(e)) {
            pos += 2;
            return control;
        }
        if (e == 'x' || e == 'u') {
            const int digits = e == 'x' ? 2 : 4;
            const int value = hexEscapeAt(pos + 2, digits);
            pos += 2 + (value >= 0 ? digits : 0);
            return value >= 0 ? char16_t(value) : e;
        }
        return std::nullopt;
    }

    bool parseAtomEscape(QString& atom, Shape& shape)
    {
        const qsizetype start = pos;
        if (!has(pos + 1))
            return fail(RegExpError::SyntaxError, start); // a backslash at the end
        const char16_t e = at(pos + 1);
        if (auto set = classEscapeSet(e)) {
            atom = set->toPcre();
            note(part(PatternPart::CharacterSet, pos, 2));
            shape.extent.lineFree = !holdsLineBreak(*set);
            shape.extent.asciiOnly = set->onlyAscii();
            pos += 2;
            if (quantifierAt(pos))
                mAtomSet = std::make_shared<const CodeSet>(*set);
            return true;
        }
        if (auto c = parseCharacterEscape()) {
            atom = literalAtom(*c, shape);
            noteCharacter(start, *c);
            return true;
        }
        if (e == 'c') {
            if (isAsciiLetter(at(pos + 2)) && has(pos + 2)) {
                atom = literalAtom(at(pos + 2) % 32, shape);
                pos += 3;
                noteCharacter(start, at(pos - 1) % 32);
            } else { // the backslash stands for itself; the 'c' is read next
                atom = literalAtom('\\', shape);
                ++pos;
                noteCharacter(start, '\\');
            }
            return true;
        }
        if (isDigit(e)) {
            if (e != '0') {
                qsizetype j = pos + 1;
                quint64 n = 0;
                while (has(j) && isDigit(at(j))) {
                    n = std::min<quint64>(n * 10 + (at(j) - '0'), quint64(1) << 40);
                    ++j;
                }
                if (n <= quint64(mTotalGroups)) {
                    pos = j;
                    PatternPart reference = part(PatternPart::BackReference, start, pos - start);
                    reference.number = int(n);
                    reference.pending = n >= mClosed.size() || !mClosed[std::size_t(n)];
                    note(reference);
                    atom = backReference(int(n));
                    shape = Shape::empty();
                    shape.extent = Extent::unknown();
                    return true;
                }
                if (e == '8' || e == '9') {
                    atom = literalAtom(e, shape);
                    pos += 2;
                    noteCharacter(start, e);
                    return true;
                }
            }
            ++pos;
            const char16_t octal = readOctal();
            atom = literalAtom(octal, shape);
            noteCharacter(start, octal);
            return true;
        }
        if (isPcreOnlyEscape(e))
            return fail(RegExpError::SyntaxError, start);
        atom = literalAtom(e, shape);
        pos += 2;
        noteCharacter(start, e);
        return true;
    }

    QString backReference(int n)
    {
        // A group that has not closed yet (a forward reference or one to an enclosing group)
        // has no text at this point of any match, so the reference matches empty.
        if (n >= int(mClosed.size()) || !mClosed[n])
            return QStringLiteral("(?:)");
        // PCRE2 without UTF folds only ASCII in back-references, and knows nothing of copies;
        // two callouts compare the texts as this flavour folds them, with the copy that holds
        // the group's text.
        const bool copied = std::binary_search(mPlanned.copiedGroups.begin(), mPlanned.copiedGroups.end(), n);
        if (!mIgnoreCase && !copied)
            return u"\\g{" % QString::number(mGroupMap[n]) % u'}';
        const int marker = ++mPcreGroups;
        const int reference = int(mBackReferences.size());
        mBackReferences.push_back({marker, n, mIgnoreCase});
        return u"(?:()(?:" % callout(PatternCallout::BackReferenceGuard, reference) % u"[\\s\\S])*+"
            % callout(PatternCallout::BackReferenceCheck, reference) % u')';
    }

    std::optional<CodeSet> parseClass()
    {
        const qsizetype open = pos;
        ++pos;
        bool negated = false;
        if (!atEnd() && cur() == '^') {
            negated = true;
            ++pos;
        }
        PatternPart start = part(PatternPart::ClassStart, open, pos - open);
        start.negated = negated;
        note(start);
        CodeSet set;
        // A ']' right after '[' or '[^' is a member, so "[]" is an unclosed class.
        for (bool first = true;; first = false) {
            if (atEnd()) {
                fail(RegExpError::ExpectedBracket, open);
                return std::nullopt;
            }
            if (cur() == ']' && !first) {
                note(part(PatternPart::ClassEnd, pos, 1));
                ++pos;
                break;
            }
            const qsizetype atomStart = pos;
            ClassAtom low;
            if (!parseClassAtom(low))
                return std::nullopt;
            if (has(pos + 1) && cur() == '-' && at(pos + 1) != ']') {
                const qsizetype hyphen = pos++;
                ClassAtom high;
                if (!parseClassAtom(high))
                    return std::nullopt;
                if (!low.set && !high.set) {
                    if (low.c > high.c) {
                        fail(RegExpError::InvalidRange, atomStart);
                        return std::nullopt;
                    }
                    set.addRange(low.c, high.c);
                    PatternPart range = part(PatternPart::ClassRange, atomStart, pos - atomStart);
                    range.character = low.c;
                    range.high = high.c;
                    note(range);
                } else { // [\d-z]: the hyphen is a member
                    low.addTo(set);
                    set.add('-');
                    high.addTo(set);
                    noteClassAtom(low, atomStart, hyphen);
                    noteClassAtom({'-', std::nullopt}, hyphen, hyphen + 1);
                    noteClassAtom(high, hyphen + 1, pos);
                }
            } else {
                low.addTo(set);
                noteClassAtom(low, atomStart, pos);
            }
        }
        if (mIgnoreCase)
            set.closeUnderCase();
        if (negated)
            set.invert();
        return set;
    }

    struct ClassAtom {
        char16_t c = 0;
        std::optional<CodeSet> set;
        void addTo(CodeSet& target) const
        {
            if (set)
                target.add(*set);
            else
                target.add(c);
        }
    };

    void noteClassAtom(const ClassAtom& atom, qsizetype start, qsizetype end)
    {
        PatternPart found = part(atom.set ? PatternPart::CharacterSet : PatternPart::Character, start, end - start);
        found.character = atom.c;
        note(found);
    }

    bool isPosixClassAt(qsizetype i) const
    {
        const char16_t delimiter = at(i + 1);
        if (at(i) != '[' || !has(i + 1) || (delimiter != ':' && delimiter != '.' && delimiter != '='))
            return false;
        for (qsizetype j = i + 2; has(j + 1) && at(j) != ']'; ++j)
            if (at(j) == delimiter && at(j + 1) == ']')
                return j > i + 2;
        return false;
    }

    bool parseClassAtom(ClassAtom& atom)
    {
        const char16_t c = cur();
        if (isPosixClassAt(pos))
            return fail(RegExpError::SyntaxError, pos);
        if (c != '\\') {
            atom.c = c;
            ++pos;
            return true;
        }
        if (!has(pos + 1))
            return fail(RegExpError::SyntaxError, pos);
        const char16_t e = at(pos + 1);
        if (auto set = classEscapeSet(e)) {
            atom.set = std::move(set);
            pos += 2;
            return true;
        }
        if (auto value = parseCharacterEscape()) {
            atom.c = *value;
            return true;
        }
        if (e == 'b') { // backspace inside a class
            atom.c = 0x08;
            pos += 2;
            return true;
        }
        if (e == 'c') {
            const char16_t x = at(pos + 2);
            if (has(pos + 2) && (isAsciiLetter(x) || isDigit(x) || x == '_')) {
                atom.c = x % 32;
                pos += 3;
            } else {
                atom.c = '\\';
                ++pos;
            }
            return true;
        }
        if (isDigit(e)) { // no back-references inside a class
            if (e == '8' || e == '9') {
                atom.c = e;
                pos += 2;
            } else {
                ++pos;
                atom.c = readOctal();
            }
            return true;
        }
        if (isPcreOnlyEscape(e))
            return fail(RegExpError::SyntaxError, pos);
        atom.c = e;
        pos += 2;
        return true;
    }

    const QString& p;
    qsizetype pos = 0;
    const bool mIgnoreCase;
    const bool mMultiline;
    const int mTotalGroups;
    int mGroups = 0;
    int mPcreGroups = 0;
    int mGroupDepth = 0;
    bool mLineStart = false;
    bool mLookahead = false;
    /// What a lookahead looks at may hold CR or LF.
    bool mLookaheadLineBreak = false;
    /// What a lookahead looks at may hold a code unit of 0x80 or above.
    bool mLookaheadBeyondAscii = false;
    /// A group with alternatives has been parsed, and then an atom repeated without bound.
    bool mAlternativesSeen = false;
    bool mRepeatAfterAlternatives = false;
    const Layout& mPlanned;
    std::vector<PatternPart>* const mParts;
    const bool mMarking;
    /// The stretches of the pattern the marks in the output stand for (see mark).
    std::vector<SourceMark> mMarks;
    /// The mark of the end of the group parsed last.
    std::size_t mGroupEndMark = 0;
    std::vector<qsizetype> mMarkedAtoms;
    /// While a copy of an atom is parsed, the number of the last group it has opened; -1
    /// otherwise.
    int mCopyCursor = -1;
    std::vector<int> mGroupMap{0};
    std::vector<std::vector<int>> mGroupCopies{{}};
    std::vector<bool> mClosed;
    std::vector<PatternCallout> mCallouts;
    std::vector<CalloutBackReference> mBackReferences;
    std::vector<int> mIterationMarkers;
    /// The character of the atom just parsed, when it is one.
    std::optional<char16_t> mAtomChar;
    /// The code units of the atom just parsed, when it is a class, a class escape or '.' that a
    /// quantifier follows.
    SharedSet mAtomSet;
    /// The code units the terms parsed last may give back when PCRE2 backtracks into them, so
    /// that a repeat after them goes over those again; nothing after a term of fixed length.
    SharedSet mGivenBack;
    /// The character of the term just parsed, when it is one that matches only itself.
    std::optional<char16_t> mTermChar;
    /// The runs of such characters in the top-level sequence; the last is open while the
    /// terms go on with such characters.
    std::vector<RequiredLiteral> mRuns;
    bool mRunOpen = false;
    bool mTopLevelAlternatives = false;
    /// A top-level term that is no character that matches only itself has been parsed.
    bool mOtherTopLevelTerm = false;
    QString mOut;
    std::optional<RegExpError> mError;
};

} // namespace

namespace {

RegExpResult<TranslatedPattern> translate(const QString& pattern, bool ignoreCase, bool multiline,
                                          std::vector<PatternPart>* parts, bool marking)
{
    // A decimal escape is a back-reference when it does not exceed the number of groups of
    // the whole pattern, and a repeated atom gets a marker group before its own groups when it
    // needs a guard; so a parse that learns either anew is followed by one that knows it. The
    // group count depends on neither, and the guards only on the count: at most three parses.
    int groups = 0;
    Layout layout;
    for (;;) {
        if (parts)
            parts->clear();
        Translator translator(pattern, ignoreCase, multiline, groups, layout, parts, marking);
        auto result = translator.run();
        if (!result)
            return result;
        const int found = result->groupCount;
        if (found == groups && translator.layout() == layout)
            return result;
        groups = found;
        layout = translator.layout();
    }
}

} // namespace

RegExpResult<TranslatedPattern> translatePattern(const QString& pattern, bool ignoreCase, bool multiline,
                                                 std::vector<PatternPart>* parts)
{
    return translate(pattern, ignoreCase, multiline, parts, false);
}

RegExpResult<TranslatedPattern> translateWithSourceMap(const QString& pattern, bool ignoreCase, bool multiline)
{
    return translate(pattern, ignoreCase, multiline, nullptr, true);
}

const SourceMark* sourceOf(const TranslatedPattern& pattern, qsizetype pcreOffset)
{
    const auto after = std::upper_bound(pattern.sourceMap.begin(), pattern.sourceMap.end(), pcreOffset,
                                        [](qsizetype offset, const SourceMark& mark) { return offset < mark.pcreOffset; });
    return after == pattern.sourceMap.begin() ? nullptr : &*(after - 1);
}
