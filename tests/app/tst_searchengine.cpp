#include "LineBreaks.h"
#include "PatternHistory.h"
#include "RegExpErrorText.h"
#include "SearchEngine.h"
#include "UndoText.h"

#include <QTest>

class tst_SearchEngine : public QObject {
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
    void subMatchList();
    void patternHandedOverOnlyWhenChanged();
    void errors_data();
    void errors();
    void history_data();
    void history();
    void historyLongerThanTwentyShrinksByOne();
    void undoSwaps();
    void lineBreakOf_data();
    void lineBreakOf();
    void withLineBreaks_data();
    void withLineBreaks();
};

void tst_SearchEngine::choice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("firstIndex");
    QTest::addColumn<int>("length");

    const QString abc = QStringLiteral("ab ab ab");
    const QString ab = QStringLiteral("ab");
    QTest::newRow("forward from start") << abc << ab << 0 << 0 << false << 0 << 0 << 2;
    QTest::newRow("caret at end: first match") << abc << ab << 8 << 0 << false << 0 << 0 << 2;
    QTest::newRow("caret at end backward: last match") << abc << ab << 8 << 0 << true << 2 << 6 << 2;
    QTest::newRow("match starting where selection ends") << abc << ab << 0 << 3 << false << 1 << 3 << 2;
    QTest::newRow("after selected match the next") << abc << ab << 3 << 2 << false << 2 << 6 << 2;
    QTest::newRow("forward wraps to first") << abc << ab << 6 << 2 << false << 0 << 0 << 2;
    QTest::newRow("backward skips the selected match") << abc << ab << 3 << 2 << true << 0 << 0 << 2;
    QTest::newRow("backward with caret just after a match") << abc << ab << 5 << 0 << true << 1 << 3 << 2;
    QTest::newRow("backward from first match wraps to last") << abc << ab << 0 << 2 << true << 2 << 6 << 2;
    QTest::newRow("zero-length match at caret, forward") << QStringLiteral("a\r\nb") << QStringLiteral("$") << 1 << 0 << false << 0 << 1 << 0;
    QTest::newRow("zero-length match at caret, backward") << QStringLiteral("a\r\nb") << QStringLiteral("$") << 4 << 0 << true << 1 << 4 << 0;
    QTest::newRow("one match, forward") << QStringLiteral("xyz") << QStringLiteral("y") << 2 << 0 << false << 0 << 1 << 1;
    QTest::newRow("one match, backward") << QStringLiteral("xyz") << QStringLiteral("y") << 1 << 0 << true << 0 << 1 << 1;
}

void tst_SearchEngine::choice()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, backward);
    QFETCH(int, index);
    QFETCH(int, firstIndex);
    QFETCH(int, length);

    RegExp expression;
    expression.setGlobal(true);
    expression.setMultiline(true);
    const SearchOutcome outcome = findMatch(expression, pattern, false, text, selStart, selLength, backward);
    QVERIFY(std::holds_alternative<FoundMatch>(outcome));
    const FoundMatch& found = std::get<FoundMatch>(outcome);
    QCOMPARE(found.index, index);
    QCOMPARE(found.firstIndex, firstIndex);
    QCOMPARE(found.length, length);
}

void tst_SearchEngine::subMatchList()
{
    RegExp expression;
    expression.setGlobal(true);
    const SearchOutcome outcome =
        findMatch(expression, QStringLiteral("(a)|(b)"), false, QStringLiteral("xa"), 0, 0, false);
    const FoundMatch& found = std::get<FoundMatch>(outcome);
    QCOMPARE(found.subMatchList, QStringLiteral("a\r\n\r\n"));
    QCOMPARE(subMatchesLabelText(found), QStringLiteral("Sub-Matches (2)"));
    QCOMPARE(matchLabelText(found), QStringLiteral("Match 1 of 1"));

    const SearchOutcome none = findMatch(expression, QStringLiteral("zz"), false, QStringLiteral("xa"), 0, 0, false);
    QVERIFY(std::holds_alternative<NoMatch>(none));
}

void tst_SearchEngine::patternHandedOverOnlyWhenChanged()
{
    RegExp expression;
    applySearchOptions(expression, QStringLiteral("ab"), true);
    QCOMPARE(expression.Pattern(), QStringLiteral("ab"));
    QVERIFY(expression.IgnoreCase());
    const SearchOutcome outcome = findMatch(expression, QStringLiteral("ab"), true, QStringLiteral("xAB"), 0, 0, false);
    QCOMPARE(std::get<FoundMatch>(outcome).firstIndex, 1);
}

