#include "RandomPattern.h"

#include <QStringBuilder>

#include <algorithm>

namespace {

// Letters and marks the flavour folds beyond ASCII (KELVIN SIGN, LONG S, final sigma, letters
// of Unicode 16), characters around U+00FF, line breaks, and the halves of U+1F600.
constexpr char16_t kCharacters[] = {
    u'a', u'b', u'A', u'B', u'k', u's', u'0', u'_', u' ', u'-', u'\n', u'\r',
    0x00E9, 0x00C9, 0x00FF, 0x0178, 0x0100, 0x0101, 0x017F, 0x212A, 0x03C3, 0x03A3, 0x03C2,
    0x0436, 0x0416, 0x1C89, 0x1C8A, 0xA7CB, 0x0264, 0xD83D, 0xDE00,
};

// \s as the flavour knows it, inside a JavaScript class, and its complement.
constexpr auto kSpaces = u"\\t\\n\\v\\f\\r ";
constexpr auto kNonSpaces = u"\\0-\\x08\\x0e-\\x1f\\x21-\\uffff";

} // namespace

bool PatternGenerator::chance(int percent)
{
    return number(100) < percent;
}

int PatternGenerator::number(int below)
{
    return int(mRandom() % quint32(below));
}

char16_t PatternGenerator::character()
{
    const char16_t c = kCharacters[number(int(std::size(kCharacters)))];
    mPattern.alphabet += QChar(c);
    return c;
}

QString PatternGenerator::escaped(char16_t c)
{
    // Digits too are escaped, so that none extends a back-reference before it.
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return QString(QChar(c));
    return QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
}

RandomPattern PatternGenerator::pattern()
{
    mPattern = RandomPattern();
    mReferences.clear();
    mPattern.ignoreCase = chance(30);
    mPattern.multiline = chance(30);
    Out out;
    disjunction(out, 0);
    mPattern.flavour = out.flavour;
    mPattern.javascript = out.javascript;
    for (int n : mReferences)
        if (n <= mPattern.groups && mPattern.repeatedGroups[std::size_t(n - 1)])
            mPattern.readsKeptCapture = true;
    return mPattern;
}

void PatternGenerator::disjunction(Out& out, int depth)
{
    const int alternatives = chance(70) ? 1 : 2 + number(2);
    for (int a = 0; a < alternatives; ++a) {
        if (a > 0)
            out.add(QStringLiteral("|"));
        const int terms = number(depth == 0 ? 5 : 4);
        for (int t = 0; t < terms; ++t)
            term(out, depth);
    }
}

void PatternGenerator::term(Out& out, int depth)
{
    if (chance(10)) { // an assertion, which takes no quantifier
        switch (number(4)) {
        case 0:
            out.flavour += u'^';
            out.javascript += mPattern.multiline ? u"(?<![^\\n\\r])(?!(?<=\\r)\\n)" : u"^";
            return;
        case 1:
            out.flavour += u'$';
            out.javascript += mPattern.multiline ? u"(?![^\\n\\r])(?!(?<=\\r)\\n)" : u"$";
            return;
        case 2:
            out.add(QStringLiteral("\\b"));
            return;
        default:
            out.add(QStringLiteral("\\B"));
            return;
        }
    }
    const int groupsBefore = mPattern.groups;
    atom(out, depth);
    if (!chance(40))
        return;
    const int min = number(3);
    int max = -1; // unbounded
    switch (number(6)) {
    case 0: out.add(QStringLiteral("*")); break;
    case 1: out.add(QStringLiteral("+")); break;
    case 2: out.add(QStringLiteral("?")); max = 1; break;
    case 3: out.add(QStringLiteral("{%1}").arg(min)); max = min; break;
    case 4: out.add(QStringLiteral("{%1,}").arg(min)); break;
    default:
        max = min + number(3);
        out.add(QStringLiteral("{%1,%2}").arg(min).arg(max));
        break;
    }
    if (chance(40))
        out.add(QStringLiteral("?"));
    if (max < 0 || max > 1)
        for (int j = groupsBefore; j < mPattern.groups; ++j)
            mPattern.repeatedGroups[std::size_t(j)] = true;
}

void PatternGenerator::atom(Out& out, int depth)
{
    const int kind = number(100);
    if (kind < 35) {
        out.add(escaped(character()));
    } else if (kind < 50) {
        characterClass(out);
    } else if (kind < 55) {
        out.flavour += u'.';
        out.javascript += u"[^\\n\\r]";
    } else if (kind < 62) {
        const char16_t letter = u"dwsDWS"[number(6)];
        out.flavour += u'\\' + QString(QChar(letter));
        if (letter == 's')
            out.javascript += u"[" % QString::fromUtf16(kSpaces) % u']';
        else if (letter == 'S')
            out.javascript += u"[^" % QString::fromUtf16(kSpaces) % u']';
        else
            out.javascript += u'\\' + QString(QChar(letter));
    } else if (kind < 72) {
        // Any group so far or the next one: taking no part, not closed yet, or set.
        const int n = 1 + number(mPattern.groups + 1);
        mReferences.push_back(n);
        out.add(u'\\' + QString::number(n));
    } else if (depth < 3) {
        constexpr QStringView kOpeners[] = {u"(", u"(?:", u"(?=", u"(?!"};
        const int opener = number(10) < 5 ? 0 : 1 + number(3);
        if (opener == 0) {
            ++mPattern.groups;
            mPattern.repeatedGroups.push_back(false);
        }
        out.add(kOpeners[opener].toString());
        disjunction(out, depth + 1);
        out.add(QStringLiteral(")"));
    } else {
        out.add(escaped(character()));
    }
}

void PatternGenerator::characterClass(Out& out)
{
    const QString open = chance(30) ? QStringLiteral("[^") : QStringLiteral("[");
    out.add(open);
    const int items = 1 + number(3);
    for (int i = 0; i < items; ++i) {
        const int kind = number(10);
        if (kind < 5) {
            out.add(escaped(character()));
        } else if (kind < 6) {
            char16_t low = character();
            char16_t high = character();
            if (low > high)
                std::swap(low, high);
            out.add(escaped(low) + u'-' + escaped(high));
        } else if (kind < 8) { // wide ranges, around U+00FF
            constexpr QStringView kRanges[] = {u"\\u0100-\\uffff", u"\\u0100-\\uffff", u"\\0-\\x60",
                                               u"\\u00fe-\\u0101", u"b-\\xff"};
            out.add(kRanges[number(int(std::size(kRanges)))].toString());
        } else {
            const char16_t letter = u"dwsDWS"[number(6)];
            out.flavour += u'\\' + QString(QChar(letter));
            if (letter == 's')
                out.javascript += QString::fromUtf16(kSpaces);
            else if (letter == 'S')
                out.javascript += QString::fromUtf16(kNonSpaces);
            else
                out.javascript += u'\\' + QString(QChar(letter));
        }
    }
    out.add(QStringLiteral("]"));
}

QString PatternGenerator::text(const RandomPattern& pattern)
{
    const QString alphabet = pattern.alphabet + u"abA \n\r\u00e9\u0100\U0001F600"_qs;
    QString text;
    const int length = number(11);
    while (text.size() < length) {
        const QChar c = alphabet.at(number(int(alphabet.size())));
        text += c;
        // Astral characters mostly whole, sometimes a half alone.
        if (c.isHighSurrogate() && chance(80))
            text += QChar(0xDE00);
    }
    return text;
}
