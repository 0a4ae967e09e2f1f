// Patterns, replacements and results far beyond everyday sizes: each ends in a correct result
// or in an error the user is shown, never in a crash, and a failed Replace changes nothing.

#include "regex/RegExp.h"
#include "regex/RegExpErrorText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString nested(const QString& open, const QString& inner, qsizetype depth)
{
    return open.repeated(depth) + inner + u")"_s.repeated(depth);
}

/// Describes an outcome for a failure message: the number of matches, or the error.
QString describe(const RegExpResult<MatchCollection>& result)
{
    return result.ok() ? QStringLiteral("%1 matches").arg(result->Count())
                       : QStringLiteral("error %1: %2").arg(result.error().Number).arg(result.error().Description);
}

constexpr int kMatched = 0;

} // namespace

class TestHostilePatterns : public QObject {
    Q_OBJECT

private slots:
    void patternEndsInResultOrMessage_data();
    void patternEndsInResultOrMessage();
    void largeReplacementIsExpandedExactly_data();
    void largeReplacementIsExpandedExactly();
    void resultPastTheLimitIsRefused_data();
    void resultPastTheLimitIsRefused();
};

void TestHostilePatterns::patternEndsInResultOrMessage_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("count");

    // PCRE2 as Debian builds it holds at most 64K code units of compiled pattern; a pattern
    // beyond that is refused as too large, with a message, rather than matched. Plain text,
    // and plain text alternatives, are searched without PCRE2 at any length.
    const QString a100k = u"a"_s.repeated(100'000);
    QTest::newRow("literal of 30,000 characters") << u"a"_s.repeated(30'000) << u"a"_s.repeated(60'001) << kMatched << 2;
    QTest::newRow("literal of 100,000 characters") << a100k << a100k << kMatched << 1;
    QTest::newRow("alternation of 100,000 characters") << u"a|"_s.repeated(50'000) << "ab"
                                                       << RegExpError::PatternTooComplex << 0;
    QTest::newRow("class of 100,000 characters")
        << u'[' + u"0123456789"_s.repeated(9'999) + u"xyzzyxyz]"_s << "abc9y" << kMatched << 2;
    QTest::newRow("100,000 characters of escapes") << u"\\d"_s.repeated(50'000) << "123"
                                                   << RegExpError::PatternTooComplex << 0;
    QTest::newRow("33,333 groups") << u"(a)"_s.repeated(33'333) << u"a"_s.repeated(33'333)
                                   << RegExpError::PatternTooComplex << 0;
    QTest::newRow("50,000 back-references") << u"(a)"_s + u"\\1"_s.repeated(50'000) << "aa"
                                            << RegExpError::PatternTooComplex << 0;
    QTest::newRow("more groups than the engine holds") << u"()"_s.repeated(70'000) << "a"
                                                       << RegExpError::PatternTooComplex << 0;
    QTest::newRow("100,000 closing parentheses") << u")"_s.repeated(100'000) << "a" << RegExpError::SyntaxError << 0;
    QTest::newRow("100,000 open brackets") << u"["_s.repeated(100'000) << "a" << RegExpError::ExpectedBracket << 0;
    QTest::newRow("groups nested 100 deep") << nested(u"("_s, u"a"_s, 100) << "aa" << kMatched << 2;
    QTest::newRow("groups nested 101 deep") << nested(u"("_s, u"a"_s, 101) << "aa" << RegExpError::PatternTooComplex << 0;
    QTest::newRow("100,000 open parentheses") << u"("_s.repeated(100'000) << "a" << RegExpError::PatternTooComplex << 0;
    QTest::newRow("groups nested 50,000 deep") << nested(u"("_s, u"a"_s, 50'000) << "a"
                                               << RegExpError::PatternTooComplex << 0;
    QTest::newRow("non-capturing groups nested 30,000 deep") << nested(u"(?:"_s, u"a"_s, 30'000) << "a"
                                                             << RegExpError::PatternTooComplex << 0;
    QTest::newRow("lookaheads nested 30,000 deep") << nested(u"(?="_s, u"a"_s, 30'000) << "a"
                                                   << RegExpError::PatternTooComplex << 0;
    QTest::newRow("quantified groups nested 10,000 deep")
        << u"("_s.repeated(10'000) + u"a"_s + u")*"_s.repeated(10'000) << "aaa" << RegExpError::PatternTooComplex << 0;
    QTest::newRow("repeat count beyond the engine") << "a{70000}" << "a" << RegExpError::PatternTooComplex << 0;
    QTest::newRow("repeat count beyond 32 bits") << "a{99999999999}" << "a" << RegExpError::PatternTooComplex << 0;
    QTest::newRow("runaway backtracking") << "(a+)+\\W" << u"a"_s.repeated(5'000)
                                          << RegExpError::TooMuchBacktracking << 0;
}

void TestHostilePatterns::patternEndsInResultOrMessage()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(int, count);

    RegExp expression(pattern);
    expression.setGlobal(true);
    const auto result = expression.Execute(text);
    if (number == kMatched) {
        QVERIFY2(result.ok(), qPrintable(describe(result)));
        QCOMPARE(result->Count(), count);
        return;
    }
    QVERIFY2(!result.ok(), qPrintable(describe(result)));
    QCOMPARE(result.error().Number, number);
    QVERIFY(!regExpErrorText(result.error()).isEmpty());
}

void TestHostilePatterns::largeReplacementIsExpandedExactly_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    const QString x1m = u"x"_s.repeated(1 << 20);
    QTest::newRow("1 MB literal") << "b" << "abc" << x1m << u'a' + x1m + u'c';
    QTest::newRow("1 MB of $& sequences") << "a" << "ab" << u"$&"_s.repeated(1 << 19) << u"a"_s.repeated(1 << 19) + u'b';
    QTest::newRow("1 MB of group references") << "(a)(b)" << "ab" << u"$2$1"_s.repeated(1 << 18) << u"ba"_s.repeated(1 << 18);
    QTest::newRow("1 MB of dollar signs") << "b" << "abc" << u"$"_s.repeated(1 << 20) << u'a' + u"$"_s.repeated(1 << 19) + u'c';
    QTest::newRow("1 MB replacement for each of 16 matches")
        << "a" << u"a"_s.repeated(16) << u"y"_s.repeated(1 << 20) << u"y"_s.repeated(qsizetype(16) << 20);
}

void TestHostilePatterns::largeReplacementIsExpandedExactly()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);

    RegExp expression(pattern);
    expression.setGlobal(true);
    const auto result = expression.Replace(text, replacement);
    QVERIFY2(result.ok(), result.ok() ? "" : qPrintable(result.error().Description));
    QCOMPARE(result->size(), expected.size());
    QVERIFY(result.value() == expected);
}

void TestHostilePatterns::resultPastTheLimitIsRefused_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<qsizetype>("limit");
    QTest::addColumn<bool>("fits");

    const QString a100 = u"a"_s.repeated(100);
    QTest::newRow("doubling reaches the limit exactly") << "a" << a100 << "bb" << qsizetype(200) << true;
    QTest::newRow("doubling passes the limit by one") << "a" << a100 << "bb" << qsizetype(199) << false;
    QTest::newRow("text after the last match passes the limit") << "a" << a100 + "zz" << "bb" << qsizetype(201) << false;
    QTest::newRow("empty matches grow past the limit") << "x*" << a100 << "-" << qsizetype(150) << false;
    QTest::newRow("whole text per match passes 32-bit positions")
        << "a" << u"a"_s.repeated(10'000) << u"$_"_s.repeated(1 << 18) << qsizetype(INT32_MAX) << false;
}

void TestHostilePatterns::resultPastTheLimitIsRefused()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(qsizetype, limit);
    QFETCH(bool, fits);

    const QString before = text;
    RegExp expression(pattern);
    expression.setGlobal(true);
    expression.setMaxResultLength(limit);
    const auto result = expression.Replace(text, replacement);
    QCOMPARE(text, before);
    if (fits) {
        QVERIFY(result.ok());
        QCOMPARE(result->size(), limit);
        return;
    }
    QVERIFY(!result.ok());
    QCOMPARE(result.error().Number, RegExpError::ResultTooLong);
    QVERIFY(!regExpErrorText(result.error()).isEmpty());
}

QTEST_GUILESS_MAIN(TestHostilePatterns)
#include "tst_hostilepatterns.moc"
