// Find Next, Find Previous, Replace, Replace All and Undo through the real window.

#include "WindowFixture.h"

#include <Qsci/qsciscintilla.h>

class tst_WindowSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findButtons_data();
    void findButtons();
    void zeroLengthMatchAtCaretIsFoundAgain();
    void noMatchKeepsSelectionAndSubMatches();
    void unsetGroupGivesEmptyLine();
    void history_data();
    void history();
    void enterInPatternBoxAddsNoEntry();
    void ignoreCaseTicked();

    void emptyReplacementDeletesMatchAfterMatch();
    void handMadeSelectionIsReplaced();
    void replaceWhenNextMatchIsEmpty();
    void dollarOneLiteralInReplaceExpandedInReplaceAll();
    void multiLineReplacement_data();
    void multiLineReplacement();
    void replaceAndFindNextSkippingSomeMatches();
    void useSelectionAsPattern();

private:
    std::unique_ptr<WindowFixture> f;
};

void tst_WindowSearch::init()
{
    f = std::make_unique<WindowFixture>();
    QVERIFY(f->shown());
}

void tst_WindowSearch::cleanup()
{
    f.reset();
}

void tst_WindowSearch::findButtons_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("foundStart");
    QTest::addColumn<int>("foundLength");
    QTest::addColumn<QString>("label");

    const QString abc = QStringLiteral("ab ab ab");
    const QString ab = QStringLiteral("ab");
    QTest::newRow("caret at end: Find Next selects the first match") << abc << ab << 8 << 0 << false << 0 << 2 << "Match 1 of 3";
    QTest::newRow("caret at end: Find Previous wraps to the last match") << abc << ab << 8 << 0 << true << 6 << 2 << "Match 3 of 3";
    QTest::newRow("match starting where the selection ends") << abc << ab << 0 << 3 << false << 3 << 2 << "Match 2 of 3";
    QTest::newRow("Find Next after a selected match") << abc << ab << 3 << 2 << false << 6 << 2 << "Match 3 of 3";
    QTest::newRow("Find Previous skips the selected match") << abc << ab << 3 << 2 << true << 0 << 2 << "Match 1 of 3";
    QTest::newRow("Find Previous with the caret just after a match") << abc << ab << 5 << 0 << true << 3 << 2 << "Match 2 of 3";
    QTest::newRow("zero-length match at the caret, Find Next") << "ab\r\ncd" << "^" << 4 << 0 << false << 4 << 0 << "Match 2 of 2";
    QTest::newRow("zero-length match at the caret, Find Previous") << "ab\r\ncd" << "^" << 4 << 0 << true << 4 << 0 << "Match 2 of 2";
    QTest::newRow("one match, Find Next") << "xyz" << "y" << 2 << 0 << false << 1 << 1 << "Match 1 of 1";
    QTest::newRow("one match, Find Previous") << "xyz" << "y" << 0 << 0 << true << 1 << 1 << "Match 1 of 1";
    QTest::newRow("empty pattern matches between characters") << "ab" << "" << 1 << 0 << false << 1 << 0 << "Match 2 of 3";
    QTest::newRow("Ignore Case off: case matters") << "AB ab" << "ab" << 0 << 0 << false << 3 << 2 << "Match 1 of 1";
}

void tst_WindowSearch::findButtons()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, backward);
    QFETCH(int, foundStart);
    QFETCH(int, foundLength);
    QFETCH(QString, label);

    f->prepare(text, pattern, selStart, selLength);
    f->click(backward ? "cmdFindPrev" : "cmdFind");

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->document()->SelStart(), foundStart);
    QCOMPARE(f->document()->SelLength(), foundLength);
    QCOMPARE(f->label("lblMatchNo")->text(), label);
    QCOMPARE(f->label("lblSubMatches")->text(), QStringLiteral("Sub-Matches (0)"));
    QCOMPARE(QApplication::focusWidget(), f->document()->hwnd());
    QCOMPARE(f->history(), pattern.isEmpty() ? QStringList() : QStringList{pattern});
}

void tst_WindowSearch::zeroLengthMatchAtCaretIsFoundAgain()
{
    f->prepare(QStringLiteral("ab\r\ncd"), QStringLiteral("^"), 4);
    f->click("cmdFind");
    f->click("cmdFind");
    QCOMPARE(f->document()->SelStart(), 4);
    QCOMPARE(f->document()->SelLength(), 0);
    QCOMPARE(f->label("lblMatchNo")->text(), QStringLiteral("Match 2 of 2"));
}

