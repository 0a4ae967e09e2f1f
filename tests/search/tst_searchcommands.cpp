// The search and replace commands without a window: undo, cancel and failure rules, and
// the reuse of the live matches.

#include "FakeSearchWindow.h"
#include "regex/RegExp.h"
#include "search/SearchCommands.h"
#include "regex/SearchSetup.h"
#include "support/RecordingMessageBox.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TextRange)
Q_DECLARE_METATYPE(std::optional<TextRange>)

namespace QTest {

template <>
inline char* toString(const TextRange& range)
{
    return qstrdup(QByteArray::number(range.start) + "+" + QByteArray::number(range.length));
}

template <>
inline char* toString(const std::optional<TextRange>& range)
{
    return range ? toString(*range) : qstrdup("none");
}

} // namespace QTest

class tst_SearchCommands : public QObject {
    Q_OBJECT

    FakeSearchWindow w;
    RecordingMessageBox messages;
    std::unique_ptr<SearchCommands> c;

    void run(const QString& command)
    {
        if (command == u"Find Next")
            c->FindNext();
        else if (command == u"Find Previous")
            c->FindPrevious();
        else if (command == u"Replace")
            c->Replace();
        else if (command == u"Replace All")
            c->ReplaceAll();
        else if (command == u"Replace and Find Next")
            c->ReplaceAndFindNext();
        else if (command == u"Undo")
            c->Undo();
        else
            QFAIL("unknown command");
    }

private slots:
    void init();

    void invalidPatternShowsTwoMessages();
    void replaceClickedTwice();
    void replaceWithNothingSelectedAndNoMatch();
    void replaceWithInvalidPattern();
    void replaceAllWithoutMatch();
    void replaceAllWithInvalidPattern();
    void failedReplaceAllKeepsEarlierUndo();
    void spentBudgetIsToldAfterItsMessage_data();
    void spentBudgetIsToldAfterItsMessage();
    void undoRightAfterStartUp();
    void undoTwiceRestoresReplacement();
    void cancelledCommandChangesNothing_data();
    void cancelledCommandChangesNothing();
    void textTheWindowCannotHoldChangesNothing_data();
    void textTheWindowCannotHoldChangesNothing();
    void liveMatchesServeOnlyTheirSearch_data();
    void liveMatchesServeOnlyTheirSearch();
    void replaceAndFindNext_data();
    void replaceAndFindNext();
    void replaceAndFindNextWalksAsReplaceAll_data();
    void replaceAndFindNextWalksAsReplaceAll();
    void useSelectionAsPattern_data();
    void useSelectionAsPattern();
    void subMatchLinesCountLineBreaks();
    void searchInSelection_data();
    void searchInSelection();
    void replaceAllInSelection_data();
    void replaceAllInSelection();
    void undoBringsBackTheRange();
    void rangeTakenAtTheFirstSearch();
    void rangeRemovedByAnEdit_data();
    void rangeRemovedByAnEdit();
    void wrapNotice_data();
    void wrapNotice();
    void selectMatch_data();
    void selectMatch();
    void previewReplaceAll_data();
    void previewReplaceAll();
    void previewReplaceAllWithInvalidPattern();
    void previewReplaceAllInSelection();
};

void tst_SearchCommands::init()
{
    w = FakeSearchWindow();
    messages = RecordingMessageBox();
    c = std::make_unique<SearchCommands>(w, w, w, messages);
}

void tst_SearchCommands::invalidPatternShowsTwoMessages()
{
    w.prepare(u"a1"_s, u"(\\d)"_s);
    c->FindNext();
    w.setSelection(0, 0);
    w.pattern = u"(a"_s;
    c->FindPrevious();

    QCOMPARE(messages.texts(), (QStringList{u"Expected ')' in regular expression"_s, u"No matches found"_s}));
    QCOMPARE(messages.shown.at(0).title, u"Sifta"_s);
    QCOMPARE(messages.shown.at(0).icon, MessageIcon::None);
    // The history is updated before the pattern fails; the labels keep the last result.
    QCOMPARE(w.history, (QStringList{u"(a"_s, u"(\\d)"_s}));
    QCOMPARE(w.matchNo, u"Match 1 of 1"_s);
    QCOMPARE(w.subMatchesLabel, u"Sub-Matches (1)"_s);
    QCOMPARE(w.start, 0);
    QCOMPARE(w.length, 0);
}

