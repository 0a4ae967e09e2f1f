#include "regex/ReplacementTemplate.h"

#include <QTest>

#include <vector>

class tst_ReplacementTemplate : public QObject {
    Q_OBJECT

private slots:
    void expand_data();
    void expand();
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

QTEST_GUILESS_MAIN(tst_ReplacementTemplate)
#include "tst_replacementtemplate.moc"