void tst_WindowSearch::noMatchKeepsSelectionAndSubMatches()
{
    f->prepare(QStringLiteral("a1 b2"), QStringLiteral("(\\d)"));
    f->click("cmdFind");
    QCOMPARE(f->subMatches()->text(), QStringLiteral("1\r\n"));

    f->document()->setSelStart(3);
    f->document()->setSelLength(2);
    f->pattern()->setEditText(QStringLiteral("zz"));
    f->click("cmdFind");

    QCOMPARE(f->messages.texts(), QStringList{QStringLiteral("No matches found")});
    QCOMPARE(f->messages.shown.at(0).title, QStringLiteral("Sifta"));
    QCOMPARE(f->messages.shown.at(0).buttons, MessageButtons::Ok);
    QCOMPARE(f->messages.shown.at(0).icon, MessageIcon::None);
    QCOMPARE(f->label("lblMatchNo")->text(), QString());
    QCOMPARE(f->label("lblSubMatches")->text(), QStringLiteral("Sub-Matches"));
    QCOMPARE(f->subMatches()->text(), QStringLiteral("1\r\n"));
    QCOMPARE(f->document()->SelStart(), 3);
    QCOMPARE(f->document()->SelLength(), 2);
}

void tst_WindowSearch::unsetGroupGivesEmptyLine()
{
    f->prepare(QStringLiteral("xa"), QStringLiteral("(a)|(b)"));
    f->click("cmdFind");
    QCOMPARE(f->subMatches()->text(), QStringLiteral("a\r\n\r\n"));
    QCOMPARE(f->label("lblSubMatches")->text(), QStringLiteral("Sub-Matches (2)"));
}

void tst_WindowSearch::history_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("lower case replaces the upper-case entry") << QStringList{"x", "ABC"} << "abc" << QStringList{"abc", "x"};
    QTest::newRow("old pattern moves to the top") << QStringList{"x", "y", "z"} << "z" << QStringList{"z", "x", "y"};
    QTest::newRow("empty pattern is not added") << QStringList{"x"} << "" << QStringList{"x"};
}

void tst_WindowSearch::history()
{
    QFETCH(QStringList, before);
    QFETCH(QString, pattern);
    QFETCH(QStringList, after);

    f->pattern()->addItems(before);
    f->prepare(QStringLiteral("abc x y z"), pattern);
    f->click("cmdFind");
    QCOMPARE(f->history(), after);
    QCOMPARE(f->pattern()->currentText(), pattern);
}

void tst_WindowSearch::enterInPatternBoxAddsNoEntry()
{
    f->pattern()->setFocus();
    QTest::keyClicks(f->pattern(), QStringLiteral("abc"));
    QTest::keyClick(f->pattern(), Qt::Key_Return);
    QCOMPARE(f->pattern()->count(), 0);
    QCOMPARE(f->pattern()->currentText(), QStringLiteral("abc"));
}

void tst_WindowSearch::ignoreCaseTicked()
{
    f->prepare(QStringLiteral("AB ab"), QStringLiteral("ab"));
    f->ignoreCase()->setChecked(true);
    f->click("cmdFind");
    QCOMPARE(f->document()->SelStart(), 0);
    QCOMPARE(f->label("lblMatchNo")->text(), QStringLiteral("Match 1 of 2"));
    f->ignoreCase()->setChecked(false);
    f->click("cmdFind");
    QCOMPARE(f->document()->SelStart(), 3);
    QCOMPARE(f->label("lblMatchNo")->text(), QStringLiteral("Match 1 of 1"));
}

void tst_WindowSearch::emptyReplacementDeletesMatchAfterMatch()
{
    f->prepare(QStringLiteral("a1b2c3"), QStringLiteral("\\d"));
    const QStringList expected = {QStringLiteral("ab2c3"), QStringLiteral("abc3"), QStringLiteral("abc")};
    for (const QString& text : expected) {
        f->click("cmdReplace");
        QCOMPARE(f->document()->Text(), text);
        QCOMPARE(f->document()->SelLength(), 0);
    }
    QCOMPARE(f->messages.texts(), QStringList());
    f->click("cmdReplace");
    QCOMPARE(f->messages.texts(), QStringList{QStringLiteral("No matches found")});
}

