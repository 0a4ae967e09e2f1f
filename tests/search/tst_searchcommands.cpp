// The search and replace commands without a window: undo, cancel and failure rules, and
// the reuse of the live matches.

#include "FakeSearchWindow.h"
#include "search/RegExp.h"
#include "search/SearchCommands.h"
#include "search/SearchSetup.h"
#include "support/RecordingMessageBox.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    void undoRightAfterStartUp();
    void undoTwiceRestoresReplacement();
    void cancelledCommandChangesNothing_data();
    void cancelledCommandChangesNothing();
    void liveMatchesServeOnlyTheirSearch_data();
    void liveMatchesServeOnlyTheirSearch();
    void replaceAndFindNext_data();
    void replaceAndFindNext();
    void useSelectionAsPattern_data();
    void useSelectionAsPattern();
};

void tst_SearchCommands::init()
{
    w = FakeSearchWindow();
    messages = RecordingMessageBox();
    c = std::make_unique<SearchCommands>(w, messages);
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

QTEST_GUILESS_MAIN(tst_SearchCommands)
#include "tst_searchcommands.moc"