void tst_SearchCommands::replaceClickedTwice()
{
    w.prepare(u"cat cat"_s, u"cat"_s);
    w.replaceWith = u"dog"_s;
    c->Replace();
    QCOMPARE(w.text, u"dog cat"_s);
    QCOMPARE(w.start, 0);
    QCOMPARE(w.length, 3);

    c->Replace();
    QCOMPARE(w.text, u"dog cat"_s);
    QCOMPARE(w.length, 3);
    QCOMPARE(messages.texts(), QStringList());

    c->FindNext();
    QCOMPARE(w.start, 4);

    // The second Replace saved the text after the first replacement.
    c->Undo();
    QCOMPARE(w.text, u"dog cat"_s);
}

void tst_SearchCommands::replaceWithNothingSelectedAndNoMatch()
{
    w.prepare(u"abc"_s, u"z"_s);
    c->Replace();
    QCOMPARE(messages.texts(), QStringList{u"No matches found"_s});
    QCOMPARE(w.text, u"abc"_s);
    w.text = u"changed"_s;
    c->Undo(); // nothing was saved for undo
    QCOMPARE(w.text, u"changed"_s);
}

void tst_SearchCommands::replaceWithInvalidPattern()
{
    w.prepare(u"abc"_s, u"a)"_s);
    c->Replace();
    QCOMPARE(messages.texts(), (QStringList{u"Syntax error in regular expression"_s, u"No matches found"_s}));
    QCOMPARE(w.text, u"abc"_s);
}

void tst_SearchCommands::replaceAllWithoutMatch()
{
    w.prepare(u"abc"_s, u"z"_s, 1, 1);
    c->ReplaceAll();
    QCOMPARE(w.text, u"abc"_s);
    QCOMPARE(messages.texts(), QStringList());
    QCOMPARE(w.history, QStringList{u"z"_s});
}

void tst_SearchCommands::replaceAllWithInvalidPattern()
{
    w.prepare(u"abc"_s, u"[a"_s);
    c->ReplaceAll();
    QCOMPARE(messages.texts(), QStringList{u"Expected ']' in regular expression"_s});
    QCOMPARE(w.text, u"abc"_s);
    QCOMPARE(w.history, QStringList{u"[a"_s});
}

void tst_SearchCommands::failedReplaceAllKeepsEarlierUndo()
{
    w.prepare(u"aaa"_s, u"a"_s);
    w.replaceWith = u"b"_s;
    c->ReplaceAll();
    QCOMPARE(w.text, u"bbb"_s);

    w.pattern = u"[b"_s;
    c->ReplaceAll();
    QCOMPARE(messages.texts(), QStringList{u"Expected ']' in regular expression"_s});
    c->Undo();
    QCOMPARE(w.text, u"aaa"_s);
}

void tst_SearchCommands::spentBudgetIsToldAfterItsMessage_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("told");
    QTest::newRow("Find Next, runaway") << u"Find Next"_s << u"(a|aa)+[bc]"_s << 1;
    QTest::newRow("Replace All, runaway") << u"Replace All"_s << u"(a|aa)+[bc]"_s << 1;
    QTest::newRow("Find Next, syntax error") << u"Find Next"_s << u"(a"_s << 0;
    QTest::newRow("Find Next, no match") << u"Find Next"_s << u"b"_s << 0;
}

void tst_SearchCommands::spentBudgetIsToldAfterItsMessage()
{
    QFETCH(QString, command);
    QFETCH(QString, pattern);
    QFETCH(int, told);
    int calls = 0;
    qsizetype messagesBefore = -1;
    c->setOnBudgetSpent([&] {
        ++calls;
        messagesBefore = messages.shown.size();
    });
    w.prepare(QString(40, u'a'), pattern);
    run(command);
    QCOMPARE(calls, told);
    if (told)
        QCOMPARE(messagesBefore, 1);
}

