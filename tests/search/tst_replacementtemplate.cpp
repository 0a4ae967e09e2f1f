#include "regex/RegExp.h"
#include "regex/ReplacementTemplate.h"

#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

class tst_ReplacementTemplate : public QObject {
    Q_OBJECT

private slots:
    void expand_data();
    void expand();
    void caseConversion_data();
    void caseConversion();
    void caseConversionUpToALimit_data();
    void caseConversionUpToALimit();
};

void tst_ReplacementTemplate::expand_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("groupCount");
    QTest::addColumn<QString>("expected");

    // Subject "xABCDEFGHIJKy" with the match "ABCDEFGHIJK" at 1; group n is the n-th letter,
    // group 11 ("K") took no part when groupCount is 12 (group 12 is "K").
    QTest::newRow("plain text") << u"plain"_qs << 3 << u"plain"_qs;
    QTest::newRow("empty") << QString() << 3 << QString();
    QTest::newRow("group 1") << u"<$1>"_qs << 3 << u"<A>"_qs;
    QTest::newRow("group 9") << u"$9"_qs << 9 << u"I"_qs;
    QTest::newRow("two digits when that many groups exist") << u"$10"_qs << 12 << u"J"_qs;
    QTest::newRow("one digit and a literal digit otherwise") << u"$10"_qs << 9 << u"A0"_qs;
    QTest::newRow("two digits with leading zero") << u"$01"_qs << 3 << u"A"_qs;
    QTest::newRow("number above group count is literal") << u"$4"_qs << 3 << u"$4"_qs;
    QTest::newRow("no groups, digit is literal") << u"$1"_qs << 0 << u"$1"_qs;
    QTest::newRow("dollar zero is literal") << u"$0"_qs << 3 << u"$0"_qs;
    QTest::newRow("dollar zero zero is literal") << u"$00"_qs << 3 << u"$00"_qs;
    QTest::newRow("group that took no part is empty") << u"[$11]"_qs << 12 << u"[]"_qs;
    QTest::newRow("whole match") << u"[$&]"_qs << 0 << u"[ABCDEFGHIJK]"_qs;
    QTest::newRow("left of the match") << u"[$`]"_qs << 0 << u"[x]"_qs;
    QTest::newRow("right of the match") << u"[$']"_qs << 0 << u"[y]"_qs;
    QTest::newRow("whole subject") << u"[$_]"_qs << 0 << u"[xABCDEFGHIJKy]"_qs;
    QTest::newRow("highest group") << u"[$+]"_qs << 3 << u"[C]"_qs;
    QTest::newRow("highest group that took no part") << u"[$+]"_qs << 11 << u"[]"_qs;
    QTest::newRow("highest group without groups is literal") << u"[$+]"_qs << 0 << u"[$+]"_qs;
    QTest::newRow("double dollar") << u"$$1"_qs << 3 << u"$1"_qs;
    QTest::newRow("triple dollar then group") << u"$$$1"_qs << 3 << u"$A"_qs;
    QTest::newRow("lone dollar at end") << u"a$"_qs << 3 << u"a$"_qs;
    QTest::newRow("dollar before other character") << u"$x$ $<1>"_qs << 3 << u"$x$ $<1>"_qs;
    QTest::newRow("sequences side by side") << u"$1$2$&"_qs << 3 << u"ABABCDEFGHIJK"_qs;
}

void tst_ReplacementTemplate::expand()
{
    QFETCH(QString, replacement);
    QFETCH(int, groupCount);
    QFETCH(QString, expected);
    const QString subject = u"xABCDEFGHIJKy"_qs;
    std::vector<qsizetype> offsets{1, 12};
    for (int n = 1; n <= groupCount; ++n) {
        if (n == 11 && groupCount >= 11)
            offsets.insert(offsets.end(), {-1, -1});
        else
            offsets.insert(offsets.end(), {qsizetype(std::min(n, 11)), qsizetype(std::min(n, 11) + 1)});
    }
    const ReplacementTemplate expansion(replacement, groupCount);
    QString out = u"="_qs;
    expansion.expand(out, subject, offsets);
    QCOMPARE(out, u'=' + expected);
    QCOMPARE(expansion.expandedLength(subject, offsets), expected.size());
    QString written(expected.size() + 1, u'#');
    char16_t* const begin = reinterpret_cast<char16_t*>(written.data());
    QCOMPARE(expansion.expandTo(begin, subject, offsets) - begin, expected.size());
    QCOMPARE(written, expected + u'#'); // nothing written past the expansion
    // In these rows a replacement expands to itself exactly when it holds no sequence.
    QCOMPARE(expansion.isLiteral(), expected == replacement);
}

