// The pattern's parts as the translator reads them, in plain words, with their places.

#include "regex/PatternExplanation.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_PatternExplanation : public QObject {
    Q_OBJECT
private slots:
    void tree_data();
    void tree();
};

void tst_PatternExplanation::tree_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty pattern has no parts") << u""_s << QStringList();
    QTest::newRow("plain characters and escaped punctuation form one text") << uR"(a\.b c)"_s
        << QStringList{uR"(0+6 The text "a.b c")"_s};
    QTest::newRow("a quantifier takes only the last character of a text") << u"abc{2,5}"_s << QStringList{
        uR"(0+2 The text "ab")"_s,
        u"2+6 Repeated 2 to 5 times, as many times as possible (greedy)"_s,
        u"  2+1 The character 'c'"_s};
    QTest::newRow("greedy and lazy quantifiers with their bounds") << u"a*b+?c{3}d{2,}?e?f??g{1}?"_s << QStringList{
        u"0+2 Repeated zero or more times, as many times as possible (greedy)"_s,
        u"  0+1 The character 'a'"_s,
        u"2+3 Repeated one or more times, as few times as possible (lazy)"_s,
        u"  2+1 The character 'b'"_s,
        u"5+4 Repeated exactly 3 times"_s,
        u"  5+1 The character 'c'"_s,
        u"9+6 Repeated 2 or more times, as few times as possible (lazy)"_s,
        u"  9+1 The character 'd'"_s,
        u"15+2 Optional: once or not at all, preferring once (greedy)"_s,
        u"  15+1 The character 'e'"_s,
        u"17+3 Optional: once or not at all, preferring not at all (lazy)"_s,
        u"  17+1 The character 'f'"_s,
        u"20+5 Repeated exactly once (the lazy mark changes nothing)"_s,
        u"  20+1 The character 'g'"_s};
    QTest::newRow("nested groups numbered by their opening parenthesis") << u"((a)(?:b))(c)"_s << QStringList{
        u"0+10 Group 1 (capturing): its text becomes sub-match 1"_s,
        u"  1+3 Group 2 (capturing): its text becomes sub-match 2"_s,
        u"    2+1 The character 'a'"_s,
        u"  4+5 Non-capturing group: groups its parts without capturing"_s,
        u"    7+1 The character 'b'"_s,
        u"10+3 Group 3 (capturing): its text becomes sub-match 3"_s,
        u"  11+1 The character 'c'"_s};
    QTest::newRow("lookaheads, positive and negative") << u"(?=a)(?!b)"_s << QStringList{
        u"0+5 Lookahead: the text ahead must match its parts; takes no text"_s,
        u"  3+1 The character 'a'"_s,
        u"5+5 Negative lookahead: the text ahead must not match its parts; takes no text"_s,
        u"  8+1 The character 'b'"_s};
    QTest::newRow("alternatives of the pattern, the last one empty") << u"ab|c|"_s << QStringList{
        u"0+2 Alternative 1 of 3"_s,
        uR"(  0+2 The text "ab")"_s,
        u"3+1 Alternative 2 of 3"_s,
        u"  3+1 The character 'c'"_s,
        u"5+0 Alternative 3 of 3: empty, matches without taking any text"_s};
    QTest::newRow("repeated group of alternatives, read once though translated twice") << u"(a|)+"_s << QStringList{
        u"0+5 Repeated one or more times, as many times as possible (greedy)"_s,
        u"  0+4 Group 1 (capturing): its text becomes sub-match 1"_s,
        u"    1+1 Alternative 1 of 2"_s,
        u"      1+1 The character 'a'"_s,
        u"    3+0 Alternative 2 of 2: empty, matches without taking any text"_s};
    QTest::newRow("class with a range, a set and a character") << uR"([a-z\d_])"_s << QStringList{
        u"0+8 Class: one character from its members"_s,
        u"  1+3 Range: one character from 'a' to 'z'"_s,
        u"  4+2 A digit (0-9)"_s,
        u"  6+1 The character '_'"_s};
    QTest::newRow("negated class with escapes") << uR"([^\t\-\x41-\x5A])"_s << QStringList{
        u"0+16 Negated class: one character that is none of its members"_s,
        u"  2+2 Tab (U+0009)"_s,
        u"  4+2 The character '-'"_s,
        u"  6+9 Range: one character from 'A' to 'Z'"_s};
    QTest::newRow("hyphen after a set is a member; \\b in a class is backspace") << uR"([\s-z][\b])"_s << QStringList{
        u"0+6 Class: one character from its members"_s,
        u"  1+2 White space: a space, tab, line break, vertical tab or form feed"_s,
        u"  3+1 The character '-'"_s,
        u"  4+1 The character 'z'"_s,
        u"6+4 Class: one character from its members"_s,
        u"  7+2 Backspace (U+0008)"_s};
    QTest::newRow("anchors, any character and sets") << uR"(^\b.\W\B$)"_s << QStringList{
        u"0+1 Start of a line: the start of the text or just after a line break"_s,
        u"1+2 Word boundary: between a word character (a-z, A-Z, 0-9 or _) and another character or either end of the text"_s,
        u"3+1 Any character but a line break (carriage return or line feed)"_s,
        u"4+2 Any character but a word character"_s,
        u"6+2 Not a word boundary"_s,
        u"8+1 End of a line: the end of the text or just before a line break"_s};
    QTest::newRow("character escapes") << uR"(\t\n\x41\u00e9\cJ\x4)"_s << QStringList{
        u"0+2 Tab (U+0009)"_s,
        u"2+2 Line feed (U+000A)"_s,
        u"4+4 Hex escape: 'A' (U+0041)"_s,
        u"8+6 Unicode escape: 'é' (U+00E9)"_s,
        u"14+3 Control escape: line feed (U+000A)"_s,
        uR"(17+2 The letter 'x': \x without two hex digits after it)"_s,
        u"19+1 The character '4'"_s};
    QTest::newRow("\\c without a letter is a backslash") << uR"(\c1)"_s << QStringList{
        uR"(0+1 A backslash: \c without a letter after it stands for a backslash)"_s,
        uR"(1+2 The text "c1")"_s};
    QTest::newRow("decimal escapes: back-reference up to the group count, octal beyond")
        << uR"((a)\1\2\8[\1]\0)"_s << QStringList{
        u"0+3 Group 1 (capturing): its text becomes sub-match 1"_s,
        u"  1+1 The character 'a'"_s,
        u"3+2 Back-reference to group 1: the text that group 1 matched"_s,
        u"5+2 Octal escape: U+0002; not a back-reference, as the pattern has only 1 group"_s,
        u"7+2 The digit '8'; not a back-reference, as the pattern has only 1 group"_s,
        u"9+4 Class: one character from its members"_s,
        u"  10+2 Octal escape: U+0001; a class has no back-references"_s,
        u"13+2 Octal escape: the null character (U+0000)"_s};
    QTest::newRow("back-reference counts the groups after it") << uR"(\12(a))"_s << QStringList{
        u"0+3 Octal escape: line feed (U+000A); not a back-reference, as the pattern has only 1 group"_s,
        u"3+3 Group 1 (capturing): its text becomes sub-match 1"_s,
        u"  4+1 The character 'a'"_s};
    QTest::newRow("back-reference inside its own group") << uR"((a\1)\1)"_s << QStringList{
        u"0+5 Group 1 (capturing): its text becomes sub-match 1"_s,
        u"  1+1 The character 'a'"_s,
        u"  2+2 Back-reference to group 1, which has not closed here: matches empty text"_s,
        u"5+2 Back-reference to group 1: the text that group 1 matched"_s};

    QTest::newRow("unclosed group marked at its parenthesis") << u"a(bc"_s
        << QStringList{u"1+1 Expected ')' in regular expression"_s};
    QTest::newRow("unclosed class marked at its bracket") << u"ab[c"_s
        << QStringList{u"2+1 Expected ']' in regular expression"_s};
    QTest::newRow("quantifier after a quantifier") << u"a**"_s
        << QStringList{u"2+1 Error: Unexpected quantifier 5018"_s};
    QTest::newRow("backslash at the end") << uR"(ab\)"_s << QStringList{u"2+1 Syntax error in regular expression"_s};
    QTest::newRow("range out of order") << u"x[z-a]"_s << QStringList{u"2+1 Error: Invalid range in character set 5021"_s};
    QTest::newRow("parenthesis without its group") << u"a)"_s << QStringList{u"1+1 Syntax error in regular expression"_s};
    QTest::newRow("lookbehind is not this flavour's") << u"(?<=a)"_s
        << QStringList{u"0+1 Syntax error in regular expression"_s};
}

void tst_PatternExplanation::tree()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, lines);
    const PatternExplanation explanation = explainPattern(pattern, false);
    QCOMPARE(explanationLines(explanation), lines);
    QCOMPARE(explanation.error.has_value(), !explanation.errorText.isEmpty());
}

QTEST_GUILESS_MAIN(tst_PatternExplanation)
#include "tst_patternexplanation.moc"
