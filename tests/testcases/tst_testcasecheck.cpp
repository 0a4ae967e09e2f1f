#include "testcases/TestCaseCheck.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_TestCaseCheck : public QObject {
    Q_OBJECT

private slots:
    void checkCase_data();
    void checkCase();
    void invalidPatternFailsEveryCase();
    void runawayPatternIsAnError();
    void summaryAndFailureLines();
};

void tst_TestCaseCheck::checkCase_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("caseConversion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectation");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QString>("got");

    const int match = int(Expectation::Match);
    const int noMatch = int(Expectation::NoMatch);
    const int replace = int(Expectation::ReplaceGives);
    QTest::newRow("match found") << u"b+"_s << false << false << u"abbc"_s << match << QString() << true << QString();
    QTest::newRow("match missing") << u"x"_s << false << false << u"abc"_s << match << QString() << false
                                   << u"no match"_s;
    QTest::newRow("an empty match counts") << u"x*"_s << false << false << u"abc"_s << match << QString() << true
                                           << QString();
    QTest::newRow("Ignore Case") << u"B"_s << true << false << u"abc"_s << match << QString() << true << QString();
    QTest::newRow("lines of a sample are lines") << u"^b$"_s << false << false << u"a\nb\nc"_s << match << QString()
                                                 << true << QString();
    QTest::newRow("no match kept") << u"x"_s << false << false << u"abc"_s << noMatch << QString() << true
                                   << QString();
    QTest::newRow("unwanted match shows the first")
        << u"b\\w"_s << false << false << u"abc bd"_s << noMatch << QString() << false << u"a match at 1: \"bc\""_s;
    QTest::newRow("replacement as expected") << u"(\\w+)"_s << false << false << u"ab cd"_s << replace
                                             << u"[ab] [cd]"_s << true << QString();
    QTest::newRow("replacement differs") << u"(\\w+)"_s << false << false << u"ab"_s << replace << u"ab"_s << false
                                         << u"[ab]"_s;
    QTest::newRow("case conversion as the suite says") << u"(\\w+)"_s << false << true << u"ab"_s << replace
                                                        << u"[AB]"_s << true << QString();
}

void tst_TestCaseCheck::checkCase()
{
    QFETCH(QString, pattern);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, caseConversion);
    QFETCH(QString, text);
    QFETCH(int, expectation);
    QFETCH(QString, expected);
    QFETCH(bool, passed);
    QFETCH(QString, got);
    TestSuite suite{pattern, ignoreCase, u"[\\U$1]"_s, caseConversion, {}};
    suite.cases.push_back({text, Expectation(expectation), expected});
    if (!caseConversion)
        suite.replacement = u"[$1]"_s;
    const SuiteOutcome outcome = checkSuite(suite);
    QCOMPARE(outcome.cases.size(), std::size_t(1));
    QCOMPARE(outcome.cases.front(), (CaseOutcome{passed, false, got}));
    QCOMPARE(outcome.hasError(), false);
}

void tst_TestCaseCheck::invalidPatternFailsEveryCase()
{
    TestSuite suite{u"(a"_s, false, QString(), false, {{u"a"_s, Expectation::NoMatch, {}}, {u"b"_s, Expectation::Match, {}}}};
    const SuiteOutcome outcome = checkSuite(suite);
    QCOMPARE(outcome.patternError, u"Expected ')' in regular expression"_s);
    QCOMPARE(outcome.passedCount(), 0);
    QCOMPARE(outcome.cases.size(), std::size_t(2));
    QVERIFY(outcome.hasError());
}

void tst_TestCaseCheck::runawayPatternIsAnError()
{
    TestSuite suite{u"(a+)+$"_s, false, QString(), false,
                    {{u"aa"_s, Expectation::Match, {}}, {QString(30, u'a') + u'!', Expectation::NoMatch, {}}}};
    RegExp expression = suiteExpression(suite);
    expression.setMatchBudget(10'000);
    const CaseOutcome runaway = ::checkCase(expression, suite.replacement, suite.cases[1]);
    QVERIFY(!runaway.passed);
    QVERIFY(runaway.error);
    QVERIFY(::checkCase(expression, suite.replacement, suite.cases[0]).passed);
}

void tst_TestCaseCheck::summaryAndFailureLines()
{
    SuiteOutcome outcome;
    outcome.cases = {{true, false, {}}, {false, false, u"no match"_s}, {true, false, {}}};
    QCOMPARE(summaryText(outcome), u"2 of 3 pass"_s);
    QCOMPARE(failureText({u"a"_s, Expectation::ReplaceGives, u"x\ny"_s}, {false, false, u"a\t\"b\\"_s}),
             u"expected \"x\\ny\", got \"a\\t\\\"b\\\\\""_s);
}

QTEST_GUILESS_MAIN(tst_TestCaseCheck)
#include "tst_testcasecheck.moc"
