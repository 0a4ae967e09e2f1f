#include "live/HighlightRanges.h"
#include "regex/RegExp.h"

#include <QTest>

Q_DECLARE_METATYPE(std::vector<HighlightRange>)
Q_DECLARE_METATYPE(std::vector<GroupRange>)

namespace {

MatchCollection matchesOf(const QString& pattern, const QString& text)
{
    RegExp expression(pattern);
    expression.setGlobal(true);
    expression.setMultiline(true);
    return expression.Execute(text).value();
}

constexpr auto M = HighlightKind::Match;
constexpr auto S = HighlightKind::Selected;
constexpr auto E = HighlightKind::Empty;

} // namespace

class tst_HighlightRanges : public QObject {
    Q_OBJECT
private slots:
    void ranges_data();
    void ranges();
    void largeCollectionNeedsOnlyTheRange();
    void groups_data();
    void groups();
};

void tst_HighlightRanges::ranges_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("from");
    QTest::addColumn<qsizetype>("to");
    QTest::addColumn<qsizetype>("selStart");
    QTest::addColumn<qsizetype>("selLength");
    QTest::addColumn<std::vector<HighlightRange>>("expected");

    const QString words = QStringLiteral("ab cd ef");
    QTest::newRow("every match in the range") << "\\w+" << words << qsizetype(0) << qsizetype(8) << qsizetype(0)
                                              << qsizetype(0)
                                              << std::vector<HighlightRange>{{0, 2, M}, {3, 2, M}, {6, 2, M}};
    QTest::newRow("matches outside the range left out")
        << "\\w+" << words << qsizetype(3) << qsizetype(5) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{{3, 2, M}};
    QTest::newRow("a match across the range's edges is cut to it")
        << "\\w+" << words << qsizetype(1) << qsizetype(7) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{{1, 1, M}, {3, 2, M}, {6, 1, M}};
    QTest::newRow("a match ending where the range starts is not shown")
        << "\\w+" << words << qsizetype(2) << qsizetype(3) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{};
    QTest::newRow("the selected match") << "\\w+" << words << qsizetype(0) << qsizetype(8) << qsizetype(3)
                                        << qsizetype(2)
                                        << std::vector<HighlightRange>{{0, 2, M}, {3, 2, S}, {6, 2, M}};
    QTest::newRow("a selection that is part of a match selects none")
        << "\\w+" << words << qsizetype(0) << qsizetype(8) << qsizetype(3) << qsizetype(1)
        << std::vector<HighlightRange>{{0, 2, M}, {3, 2, M}, {6, 2, M}};
    QTest::newRow("a caret at a match selects none")
        << "\\w+" << words << qsizetype(0) << qsizetype(8) << qsizetype(3) << qsizetype(0)
        << std::vector<HighlightRange>{{0, 2, M}, {3, 2, M}, {6, 2, M}};
    QTest::newRow("zero-length matches at line ends and the text's end")
        << "$" << QStringLiteral("ab\r\ncd") << qsizetype(0) << qsizetype(6) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{{2, 0, E}, {6, 0, E}};
    QTest::newRow("zero-length matches on both edges of the range")
        << "\\b" << words << qsizetype(2) << qsizetype(6) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{{2, 0, E}, {3, 0, E}, {5, 0, E}, {6, 0, E}};
    QTest::newRow("zero-length and non-empty matches mixed")
        << "x*" << QStringLiteral("axxb") << qsizetype(0) << qsizetype(4) << qsizetype(1) << qsizetype(2)
        << std::vector<HighlightRange>{{0, 0, E}, {1, 2, S}, {3, 0, E}, {4, 0, E}};
    QTest::newRow("a zero-length selection never marks a zero-length match")
        << "\\b" << QStringLiteral("a b") << qsizetype(0) << qsizetype(3) << qsizetype(2) << qsizetype(0)
        << std::vector<HighlightRange>{{0, 0, E}, {1, 0, E}, {2, 0, E}, {3, 0, E}};
    QTest::newRow("no matches") << "z" << words << qsizetype(0) << qsizetype(8) << qsizetype(0) << qsizetype(0)
                                << std::vector<HighlightRange>{};
    QTest::newRow("an empty range in the middle of a match")
        << "\\w+" << words << qsizetype(4) << qsizetype(4) << qsizetype(0) << qsizetype(0)
        << std::vector<HighlightRange>{};
    QTest::newRow("a reversed range") << "\\w+" << words << qsizetype(6) << qsizetype(2) << qsizetype(0)
                                      << qsizetype(0) << std::vector<HighlightRange>{};
}