void tst_SearchEngine::errors_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("message");

    QTest::newRow("unclosed group") << QStringLiteral("(a") << QStringLiteral("Expected ')' in regular expression");
    QTest::newRow("unclosed set") << QStringLiteral("[a") << QStringLiteral("Expected ']' in regular expression");
}

void tst_SearchEngine::errors()
{
    QFETCH(QString, pattern);
    QFETCH(QString, message);
    RegExp expression;
    const SearchOutcome outcome = findMatch(expression, pattern, false, QStringLiteral("abc"), 0, 0, false);
    QVERIFY(std::holds_alternative<RegExpError>(outcome));
    QCOMPARE(regExpErrorText(std::get<RegExpError>(outcome)), message);
}

void tst_SearchEngine::history_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("new pattern on top") << QStringList{"b", "c"} << "a" << QStringList{"a", "b", "c"};
    QTest::newRow("listed pattern moves to top") << QStringList{"b", "a", "c"} << "a" << QStringList{"a", "b", "c"};
    QTest::newRow("case-insensitive entry replaced") << QStringList{"X", "ABC"} << "abc" << QStringList{"abc", "X"};
    QTest::newRow("empty pattern not added") << QStringList{"b"} << "" << QStringList{"b"};
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty << QString::number(i);
    QStringList trimmed = twenty.mid(0, 19);
    trimmed.prepend(QStringLiteral("new"));
    QTest::newRow("21st entry dropped") << twenty << "new" << trimmed;
}

void tst_SearchEngine::history()
{
    QFETCH(QStringList, before);
    QFETCH(QString, pattern);
    QFETCH(QStringList, after);
    QCOMPARE(addPatternToHistory(before, pattern), after);
}

void tst_SearchEngine::historyLongerThanTwentyShrinksByOne()
{
    QStringList list;
    for (int i = 0; i < 25; ++i)
        list << QString::number(i);
    QCOMPARE(addPatternToHistory(list, QStringLiteral("new")).size(), 25);
    QCOMPARE(addPatternToHistory(list, QStringLiteral("3")).size(), 24);
}

void tst_SearchEngine::undoSwaps()
{
    UndoText undo;
    QVERIFY(!undo.swap(QStringLiteral("now")));
    undo.remember(QStringLiteral("before"));
    QCOMPARE(undo.swap(QStringLiteral("after")).value(), QStringLiteral("before"));
    QCOMPARE(undo.swap(QStringLiteral("before")).value(), QStringLiteral("after"));
    undo.remember(QString());
    QVERIFY(!undo.swap(QStringLiteral("x"))); // an empty saved text cannot be undone to
}

void tst_SearchEngine::lineBreakOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lineBreak");
    QTest::newRow("no line break: CR LF") << "abc" << "\r\n";
    QTest::newRow("empty: CR LF") << "" << "\r\n";
    QTest::newRow("CR LF") << "a\r\nb\nc" << "\r\n";
    QTest::newRow("LF first") << "a\nb\r\nc" << "\n";
    QTest::newRow("lone CR") << "a\rb" << "\r";
    QTest::newRow("CR at the very end") << "ab\r" << "\r";
}

void tst_SearchEngine::lineBreakOf()
{
    QFETCH(QString, text);
    QFETCH(QString, lineBreak);
    QCOMPARE(::lineBreakOf(text), lineBreak);
}

void tst_SearchEngine::withLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF to LF") << "a\r\nb\r\n" << "\n" << "a\nb\n";
    QTest::newRow("mixed to CR LF") << "a\nb\rc\r\nd" << "\r\n" << "a\r\nb\r\nc\r\nd";
    QTest::newRow("CR LF kept") << "a\r\nb" << "\r\n" << "a\r\nb";
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << "\n" << "a\n\nb";
}

void tst_SearchEngine::withLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, lineBreak);
    QFETCH(QString, expected);
    QCOMPARE(::withLineBreaks(text, lineBreak), expected);
}

QTEST_GUILESS_MAIN(tst_SearchEngine)
#include "tst_searchengine.moc"