void tst_WindowSearch::handMadeSelectionIsReplaced()
{
    f->prepare(QStringLiteral("hello world"), QStringLiteral("zzz"), 0, 5);
    f->replaceWith()->setText(QStringLiteral("X"));
    f->click("cmdReplace");
    QCOMPARE(f->document()->Text(), QStringLiteral("X world"));
    QCOMPARE(f->document()->SelStart(), 0);
    QCOMPARE(f->document()->SelLength(), 1);
    QCOMPARE(f->messages.texts(), QStringList());
}

void tst_WindowSearch::replaceWhenNextMatchIsEmpty()
{
    f->prepare(QStringLiteral("ab"), QStringLiteral("^"));
    f->replaceWith()->setText(QStringLiteral("X"));
    f->click("cmdReplace");
    QCOMPARE(f->messages.texts(), QStringList{QStringLiteral("No matches found")});
    QCOMPARE(f->document()->Text(), QStringLiteral("ab"));
}

void tst_WindowSearch::dollarOneLiteralInReplaceExpandedInReplaceAll()
{
    f->prepare(QStringLiteral("ab ab"), QStringLiteral("(a)"));
    f->replaceWith()->setText(QStringLiteral("[$1]"));
    f->click("cmdReplace");
    QCOMPARE(f->document()->Text(), QStringLiteral("[$1]b ab"));

    f->click("cmdReplaceAll");
    QCOMPARE(f->document()->Text(), QStringLiteral("[$1]b [a]b"));
    // Replace All leaves the caret at the start with nothing selected.
    QCOMPARE(f->document()->SelStart(), 0);
    QCOMPARE(f->document()->SelLength(), 0);
}

void tst_WindowSearch::multiLineReplacement_data()
{
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CR LF document gets CR LF") << "\r\n" << "x\r\ny-x\r\ny";
    QTest::newRow("LF document gets LF") << "\n" << "x\ny-x\ny";
}

void tst_WindowSearch::multiLineReplacement()
{
    QFETCH(QString, lineBreak);
    QFETCH(QString, expected);

    QVERIFY(f->document()->setNewLineSequence(lineBreak));
    f->prepare(QStringLiteral("a-a"), QStringLiteral("a"));
    f->replaceWith()->setText(QStringLiteral("x\r\ny"));
    QCOMPARE(f->replaceWith()->text(), QStringLiteral("x\r\ny"));

    f->click("cmdReplace");
    QCOMPARE(f->document()->SelLength(), 2 + lineBreak.size());
    f->click("cmdReplaceAll");
    QCOMPARE(f->document()->Text(), expected);
}

// Ctrl+R replaces the selected match and selects the next one; Find Next skips one.
void tst_WindowSearch::replaceAndFindNextSkippingSomeMatches()
{
    QCOMPARE(f->item("mnuToolsReplaceAndFindNext")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    f->prepare(QStringLiteral("cat cat cat"), QStringLiteral("(c)at"));
    f->replaceWith()->setText(QStringLiteral("$1og"));
    f->click("cmdFind");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(f->document()->Text(), QStringLiteral("cog cat cat"));
    QCOMPARE(f->document()->SelStart(), 4);
    QCOMPARE(f->document()->SelLength(), 3);

    f->click("cmdFind");
    f->pattern()->setFocus();
    QTest::keyClick(f->pattern(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(f->document()->Text(), QStringLiteral("cog cat cog"));
    QCOMPARE(f->document()->SelStart(), 4);
    QCOMPARE(f->label("lblMatchNo")->text(), QStringLiteral("Match 1 of 1"));
    QCOMPARE(f->messages.texts(), QStringList());

    f->click("cmdUndo");
    QCOMPARE(f->document()->Text(), QStringLiteral("cog cat cat"));
}

void tst_WindowSearch::useSelectionAsPattern()
{
    f->prepare(QStringLiteral("cost: $1.50 (net)\r\n$1.50 (net)"), QStringLiteral("old"), 6, 11);
    f->trigger("mnuToolsUseSelectionAsPattern");
    QCOMPARE(f->pattern()->currentText(), QStringLiteral("\\$1\\.50 \\(net\\)"));
    f->click("cmdFind");
    QCOMPARE(f->document()->SelStart(), 19);
    QCOMPARE(f->document()->SelLength(), 11);
}

QTEST_MAIN(tst_WindowSearch)
#include "tst_windowsearch.moc"