void tst_HighlightRanges::ranges()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(qsizetype, from);
    QFETCH(qsizetype, to);
    QFETCH(qsizetype, selStart);
    QFETCH(qsizetype, selLength);
    QFETCH(std::vector<HighlightRange>, expected);

    const std::vector<HighlightRange> ranges = highlightRanges(matchesOf(pattern, text), from, to, selStart, selLength);
    QCOMPARE(ranges.size(), expected.size());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        QCOMPARE(ranges[i].start, expected[i].start);
        QCOMPARE(ranges[i].length, expected[i].length);
        QCOMPARE(int(ranges[i].kind), int(expected[i].kind));
    }
}

void tst_HighlightRanges::largeCollectionNeedsOnlyTheRange()
{
    // A million matches; the range near the end finds its two by binary search.
    const QString text = QStringLiteral("ab ").repeated(1'000'000);
    const MatchCollection matches = matchesOf(QStringLiteral("\\w+"), text);
    QCOMPARE(matches.Count(), qsizetype(1'000'000));
    const std::vector<HighlightRange> ranges = highlightRanges(matches, 2'999'994, 2'999'999, 0, 0);
    QCOMPARE(ranges.size(), std::size_t(2));
    QCOMPARE(ranges[0].start, qsizetype(2'999'994));
    QCOMPARE(ranges[1].start, qsizetype(2'999'997));
}

void tst_HighlightRanges::groups_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("from");
    QTest::addColumn<qsizetype>("to");
    QTest::addColumn<qsizetype>("selStart");
    QTest::addColumn<qsizetype>("selLength");
    QTest::addColumn<bool>("everyMatch");
    QTest::addColumn<std::vector<GroupRange>>("expected");

    const QString pairs = QStringLiteral("ab cd");
    QTest::newRow("the groups of the selected match only")
        << "(\\w)(\\w)" << pairs << qsizetype(0) << qsizetype(5) << qsizetype(3) << qsizetype(2) << false
        << std::vector<GroupRange>{{3, 1, 1, 0}, {4, 1, 2, 0}};
    QTest::newRow("a selection that is no match shows no groups")
        << "(\\w)(\\w)" << pairs << qsizetype(0) << qsizetype(5) << qsizetype(3) << qsizetype(1) << false
        << std::vector<GroupRange>{};
    QTest::newRow("the groups of every match")
        << "(\\w)(\\w)" << pairs << qsizetype(0) << qsizetype(5) << qsizetype(0) << qsizetype(0) << true
        << std::vector<GroupRange>{{0, 1, 1, 0}, {1, 1, 2, 0}, {3, 1, 1, 0}, {4, 1, 2, 0}};
    QTest::newRow("groups inside groups, two deep")
        << "((a)(b(c)))" << "abc" << qsizetype(0) << qsizetype(3) << qsizetype(0) << qsizetype(3) << false
        << std::vector<GroupRange>{{0, 3, 1, 0}, {0, 1, 2, 1}, {1, 2, 3, 1}, {2, 1, 4, 2}};
    QTest::newRow("a group around the same text holds the one inside")
        << "((a))" << "a" << qsizetype(0) << qsizetype(1) << qsizetype(0) << qsizetype(1) << false
        << std::vector<GroupRange>{{0, 1, 1, 0}, {0, 1, 2, 1}};
    QTest::newRow("groups that took no part or matched empty are left out")
        << "(x)?(y*)(a)" << "a" << qsizetype(0) << qsizetype(1) << qsizetype(0) << qsizetype(1) << false
        << std::vector<GroupRange>{{0, 1, 3, 0}};
    QTest::newRow("a group kept from an earlier repetition lies outside the other")
        << "((a)|b)+" << "ab" << qsizetype(0) << qsizetype(2) << qsizetype(0) << qsizetype(2) << false
        << std::vector<GroupRange>{{1, 1, 1, 0}, {0, 1, 2, 0}};
    QTest::newRow("groups cut to the range")
        << "(\\w+) (\\w+)" << pairs << qsizetype(1) << qsizetype(4) << qsizetype(0) << qsizetype(5) << true
        << std::vector<GroupRange>{{1, 1, 1, 0}, {3, 1, 2, 0}};
}

void tst_HighlightRanges::groups()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(qsizetype, from);
    QFETCH(qsizetype, to);
    QFETCH(qsizetype, selStart);
    QFETCH(qsizetype, selLength);
    QFETCH(bool, everyMatch);
    QFETCH(std::vector<GroupRange>, expected);

    QVERIFY(groupRanges(matchesOf(pattern, text), from, to, selStart, selLength, everyMatch) == expected);
}

QTEST_GUILESS_MAIN(tst_HighlightRanges)
#include "tst_highlightranges.moc"