void tst_SearchCommands::undoRightAfterStartUp()
{
    c->Undo();
    QCOMPARE(w.text, QString());
    QCOMPARE(messages.texts(), QStringList());
}

void tst_SearchCommands::undoTwiceRestoresReplacement()
{
    w.prepare(u"aaa"_s, u"a"_s);
    w.replaceWith = u"b"_s;
    c->ReplaceAll();
    QCOMPARE(w.text, u"bbb"_s);
    c->Undo();
    QCOMPARE(w.text, u"aaa"_s);
    c->Undo();
    QCOMPARE(w.text, u"bbb"_s);
}

void tst_SearchCommands::cancelledCommandChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("label");

    QTest::newRow("Find Next") << u"Find Next"_s << u"Searching..."_s;
    QTest::newRow("Find Previous") << u"Find Previous"_s << u"Searching..."_s;
    QTest::newRow("Replace, searching first") << u"Replace"_s << u"Searching..."_s;
    QTest::newRow("Replace All") << u"Replace All"_s << u"Replacing..."_s;
}

// A cancel leaves the text, the selection, the labels and the text kept for Undo as they
// were, and shows no message.
void tst_SearchCommands::cancelledCommandChangesNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, label);

    w.prepare(u"one two"_s, u"o"_s);
    w.replaceWith = u"0"_s;
    c->ReplaceAll();
    QCOMPARE(w.text, u"0ne tw0"_s);
    w.prepare(u"0ne tw0"_s, u"n"_s, 4);
    w.matchNo = u"before"_s;
    w.busyLabels.clear();

    w.cancelNext = true;
    run(command);
    QCOMPARE(w.busyLabels, QStringList{label});
    QCOMPARE(w.text, u"0ne tw0"_s);
    QCOMPARE(w.start, 4);
    QCOMPARE(w.length, 0);
    QCOMPARE(w.matchNo, u"before"_s);
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(!w.livePaused);
    c->Undo();
    QCOMPARE(w.text, u"one two"_s);
}

void tst_SearchCommands::textTheWindowCannotHoldChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<qsizetype>("capacity");

    QTest::newRow("Replace") << u"Replace"_s << qsizetype(8);
    QTest::newRow("Replace All") << u"Replace All"_s << qsizetype(8);
    QTest::newRow("Replace and Find Next") << u"Replace and Find Next"_s << qsizetype(8);
    QTest::newRow("Undo") << u"Undo"_s << qsizetype(6);
}

// The window refuses a text longer than the Search Text holds and says so; the text and
// the text kept for Undo stay as they were.
void tst_SearchCommands::textTheWindowCannotHoldChangesNothing()
{
    QFETCH(QString, command);
    QFETCH(qsizetype, capacity);

    w.prepare(u"one two"_s, u"o"_s);
    w.replaceWith = u"0"_s;
    c->ReplaceAll();
    w.prepare(u"0ne tw0"_s, u"n"_s, 1, 1);
    w.replaceWith = u"NNNN"_s;
    w.capacity = capacity;

    run(command);
    QCOMPARE(w.tooLong, 1);
    QCOMPARE(w.text, u"0ne tw0"_s);
    QCOMPARE(messages.texts(), QStringList());

    w.capacity = std::numeric_limits<qsizetype>::max();
    c->Undo();
    QCOMPARE(w.text, u"one two"_s);
}

void tst_SearchCommands::liveMatchesServeOnlyTheirSearch_data()
{
    QTest::addColumn<QString>("livePattern");
    QTest::addColumn<bool>("liveIgnoreCase");
    QTest::addColumn<QString>("liveText");
    QTest::addColumn<bool>("searched");

    QTest::newRow("same pattern, case option and text: no search") << u"b"_s << false << u"ab ab"_s << false;
    QTest::newRow("another pattern") << u"a"_s << false << u"ab ab"_s << true;
    QTest::newRow("another case option") << u"b"_s << true << u"ab ab"_s << true;
    QTest::newRow("an edit not yet seen by the live matching") << u"b"_s << false << u"ab abb"_s << true;
}

