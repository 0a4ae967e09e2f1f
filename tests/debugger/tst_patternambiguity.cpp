#include "debugger/PatternAmbiguity.h"

#include <QTest>

class tst_PatternAmbiguity : public QObject {
    Q_OBJECT

private slots:
    void warnings_data();
    void warnings();
};

void tst_PatternAmbiguity::warnings_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("ignoreCase");
    // The outer repeat warned about, as offset and length, and its kind; -1 for no warning.
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("kind");

    const int nested = AmbiguityWarning::NestedRepeat;
    const int overlapping = AmbiguityWarning::OverlappingAlternatives;
    // Patterns known to take exponential time on a text that almost matches.
    QTest::newRow("(a+)+ before an anchor") << "(a+)+$" << false << 0 << 5 << nested;
    QTest::newRow("(a*)* before a letter") << "(a*)*b" << false << 0 << 5 << nested;
    QTest::newRow("any characters repeated") << "(.*)*x" << false << 0 << 5 << nested;
    QTest::newRow("word with optional space, repeated") << "^(\\w+\\s?)+$" << false << 1 << 9 << nested;
    QTest::newRow("class repeat in a group repeated") << "([a-z]+)*=" << false << 0 << 9 << nested;
    QTest::newRow("repeated group repeated") << "((ab)+)+$" << false << 0 << 8 << nested;
    QTest::newRow("two repeats of one letter repeated") << "(x+x+)+y" << false << 0 << 7 << nested;
    QTest::newRow("optional space then word, repeated") << "(\\s*\\w+)*$" << false << 0 << 9 << nested;
    QTest::newRow("the same alternative twice") << "(a|a)*b" << false << 0 << 6 << overlapping;
    QTest::newRow("an alternative that doubles another") << "(a|aa)+$" << false << 0 << 7 << overlapping;
    QTest::newRow("alternatives that spell another") << "(a|b|ab)*c" << false << 0 << 9 << overlapping;
    QTest::newRow("digits among word characters") << "(\\w|\\d)+$" << false << 0 << 8 << overlapping;
    QTest::newRow("alternatives equal under Ignore Case") << "(?:A|a)*b" << true << 0 << 8 << overlapping;
    QTest::newRow("inside a group that is not repeated") << "x((a+)+)y" << false << 2 << 5 << nested;
    // Common patterns that take linear time: no false alarm.
    QTest::newRow("digits") << "\\d+" << false << -1 << 0 << 0;
    QTest::newRow("e-mail address") << "\\w+@\\w+\\.com" << false << -1 << 0 << 0;
    QTest::newRow("IPv4 address") << "(\\d{1,3}\\.){3}\\d{1,3}" << false << -1 << 0 << 0;
    QTest::newRow("comment line") << "^\\s*#.*$" << false << -1 << 0 << 0;
    QTest::newRow("quoted string with escapes") << "\"([^\"\\\\]|\\\\.)*\"" << false << -1 << 0 << 0;
    QTest::newRow("repeated pair") << "(ab)+" << false << -1 << 0 << 0;
    QTest::newRow("repeated words") << "(foo|bar)+" << false << -1 << 0 << 0;
    QTest::newRow("alternatives that only share a start") << "(a|ab)*c" << false << -1 << 0 << 0;
    QTest::newRow("hyphenated word") << "[a-z]+(-[a-z]+)*" << false << -1 << 0 << 0;
    QTest::newRow("words each followed by a space") << "(\\w+\\s)*\\w+" << false << -1 << 0 << 0;
    QTest::newRow("line breaks") << "(\\r\\n|\\n)+" << false << -1 << 0 << 0;
    QTest::newRow("tag") << "<[^>]+>" << false << -1 << 0 << 0;
    QTest::newRow("comma-separated numbers") << "(\\d+,)*\\d+" << false << -1 << 0 << 0;
    QTest::newRow("repeats side by side, not repeated") << "a*b*c*" << false << -1 << 0 << 0;
    QTest::newRow("digits and letters alternating") << "(\\d|[a-f])+" << false << -1 << 0 << 0;
    QTest::newRow("letters then digits, repeated") << "(a+b+)+" << false << -1 << 0 << 0;
    QTest::newRow("a pattern that does not compile") << "(a+)+(" << false << -1 << 0 << 0;
}

void tst_PatternAmbiguity::warnings()
{
    QFETCH(QString, pattern);
    QFETCH(bool, ignoreCase);
    QFETCH(int, offset);
    QFETCH(int, length);
    QFETCH(int, kind);

    const std::vector<AmbiguityWarning> warnings = findAmbiguity(pattern, ignoreCase);
    if (offset < 0) {
        QCOMPARE(warnings.size(), std::size_t(0));
        return;
    }
    QCOMPARE(warnings.size(), std::size_t(1));
    QCOMPARE(warnings.front().offset, offset);
    QCOMPARE(warnings.front().length, length);
    QCOMPARE(int(warnings.front().kind), kind);
}

QTEST_GUILESS_MAIN(tst_PatternAmbiguity)
#include "tst_patternambiguity.moc"
