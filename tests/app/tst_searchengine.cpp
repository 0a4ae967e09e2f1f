#include "search/LineBreaks.h"
#include "search/PatternHistory.h"
#include "regex/RegExp.h"
#include "regex/RegExpErrorText.h"
#include "search/SearchEngine.h"
#include "regex/SearchSetup.h"
#include "search/UndoText.h"

#include <QTest>

class tst_SearchEngine : public QObject {
    Q_OBJECT

private slots:
    void patternHandedOverOnlyWhenChanged();
    void otherErrorsShowDescriptionAndNumber();
    void history_data();
    void history();
    void historyLongerThanTwentyShrinksByOne();
    void undoKeepsUtf8();
    void lineBreakOf_data();
    void lineBreakOf();
    void withLineBreaks_data();
    void withLineBreaks();
    void longestLineLength_data();
    void longestLineLength();
    void chooseMatchFollowsTheOneByOneRule_data();
    void chooseMatchFollowsTheOneByOneRule();
};

void tst_SearchEngine::patternHandedOverOnlyWhenChanged()
{
    RegExp expression;
    prepareSearch(expression, QStringLiteral("ab"), true);
    QCOMPARE(expression.Pattern(), QStringLiteral("ab"));
    QVERIFY(expression.IgnoreCase());
    const std::optional<FoundMatch> found =
        pickMatch(expression.Execute(QStringLiteral("xAB")).value(), 0, 0, false);
    QCOMPARE(found->firstIndex, 1);
    prepareSearch(expression, QStringLiteral("ab"), true);
    (void)expression.Execute(QStringLiteral("xAB"));
    QCOMPARE(expression.compileCount(), 1);
}

void tst_SearchEngine::otherErrorsShowDescriptionAndNumber()
{
    const RegExpError error{RegExpError::TooMuchBacktracking, QStringLiteral("Too much backtracking"), -1};
    QCOMPARE(regExpErrorText(error), QStringLiteral("Error: Too much backtracking 5040"));
    QCOMPARE(regExpErrorText(RegExpError::make(RegExpError::SyntaxError)),
             QStringLiteral("Syntax error in regular expression"));
}

void tst_SearchEngine::history_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("only the first equal entry is removed") << QStringList{"a", "A"} << "a" << QStringList{"a", "A"};
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

void tst_SearchEngine::undoKeepsUtf8()
{
    UndoText undo;
    QVERIFY(!undo.take());
    undo.remember(QByteArray("before"));
    QCOMPARE(undo.take().value(), QByteArray("before"));
    QVERIFY(!undo.take()); // taken out, nothing is left
    undo.remember(QByteArray());
    QVERIFY(!undo.take()); // an empty saved text cannot be undone to
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

void tst_SearchEngine::longestLineLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("longest");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("one line") << "abc" << 3;
    QTest::newRow("the last line longest") << "a\r\nbcd" << 3;
    QTest::newRow("CR LF, lone CR and LF end lines, uncounted") << "ab\r\nabc\rab\na" << 3;
    QTest::newRow("empty lines") << "\r\n\n\r" << 0;
}

// The rows are ASCII, so the lines have as many bytes in UTF-8 as characters.
void tst_SearchEngine::longestLineLength()
{
    QFETCH(QString, text);
    QFETCH(int, longest);
    QCOMPARE(::longestLineLength(text), longest);
    QCOMPARE(::longestLineLength(QByteArrayView(text.toUtf8())), longest);
}

void tst_SearchEngine::chooseMatchFollowsTheOneByOneRule_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");

    QTest::newRow("words") << "\\w+" << "ab cd  ef g";
    QTest::newRow("zero-length matches only") << "\\b" << "ab cd";
    QTest::newRow("zero-length and longer matches") << "x*" << "axxbxc";
    QTest::newRow("line starts") << "^" << "a\r\nb\r\n\r\nc";
    QTest::newRow("one match") << "c" << "abcde";
}

// The match is chosen by halving; it must be the one that the rule picks when it looks at
// the matches one by one: forward the first that starts at or after the start, backward
// the last that ends before it, else the first or the last.
void tst_SearchEngine::chooseMatchFollowsTheOneByOneRule()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    RegExp expression(pattern);
    expression.setGlobal(true);
    expression.setMultiline(true);
    const MatchCollection matches = expression.Execute(text).value();
    const qsizetype count = matches.Count();
    QVERIFY(count > 0);
    for (qsizetype start = 0; start <= text.size(); ++start) {
        qsizetype forward = 0;
        for (qsizetype i = 0; i < count; ++i) {
            if (matches.Item(i).FirstIndex() >= start) {
                forward = i;
                break;
            }
        }
        qsizetype backward = count - 1;
        for (qsizetype i = count - 1; i >= 0; --i) {
            if (matches.Item(i).FirstIndex() + matches.Item(i).Length() - 1 < start) {
                backward = i;
                break;
            }
        }
        QCOMPARE(chooseMatch(matches, start, false), forward);
        QCOMPARE(chooseMatch(matches, start, true), backward);
    }
}

QTEST_GUILESS_MAIN(tst_SearchEngine)
#include "tst_searchengine.moc"