void tst_SearchCommands::liveMatchesServeOnlyTheirSearch()
{
    QFETCH(QString, livePattern);
    QFETCH(bool, liveIgnoreCase);
    QFETCH(QString, liveText);
    QFETCH(bool, searched);

    RegExp expression;
    prepareSearch(expression, livePattern, liveIgnoreCase);
    w.live = expression.Execute(liveText).value();
    w.livePattern = livePattern;
    w.liveIgnoreCase = liveIgnoreCase;
    w.prepare(u"ab ab"_s, u"b"_s, 2);

    c->FindNext();
    QCOMPARE(w.busyLabels, searched ? QStringList{u"Searching..."_s} : QStringList());
    QCOMPARE(w.start, 4);
    QCOMPARE(w.length, 1);
    QCOMPARE(w.matchNo, u"Match 2 of 2"_s);
}

void tst_SearchCommands::replaceAndFindNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<int>("nextStart");
    QTest::addColumn<int>("nextLength");
    QTest::addColumn<QString>("afterUndo");

    QTest::newRow("selected match gets its groups, the next match is selected")
        << u"ab cd ef"_s << u"(\\w)(\\w)"_s << u"$2$1"_s << 3 << 2 << u"ab dc ef"_s << 6 << 2 << u"ab cd ef"_s;
    QTest::newRow("a selection that is no match is not replaced")
        << u"ab cd"_s << u"\\w\\w"_s << u"X"_s << 0 << 1 << u"ab cd"_s << 3 << 2 << u"ab cd"_s;
    QTest::newRow("$& and $_ as Replace All expands them")
        << u"x-y"_s << u"y"_s << u"[$&|$_]"_s << 2 << 1 << u"x-[y|x-y]"_s << 3 << 1 << u"x-y"_s;
    QTest::newRow("after the last match the first is selected")
        << u"a a"_s << u"a"_s << u"b"_s << 2 << 1 << u"a b"_s << 0 << 1 << u"a a"_s;
    QTest::newRow("an empty match replaced by nothing moves on")
        << u"ab"_s << u"^|b"_s << QString() << 0 << 0 << u"ab"_s << 1 << 1 << u"ab"_s;
    QTest::newRow("an empty match gets the replacement inserted")
        << u"ab\r\ncd"_s << u"^"_s << u"> "_s << 0 << 0 << u"> ab\r\ncd"_s << 6 << 0 << u"ab\r\ncd"_s;
}

void tst_SearchCommands::replaceAndFindNext()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, replaced);
    QFETCH(int, nextStart);
    QFETCH(int, nextLength);
    QFETCH(QString, afterUndo);

    w.prepare(text, pattern, selStart, selLength);
    w.replaceWith = replacement;
    c->ReplaceAndFindNext();
    QCOMPARE(w.text, replaced);
    QCOMPARE(w.start, nextStart);
    QCOMPARE(w.length, nextLength);
    QCOMPARE(messages.texts(), QStringList());
    QCOMPARE(w.history, QStringList{pattern});
    c->Undo();
    QCOMPARE(w.text, afterUndo);
}

void tst_SearchCommands::replaceAndFindNextWalksAsReplaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");

    QTest::newRow("word boundaries get a mark each") << u"ab cd"_s << u"\\b"_s << u"|"_s;
    QTest::newRow("word boundaries removed") << u"ab cd"_s << u"\\b"_s << QString();
    QTest::newRow("empty matches between letters") << u"ab"_s << u"x*"_s << u"-"_s;
    QTest::newRow("empty and non-empty matches by turns") << u"a1b22"_s << u"\\d*"_s << u"<$&>"_s;
    QTest::newRow("empty match at each line start") << u"a\r\nb"_s << u"^"_s << u"> "_s;
}