void tst_ReplacementTemplate::caseConversion_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("converted"); ///< Replace's result with case conversion on
    QTest::addColumn<QString>("plain");     ///< and with it off

    const QString pair = u"(\\w+) (\\w+)"_s;
    QTest::newRow("upper-case to the end") << pair << u"ab cd"_s << u"\\U$1 $2"_s << u"AB CD"_s << u"\\Uab cd"_s;
    QTest::newRow("upper-case until \\E") << pair << u"ab cd"_s << u"\\U$1\\E $2"_s << u"AB cd"_s
                                         << u"\\Uab\\E cd"_s;
    QTest::newRow("lower-case, then upper-case") << pair << u"AB CD"_s << u"\\L$1 \\U$2"_s << u"ab CD"_s
                                              << u"\\LAB \\UCD"_s;
    QTest::newRow("next character only") << pair << u"ab cd"_s << u"\\u$1 \\l$2"_s << u"Ab cd"_s
                                       << u"\\uab \\lcd"_s;
    QTest::newRow("next character wins over lower-case") << pair << u"hELLO wORLD"_s << u"\\u\\L$1 \\L\\u$2"_s
                                                      << u"Hello World"_s << u"\\u\\LhELLO \\L\\uwORLD"_s;
    QTest::newRow("next character of the text") << u"b"_s << u"abc"_s << u"\\ux$&"_s << u"aXbc"_s << u"a\\uxbc"_s;
    QTest::newRow("an empty group passes it on") << u"(x?)(\\w+)"_s << u"ab"_s << u"\\u$1$2"_s << u"Ab"_s
                                               << u"\\uab"_s;
    QTest::newRow("whole match, left and right") << u"b"_s << u"abc"_s << u"\\U$`$&$'"_s << u"aABCc"_s
                                               << u"a\\Uabcc"_s;
    QTest::newRow("whole subject and highest group") << u"(b)"_s << u"abc"_s << u"\\U$_\\E$+"_s
                                                   << u"aABCbc"_s << u"a\\Uabc\\Ebc"_s;
    QTest::newRow("double backslash is one") << u"b"_s << u"abc"_s << u"\\\\U$&"_s << u"a\\Ubc"_s
                                           << u"a\\\\Ubc"_s;
    QTest::newRow("other backslashes are literal") << u"b"_s << u"abc"_s << u"\\n\\x$&\\"_s
                                                 << u"a\\n\\xb\\c"_s << u"a\\n\\xb\\c"_s;
    QTest::newRow("end without a mode") << u"b"_s << u"abc"_s << u"\\E$&"_s << u"abc"_s << u"a\\Ebc"_s;
    QTest::newRow("letters beyond ASCII") << u".+"_s << u"d\u00e9j\u00e0"_s << u"\\U$&"_s
                                       << u"D\u00c9J\u00c0"_s << u"\\Ud\u00e9j\u00e0"_s;
    QTest::newRow("sharp s becomes SS") << u".+"_s << u"stra\u00dfe"_s << u"\\U$&"_s << u"STRASSE"_s
                                     << u"\\Ustra\u00dfe"_s;
    // U+10428 DESERET SMALL LETTER LONG I, upper case U+10400.
    QTest::newRow("astral letters") << u".+"_s << u"\U00010428\U00010428"_s << u"\\u$&"_s
                                 << u"\U00010400\U00010428"_s << u"\\u\U00010428\U00010428"_s;
    QTest::newRow("a pair split between groups stays whole")
        << u"([\\s\\S])([\\s\\S])"_s << u"\U00010428"_s << u"$1\\U$2|\\u$1$2"_s
        << u"\U00010428|\U00010400"_s << u"\xd801\\U\xdc28|\\u\U00010428"_s;
    QTest::newRow("lone surrogate unchanged") << u"[\\s\\S]"_s << u"\xd801"_s << u"\\U$&"_s
                                           << u"\xd801"_s << u"\\U\xd801"_s;
}

void tst_ReplacementTemplate::caseConversion()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(QString, converted);
    QFETCH(QString, plain);
    RegExp expression(pattern);
    QCOMPARE(expression.Replace(text, replacement).value(), plain);
    expression.setCaseConversion(CaseConversion::On);
    QCOMPARE(expression.Replace(text, replacement).value(), converted);
}

void tst_ReplacementTemplate::caseConversionUpToALimit_data()
{
    QTest::addColumn<qsizetype>("limit");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing") << qsizetype(0) << QString();
    QTest::newRow("inside a character that grows") << qsizetype(2) << u"SS"_s;
    QTest::newRow("half a pair") << qsizetype(4) << u"SSX\xd801"_s;
    QTest::newRow("beyond the end") << qsizetype(99) << u"SSX\U00010400"_s;
}

void tst_ReplacementTemplate::caseConversionUpToALimit()
{
    QFETCH(qsizetype, limit);
    QFETCH(QString, expected);
    const QString subject = u"\u00dfx\U00010428"_s;
    const std::vector<qsizetype> offsets{0, subject.size()};
    QString out;
    ReplacementTemplate(u"\\U$&"_s, 0, CaseConversion::On).expandUpTo(out, subject, offsets, limit);
    QCOMPARE(out, expected);
}

QTEST_GUILESS_MAIN(tst_ReplacementTemplate)
#include "tst_replacementtemplate.moc"