// Replace and Find Next pressed once per match from the start does what Replace All does.
void tst_SearchCommands::replaceAndFindNextWalksAsReplaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);

    w.prepare(text, pattern);
    w.replaceWith = replacement;
    c->ReplaceAll();
    const QString replacedAll = w.text;

    RegExp expression;
    prepareSearch(expression, pattern, false);
    const qsizetype count = expression.Execute(text).value().Count();
    w.prepare(text, pattern);
    for (qsizetype i = 0; i < count; ++i)
        c->ReplaceAndFindNext();
    QCOMPARE(w.text, replacedAll);
    QCOMPARE(messages.texts(), QStringList());
}

void tst_SearchCommands::useSelectionAsPattern_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("every character with a meaning in a pattern")
        << u"\\^$.*+?()[]{}|"_s << u"\\\\\\^\\$\\.\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|"_s;
    QTest::newRow("line breaks as they stand") << u"a\r\nb\nc\rd"_s << u"a\\r\\nb\\nc\\rd"_s;
    QTest::newRow("tab and other control characters") << u"\t\x01\x7f"_s << u"\\t\\x01\\x7f"_s;
    QTest::newRow("letters, digits and other signs as they are")
        << u"a1-/,=<>!:# \u00e9\U0001F600"_s << u"a1-/,=<>!:# \u00e9\U0001F600"_s;
}

// The pattern is the escaped selection, and it finds that text and nothing longer.
void tst_SearchCommands::useSelectionAsPattern()
{
    QFETCH(QString, selected);
    QFETCH(QString, pattern);

    const QString text = u"zz"_s + selected + u"zz"_s;
    w.prepare(text, u"old"_s, 2, selected.size());
    c->UseSelectionAsPattern();
    QCOMPARE(w.pattern, pattern);

    RegExp expression;
    prepareSearch(expression, w.pattern, false);
    const MatchCollection matches = expression.Execute(text).value();
    QCOMPARE(matches.Count(), 1);
    QCOMPARE(matches.Item(0).FirstIndex(), 2);
    QCOMPARE(matches.Item(0).Length(), selected.size());
}

// A group's text with line breaks takes several lines of the list, so the colours of the
// groups stay with their texts.
void tst_SearchCommands::subMatchLinesCountLineBreaks()
{
    w.prepare(u"a\r\nb\rc\nd"_s, u"(a\\r\\nb)(\\r)(x)?(c\\n)(d)"_s);
    c->FindNext();
    QCOMPARE(w.subMatchLines, (std::vector<int>{2, 2, 1, 2, 1}));
}

void tst_SearchCommands::searchInSelection_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<TextRange>("range");
    QTest::addColumn<TextRange>("selection");
    QTest::addColumn<TextRange>("selected");
    QTest::addColumn<QString>("matchNo");

    // "a1 a2 a3 a4": the matches of a\d start at 0, 3, 6 and 9.
    QTest::newRow("Find Next from the range's end starts at its start")
        << u"Find Next"_s << TextRange{3, 5} << TextRange{3, 5} << TextRange{3, 2} << u"Match 1 of 2"_s;
    QTest::newRow("Find Next after the range's last match wraps to its first")
        << u"Find Next"_s << TextRange{3, 5} << TextRange{6, 2} << TextRange{3, 2} << u"Match 1 of 2"_s;
    QTest::newRow("Find Previous before the range's first match wraps to its last")
        << u"Find Previous"_s << TextRange{3, 5} << TextRange{3, 2} << TextRange{6, 2} << u"Match 2 of 2"_s;
    QTest::newRow("a caret before the range starts at its start")
        << u"Find Next"_s << TextRange{3, 5} << TextRange{0, 0} << TextRange{3, 2} << u"Match 1 of 2"_s;
    QTest::newRow("a caret after the range starts at its start, backward too")
        << u"Find Previous"_s << TextRange{3, 5} << TextRange{11, 0} << TextRange{6, 2} << u"Match 2 of 2"_s;
    QTest::newRow("matches across the range's edges are not in it")
        << u"Find Next"_s << TextRange{4, 6} << TextRange{0, 0} << TextRange{6, 2} << u"Match 1 of 1"_s;
    QTest::newRow("no match inside the range")
        << u"Find Next"_s << TextRange{2, 1} << TextRange{0, 1} << TextRange{0, 1} << QString();
}

// The searches see only the matches inside the range, number them, and wrap at its ends.
void tst_SearchCommands::searchInSelection()
{
    QFETCH(QString, command);
    QFETCH(TextRange, range);
    QFETCH(TextRange, selection);
    QFETCH(TextRange, selected);
    QFETCH(QString, matchNo);

    w.prepare(u"a1 a2 a3 a4"_s, u"a\\d"_s, range.start, range.length);
    c->SearchInSelection();
    QVERIFY(w.searchInSelectionOn);
    QCOMPARE(w.range, range);
    w.setSelection(selection.start, selection.length);

    run(command);
    QCOMPARE((TextRange{w.start, w.length}), selected);
    QCOMPARE(w.matchNo, matchNo);
    QCOMPARE(messages.texts(), matchNo.isEmpty() ? QStringList{u"No matches found"_s} : QStringList());
    QCOMPARE(w.range, range);
}

void tst_SearchCommands::replaceAllInSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<TextRange>("range");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<std::optional<TextRange>>("rangeAfter");

    QTest::newRow("only the matches inside, and the range takes in the longer text")
        << u"a1 a2 a3 a4"_s << u"a(\\d)"_s << u"<$1>"_s << TextRange{2, 6} << u"a1 <2> <3> a4"_s
        << std::optional(TextRange{2, 8});
    QTest::newRow("$` and $' see the whole text") << u"abc"_s << u"b"_s << u"$'$`"_s << TextRange{1, 1}
                                                 << u"acac"_s << std::optional(TextRange{1, 2});
    QTest::newRow("no match inside leaves the text") << u"ab"_s << u"a"_s << u"x"_s << TextRange{1, 1} << u"ab"_s
                                                     << std::optional(TextRange{1, 1});
    QTest::newRow("nothing left of the range: Search in Selection goes off")
        << u"xaay"_s << u"a"_s << QString() << TextRange{1, 2} << u"xy"_s << std::optional<TextRange>();
}

void tst_SearchCommands::replaceAllInSelection()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(TextRange, range);
    QFETCH(QString, replaced);
    QFETCH(std::optional<TextRange>, rangeAfter);

    w.prepare(text, pattern, range.start, range.length);
    w.replaceWith = replacement;
    c->SearchInSelection();
    c->ReplaceAll();
    QCOMPARE(w.text, replaced);
    QCOMPARE(w.range, rangeAfter);
    QCOMPARE(w.searchInSelectionOn, rangeAfter.has_value());
    QCOMPARE(w.notes.size(), rangeAfter ? 0 : 1);
    QCOMPARE(messages.texts(), QStringList());
}

// Undo swaps the range along with the text, so the range fits the text it belongs to.
void tst_SearchCommands::undoBringsBackTheRange()
{
    w.prepare(u"a a a"_s, u"a"_s, 2, 3);
    w.replaceWith = u"bb"_s;
    c->SearchInSelection();
    c->ReplaceAll();
    QCOMPARE(w.text, u"a bb bb"_s);
    QCOMPARE(w.range, TextRange(2, 5));
    c->Undo();
    QCOMPARE(w.text, u"a a a"_s);
    QCOMPARE(w.range, TextRange(2, 3));
    c->Undo();
    QCOMPARE(w.range, TextRange(2, 5));
    QVERIFY(w.searchInSelectionOn);
    QCOMPARE(w.notes, QStringList());
}

// Switched on with nothing selected (or remembered from the last run), the option takes the
// selection of the first search; until then a search with nothing selected only says so.
void tst_SearchCommands::rangeTakenAtTheFirstSearch()
{
    w.prepare(u"a1 a2 a3"_s, u"a\\d"_s);
    c->SearchInSelection();
    QVERIFY(w.searchInSelectionOn);
    QCOMPARE(w.notes.size(), 1);
    QVERIFY(!w.range);

    c->FindNext();
    c->Replace();
    c->ReplaceAll();
    QCOMPARE(messages.texts().size(), 3);
    QVERIFY(messages.texts().at(0).startsWith(u"Select the text to search in"_s));
    QCOMPARE(w.text, u"a1 a2 a3"_s);

    w.setSelection(3, 5);
    c->FindPrevious();
    QCOMPARE(w.range, TextRange(3, 5));
    QCOMPARE(w.start, 6);
    QCOMPARE(w.matchNo, u"Match 2 of 2"_s);
}

void tst_SearchCommands::rangeRemovedByAnEdit_data()
{
    QTest::addColumn<TextRange>("edited");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");

    QTest::newRow("typing inside the range keeps it") << TextRange{4, 0} << u"x"_s << true;
    QTest::newRow("deleting part of it keeps it") << TextRange{2, 2} << QString() << true;
    QTest::newRow("deleting all of it removes it") << TextRange{1, 5} << QString() << false;
    QTest::newRow("typing over all of it removes it") << TextRange{3, 2} << u"x"_s << false;
}

void tst_SearchCommands::rangeRemovedByAnEdit()
{
    QFETCH(TextRange, edited);
    QFETCH(QString, typed);
    QFETCH(bool, kept);

    w.prepare(u"a1 a2 a3"_s, u"a\\d"_s, 3, 2);
    c->SearchInSelection();
    w.setSelection(edited.start, edited.length);
    w.replaceSelection(typed);
    c->textChanged();
    QCOMPARE(w.searchInSelectionOn, kept);
    QCOMPARE(w.range.has_value(), kept);
    QCOMPARE(w.notes.size(), kept ? 0 : 1);
}

void tst_SearchCommands::wrapNotice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("wrapped");

    QTest::newRow("next match ahead") << u"a a"_s << u"a"_s << 0 << 1 << u"Find Next"_s << false;
    QTest::newRow("past the last match") << u"a a"_s << u"a"_s << 2 << 1 << u"Find Next"_s << true;
    QTest::newRow("the only match, selected") << u"xay"_s << u"a"_s << 1 << 1 << u"Find Next"_s << true;
    QTest::newRow("caret at the end goes around") << u"a b"_s << u"a"_s << 3 << 0 << u"Find Next"_s << true;
    QTest::newRow("empty match at the caret") << u"ab"_s << u"$"_s << 2 << 0 << u"Find Next"_s << false;
    QTest::newRow("previous match behind") << u"a a"_s << u"a"_s << 2 << 1 << u"Find Previous"_s << false;
    QTest::newRow("before the first match") << u"a a"_s << u"a"_s << 0 << 1 << u"Find Previous"_s << true;
    QTest::newRow("caret at the end finds the last match")
        << u"a a"_s << u"a"_s << 3 << 0 << u"Find Previous"_s << false;
    QTest::newRow("caret inside the only match") << u"abc"_s << u"abc"_s << 1 << 0 << u"Find Previous"_s << true;
}

// A search that goes around an end of the text says so, once, without a message box; one
// that does not ends the notice that an earlier search left.
void tst_SearchCommands::wrapNotice()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, command);
    QFETCH(bool, wrapped);

    w.prepare(text, pattern, selStart, selLength);
    w.wrapNoticeShown = true;
    run(command);
    const bool backward = command == u"Find Previous";
    QCOMPARE(w.wrapsForward, wrapped && !backward ? 1 : 0);
    QCOMPARE(w.wrapsBackward, wrapped && backward ? 1 : 0);
    QCOMPARE(w.wrapNoticeShown, wrapped);
    QCOMPARE(messages.texts(), QStringList());
}

void tst_SearchCommands::selectMatch_data()
{
    QTest::addColumn<QString>("searched");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("matchNo");
    QTest::addColumn<QString>("subMatchList");

    const QString text = u"k=1 v= k=22"_s;
    QTest::newRow("a match with its groups") << text << 2 << 7 << 4 << u"Match 3 of 3"_s << u"k\r\n22\r\n"_s;
    QTest::newRow("a group that took no part") << text << 1 << 4 << 2 << u"Match 2 of 3"_s << u"v\r\n\r\n"_s;
    QTest::newRow("matches of an older text select nothing")
        << u"k=1"_s << 0 << 0 << 0 << u"before"_s << QString();
    QTest::newRow("an index past the last match selects nothing") << text << 3 << 0 << 0 << u"before"_s << QString();
}

void tst_SearchCommands::selectMatch()
{
    QFETCH(QString, searched);
    QFETCH(int, index);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, matchNo);
    QFETCH(QString, subMatchList);

    RegExp expression;
    const QString pattern = u"(\\w)=(\\d+)?"_s;
    prepareSearch(expression, pattern, false);
    w.prepare(u"k=1 v= k=22"_s, pattern);
    w.matchNo = u"before"_s;
    const bool found = matchNo != u"before";

    QCOMPARE(c->SelectMatch(expression.Execute(searched).value(), index),
             found ? SearchOutcome::Found : SearchOutcome::NotFound);
    QCOMPARE(w.start, start);
    QCOMPARE(w.length, length);
    QCOMPARE(w.matchNo, matchNo);
    QCOMPARE(w.subMatchList, subMatchList);
    QCOMPARE(w.documentFocused, found);
    QCOMPARE(w.history, found ? QStringList{pattern} : QStringList());
    QCOMPARE(w.wrapsForward + w.wrapsBackward, 0);
}

void tst_SearchCommands::previewReplaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("replacements");

    QTest::newRow("groups swapped") << u"ab cd"_s << u"(\\w)(\\w)"_s << u"$2$1"_s << QStringList{u"ba"_s, u"dc"_s};
    QTest::newRow("empty matches count too") << u"ab"_s << u"x*"_s << u"-"_s << QStringList{u"-"_s, u"-"_s, u"-"_s};
    QTest::newRow("line breaks as the document has them")
        << u"a\r\nb"_s << u"b"_s << u"1\n2"_s << QStringList{u"1\r\n2"_s};
    QTest::newRow("no match") << u"ab"_s << u"z"_s << u"y"_s << QStringList();
}

// The preview lists what Replace All puts in place of each match, and changes nothing.
void tst_SearchCommands::previewReplaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QStringList, replacements);

    w.prepare(text, pattern, 1);
    w.replaceWith = replacement;
    c->PreviewReplaceAll();
    QVERIFY(w.preview);
    QCOMPARE(w.preview->Count(), replacements.size());
    QStringList shown;
    for (qsizetype i = 0; i < w.preview->Count(); ++i) {
        QCOMPARE(w.preview->replacementLength(i), replacements.at(i).size());
        shown.append(w.preview->replacementFor(i, 100));
    }
    QCOMPARE(shown, replacements);
    QCOMPARE(w.text, text);
    QCOMPARE(w.start, 1);
    QCOMPARE(messages.texts(), QStringList());

    QString replaced = text;
    for (qsizetype i = w.preview->Count() - 1; i >= 0; --i) {
        const Match match = w.preview->matches().Item(i);
        replaced.replace(match.FirstIndex(), match.Length(), replacements.at(i));
    }
    c->ReplaceAll();
    QCOMPARE(w.text, replaced);
}

void tst_SearchCommands::previewReplaceAllWithInvalidPattern()
{
    w.prepare(u"abc"_s, u"(a"_s);
    c->PreviewReplaceAll();
    QCOMPARE(messages.texts(), QStringList{u"Expected ')' in regular expression"_s});
    QVERIFY(!w.preview);
}

// The preview shows the replacements that Replace All makes inside the range, and no others.
void tst_SearchCommands::previewReplaceAllInSelection()
{
    w.prepare(u"ab ab ab ab ab"_s, u"ab"_s, 3, 7);
    w.replaceWith = u"X"_s;
    c->SearchInSelection();
    c->PreviewReplaceAll();
    QVERIFY(w.preview);
    QCOMPARE(w.preview->Count(), 2);
    QCOMPARE(w.preview->Item(0).FirstIndex(), 3);
    QCOMPARE(w.preview->Item(1).FirstIndex(), 6);
    c->ReplaceAll();
    QCOMPARE(w.text, u"ab X X ab ab"_s);
}

QTEST_GUILESS_MAIN(tst_SearchCommands)
#include "tst_searchcommands.moc"
