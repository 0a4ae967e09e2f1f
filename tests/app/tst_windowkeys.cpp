// Keyboard handling, the caret status line and the changed flag, through the real window.

#include "WindowFixture.h"
#include "textex/TextExEditor.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include <Qsci/qsciscintilla.h>

class tst_WindowKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statusLine_data();
    void statusLine();
    void statusLineCountsWrappedLines();
    void clickUpdatesStatusLine();
    void keyboardMoveShowsAtRelease();
    void typingMarksDirtyOnce();
    void dirtySetterComparesAndRefreshesCaption();
    void ctrlASelectsAll_data();
    void ctrlASelectsAll();
    void codeOneCharacterPreview_data();
    void codeOneCharacterPreview();
    void shortcutGoesNoFurther_data();
    void shortcutGoesNoFurther();
    void enterAndTabInMultiLineBoxes_data();
    void enterAndTabInMultiLineBoxes();
    void tabOrder();
    void accessKeys_data();
    void accessKeys();
    void menuAccessLettersAreUnique();
    void menuBarByKeyboard_data();
    void menuBarByKeyboard();
    void menuCommandsByKeyboard_data();
    void menuCommandsByKeyboard();
    void findKeysFromEveryControl_data();
    void findKeysFromEveryControl();

private:
    QWidget* focusTarget(const QString& name) const;
    void typeInMenus(const QString& letters) const;
    std::unique_ptr<WindowFixture> f;
};

void tst_WindowKeys::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_WindowKeys::init()
{
    f = std::make_unique<WindowFixture>();
    QVERIFY(f->shown());
}

void tst_WindowKeys::cleanup()
{
    f.reset();
}

QWidget* tst_WindowKeys::focusTarget(const QString& name) const
{
    if (name == QLatin1String("txtDocument"))
        return f->document()->hwnd();
    return f->window->findChild<QWidget*>(name);
}

/// Types into the open menu, or else into the menu bar.
void tst_WindowKeys::typeInMenus(const QString& letters) const
{
    for (const QChar letter : letters) {
        QWidget* receiver = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : f->window->menuBar();
        QTest::keyClick(receiver, letter.toLatin1());
        // The event loop runs between two keys of the user: an opened menu becomes active.
        QCoreApplication::processEvents();
    }
}

void tst_WindowKeys::statusLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty document") << QString() << 0 << 0 << "Line: 1    Col: 1    Len: 0";
    QTest::newRow("start of the third line, CR LF counts two") << "ab\r\ncd\r\nef" << 8 << 8 << "Line: 3    Col: 1    Len: 10";
    QTest::newRow("column in the second line") << "ab\r\ncd" << 6 << 6 << "Line: 2    Col: 3    Len: 6";
    QTest::newRow("selection shows its start") << "ab\r\ncd\r\nef" << 4 << 9 << "Line: 2    Col: 1    Len: 10";
    QTest::newRow("selection made backwards shows its start") << "ab\r\ncd\r\nef" << 9 << 5 << "Line: 2    Col: 2    Len: 10";
    QTest::newRow("length grouped") << QString(12345, QLatin1Char('\n')) << 0 << 0 << "Line: 1    Col: 1    Len: 12,345";
    QTest::newRow("line numbers grouped") << QString(1500, QLatin1Char('\n')) << 1200 << 1200 << "Line: 1,201    Col: 1    Len: 1,500";
}

void tst_WindowKeys::statusLine()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(QString, expected);

    f->document()->setText(text);
    f->document()->SetSel(anchor, caret);
    // A released key refreshes the line; Shift moves nothing.
    QTest::keyClick(f->document()->hwnd(), Qt::Key_Shift);
    QCOMPARE(f->label("lblCursor")->text(), expected);
}

void tst_WindowKeys::statusLineCountsWrappedLines()
{
    QVERIFY(f->window->WordWrap());
    const QString longLine = QStringLiteral("word ").repeated(400);
    f->document()->setText(longLine);
    f->document()->setSelStart(static_cast<int>(longLine.size()));
    QTest::keyClick(f->document()->hwnd(), Qt::Key_Shift);
    const int displayed = f->document()->CurrentLine() + 1;
    QVERIFY(displayed > 2);
    QVERIFY(f->label("lblCursor")->text().startsWith(QStringLiteral("Line: %1    Col: ").arg(displayed)));

    f->window->setWordWrap(false);
    f->document()->setSelStart(static_cast<int>(longLine.size()));
    QTest::keyClick(f->document()->hwnd(), Qt::Key_Shift);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 2,001    Len: 2,000"));
}

void tst_WindowKeys::clickUpdatesStatusLine()
{
    f->document()->setText(QStringLiteral("ab\r\ncd"));
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 1    Len: 6"));
    // A program-set caret shows only at the next event.
    f->document()->setSelStart(1);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 1    Len: 6"));

    QsciScintilla* editor = editorOf(*f->document());
    const int lineHeight = editor->textHeight(0);
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(1, lineHeight + lineHeight / 2));
    QCOMPARE(f->document()->SelStart(), 4);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 2    Col: 1    Len: 6"));
}

void tst_WindowKeys::keyboardMoveShowsAtRelease()
{
    f->document()->setText(QStringLiteral("abc"));
    QsciScintilla* editor = editorOf(*f->document());
    editor->setFocus();
    QTest::keyPress(editor, Qt::Key_Right);
    QTest::keyPress(editor, Qt::Key_Right);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 1    Len: 3"));
    QTest::keyRelease(editor, Qt::Key_Right);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 3    Len: 3"));
}

void tst_WindowKeys::typingMarksDirtyOnce()
{
    QVERIFY(!f->window->Dirty());
    QCOMPARE(f->window->windowTitle(), QStringLiteral("Siftwell"));
    QSignalSpy captions(f->window.get(), &QWidget::windowTitleChanged);

    f->document()->hwnd()->setFocus();
    QTest::keyClick(f->document()->hwnd(), Qt::Key_A);
    QVERIFY(f->window->Dirty());
    QCOMPARE(f->window->windowTitle(), QStringLiteral("*Untitled - Siftwell"));
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 2    Len: 1"));

    QTest::keyClicks(f->document()->hwnd(), QStringLiteral("bc"));
    QCOMPARE(f->document()->Text(), QStringLiteral("abc"));
    QCOMPARE(captions.count(), 1);
    QCOMPARE(f->label("lblCursor")->text(), QStringLiteral("Line: 1    Col: 4    Len: 3"));
}

void tst_WindowKeys::dirtySetterComparesAndRefreshesCaption()
{
    QSignalSpy captions(f->window.get(), &QWidget::windowTitleChanged);
    f->window->setDirty(false);
    QCOMPARE(captions.count(), 0);
    f->window->setDirty(true);
    QCOMPARE(f->window->windowTitle(), QStringLiteral("*Untitled - Siftwell"));
    f->window->setDirty(true);
    QCOMPARE(captions.count(), 1);
    f->window->setDirty(false);
    QCOMPARE(f->window->windowTitle(), QStringLiteral("Untitled - Siftwell"));
}

void tst_WindowKeys::ctrlASelectsAll_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("selects");

    QTest::newRow("Search Text box") << "txtDocument" << true;
    QTest::newRow("pattern box") << "cboPattern" << true;
    QTest::newRow("Replace With box") << "txtReplace" << true;
    QTest::newRow("sub-match list") << "txtSubMatches" << true;
    QTest::newRow("syntax text") << "txtSyntax" << true;
    QTest::newRow("button: nothing") << "cmdFind" << false;
    QTest::newRow("check box: nothing") << "chkIgnoreCase" << false;
}

void tst_WindowKeys::ctrlASelectsAll()
{
    QFETCH(QString, control);
    QFETCH(bool, selects);

    f->prepare(QStringLiteral("doc\r\ntext"), QStringLiteral("pattern"), 1, 2);
    f->replaceWith()->setText(QStringLiteral("one\r\ntwo"));
    QWidget* target = focusTarget(control);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);

    QCOMPARE(QApplication::focusWidget(), target);
    if (control == QLatin1String("txtDocument")) {
        QCOMPARE(f->document()->SelStart(), 0);
        QCOMPARE(f->document()->SelLength(), 9);
    } else if (control == QLatin1String("cboPattern")) {
        QCOMPARE(f->pattern()->lineEdit()->selectedText(), QStringLiteral("pattern"));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(target)) {
        QCOMPARE(box->textCursor().selectedText().size(), box->toPlainText().size());
        QVERIFY(box->textCursor().hasSelection() || box->toPlainText().isEmpty());
    }
    if (!selects) {
        QCOMPARE(f->document()->SelStart(), 1);
        QCOMPARE(f->document()->SelLength(), 2);
        QVERIFY(!f->pattern()->lineEdit()->hasSelectedText());
    }
}

void tst_WindowKeys::codeOneCharacterPreview_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("swallowed");

    QTest::newRow("Replace With box: whole text selected") << "txtReplace" << true;
    QTest::newRow("button: passes on") << "cmdUndo" << false;
}

void tst_WindowKeys::codeOneCharacterPreview()
{
    QFETCH(QString, control);
    QFETCH(bool, swallowed);

    f->replaceWith()->setText(QStringLiteral("abc"));
    QWidget* target = focusTarget(control);
    target->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\x01"));
    QApplication::sendEvent(target, &press);
    QCOMPARE(f->replaceWith()->text(), QStringLiteral("abc"));
    QCOMPARE(f->replaceWith()->textCursor().selectedText(), swallowed ? QStringLiteral("abc") : QString());
}

void tst_WindowKeys::shortcutGoesNoFurther_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+V in the Search Text box pastes once") << "txtDocument" << int(Qt::Key_V) << ctrl << "x\r\ny";
    QTest::newRow("Ctrl+V in the pattern box pastes once") << "cboPattern" << int(Qt::Key_V) << ctrl << "x\ny";
    QTest::newRow("Ctrl+V in the Replace With box pastes once") << "txtReplace" << int(Qt::Key_V) << ctrl << "x\r\ny";
    QTest::newRow("Shift+Insert in the Search Text box runs Paste") << "txtDocument" << int(Qt::Key_Insert)
                                                                    << int(Qt::ShiftModifier) << "x\r\ny";
}

void tst_WindowKeys::shortcutGoesNoFurther()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);

    // The Paste command gives the Search Text box the document's line breaks.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ny"));
    QWidget* target = focusTarget(control);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QString text;
    if (control == QLatin1String("txtDocument"))
        text = f->document()->Text();
    else if (control == QLatin1String("cboPattern"))
        text = f->pattern()->currentText();
    else
        text = f->replaceWith()->text();
    QCOMPARE(text, expected);
}

void tst_WindowKeys::enterAndTabInMultiLineBoxes_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("next");

    QTest::newRow("Replace With box") << "txtReplace" << "chkIgnoreCase";
    QTest::newRow("Search Text box") << "txtDocument" << "txtSyntax";
}

void tst_WindowKeys::enterAndTabInMultiLineBoxes()
{
    QFETCH(QString, control);
    QFETCH(QString, next);

    QWidget* box = focusTarget(control);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_B);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
    const QString text = control == QLatin1String("txtDocument") ? f->document()->Text() : f->replaceWith()->text();
    QCOMPARE(text, QStringLiteral("a\r\nb\r\n\t"));

    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), focusTarget(next));
}

void tst_WindowKeys::tabOrder()
{
    const QStringList order = {"cboPattern", "txtReplace", "chkIgnoreCase", "txtSubMatches", "cmdFind", "cmdReplace",
                               "cmdReplaceAll", "cmdUndo", "txtDocument", "txtSyntax", "cmdFindPrev", "cboPattern"};
    QCOMPARE(QApplication::focusWidget(), focusTarget(order.first()));
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), focusTarget(order.at(i)));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), focusTarget(QStringLiteral("cmdFindPrev")));
    // The hidden syntax pane takes its box out of the order.
    f->trigger("mnuOptionsShowSyntax");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), focusTarget(QStringLiteral("txtDocument")));
}

void tst_WindowKeys::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");   // a control, or the menu that opened
    QTest::addColumn<QString>("pressed"); // the button pressed or the check box ticked, at once

    QTest::newRow("Alt+S: pattern box") << int(Qt::Key_S) << "cboPattern" << "";
    QTest::newRow("Alt+E: pattern box, not the Edit menu") << int(Qt::Key_E) << "cboPattern" << "";
    QTest::newRow("Alt+F: Find Next, not the File menu") << int(Qt::Key_F) << "cmdFind" << "cmdFind";
    QTest::newRow("Alt+W: Replace With box") << int(Qt::Key_W) << "txtReplace" << "";
    QTest::newRow("Alt+M: sub-match list") << int(Qt::Key_M) << "txtSubMatches" << "";
    QTest::newRow("Alt+Y: Find Previous button") << int(Qt::Key_Y) << "cmdFindPrev" << "";
    QTest::newRow("Alt+P: presses Find Previous") << int(Qt::Key_P) << "cmdFindPrev" << "cmdFindPrev";
    QTest::newRow("Alt+R: presses Replace") << int(Qt::Key_R) << "cmdReplace" << "cmdReplace";
    QTest::newRow("Alt+A: presses Replace All") << int(Qt::Key_A) << "cmdReplaceAll" << "cmdReplaceAll";
    QTest::newRow("Alt+U: presses Undo") << int(Qt::Key_U) << "cmdUndo" << "cmdUndo";
    QTest::newRow("Alt+I: ticks Ignore Case") << int(Qt::Key_I) << "chkIgnoreCase" << "chkIgnoreCase";
    QTest::newRow("Alt+O: Options menu") << int(Qt::Key_O) << "mnuOptions" << "";
    QTest::newRow("Alt+H: Help menu") << int(Qt::Key_H) << "mnuHelp" << "";
}

void tst_WindowKeys::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(QString, pressed);

    // Nothing to find, so that no command moves the focus on to the Search Text.
    f->prepare(QStringLiteral("abc"), QStringLiteral("x"));
    QList<QAbstractButton*> buttons = f->window->findChildren<QAbstractButton*>();
    QList<std::shared_ptr<QSignalSpy>> clicks;
    for (QAbstractButton* button : buttons)
        clicks.append(std::make_shared<QSignalSpy>(button, &QAbstractButton::clicked));

    QsciScintilla* editor = editorOf(*f->document());
    editor->setFocus();
    // Alt held down, as the user does, then the letter.
    QTest::keyPress(editor, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key(key), Qt::AltModifier);

    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        QCOMPARE(menu->objectName(), focus);
    else
        QCOMPARE(QApplication::focusWidget(), focusTarget(focus));
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const bool expected = buttons.at(i)->objectName() == pressed;
        QCOMPARE(clicks.at(i)->count(), expected ? 1 : 0);
        // A button held down would be clicked a moment later.
        QVERIFY(!buttons.at(i)->isDown());
    }
    QCOMPARE(f->ignoreCase()->isChecked(), pressed == QLatin1String("chkIgnoreCase"));
}

void tst_WindowKeys::menuAccessLettersAreUnique()
{
    const QList<QMenu*> menus = f->window->menuBar()->findChildren<QMenu*>();
    QVERIFY(!menus.isEmpty());
    for (const QMenu* menu : menus) {
        QStringList letters;
        for (const QAction* action : menu->actions()) {
            const qsizetype marker = action->text().indexOf(u'&');
            if (action->isSeparator() || marker < 0 || marker + 1 >= action->text().size())
                continue;
            const QString letter = action->text().mid(marker + 1, 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(menu->objectName() + QStringLiteral(": ") + action->text()));
            letters << letter;
        }
    }
}

void tst_WindowKeys::menuBarByKeyboard_data()
{
    QTest::addColumn<int>("entry"); // the key that puts the focus on the menu bar
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("menu");

    QTest::newRow("Alt, then Escape: back to the Search Text") << int(Qt::Key_Alt) << "" << "";
    QTest::newRow("F10, then Escape: back to the Search Text") << int(Qt::Key_F10) << "" << "";
    QTest::newRow("Alt, F: File, not Format") << int(Qt::Key_Alt) << "f" << "mnuFile";
    QTest::newRow("Alt, F, F: Format") << int(Qt::Key_Alt) << "ff" << "mnuFormat";
    QTest::newRow("Alt, F, F, F: File again") << int(Qt::Key_Alt) << "fff" << "mnuFile";
    QTest::newRow("Alt, E: Edit") << int(Qt::Key_Alt) << "e" << "mnuEdit";
    QTest::newRow("Alt, O: Options") << int(Qt::Key_Alt) << "o" << "mnuOptions";
    QTest::newRow("Alt, H: Help") << int(Qt::Key_Alt) << "h" << "mnuHelp";
    QTest::newRow("Alt, F, E: from File to Edit") << int(Qt::Key_Alt) << "fe" << "mnuEdit";
    QTest::newRow("F10, F: File") << int(Qt::Key_F10) << "f" << "mnuFile";
    QTest::newRow("F10, E: Edit") << int(Qt::Key_F10) << "e" << "mnuEdit";
    QTest::newRow("F10, O: Options") << int(Qt::Key_F10) << "o" << "mnuOptions";
    QTest::newRow("F10, H: Help") << int(Qt::Key_F10) << "h" << "mnuHelp";
}

void tst_WindowKeys::menuBarByKeyboard()
{
    QFETCH(int, entry);
    QFETCH(QString, letters);
    QFETCH(QString, menu);

    QsciScintilla* editor = editorOf(*f->document());
    editor->setFocus();
    if (entry == Qt::Key_Alt)
        QTest::keyClick(editor, Qt::Key_Alt, Qt::AltModifier);
    else
        QTest::keyClick(editor, Qt::Key(entry));
    QCOMPARE(QApplication::focusWidget(), f->window->menuBar());

    typeInMenus(letters);
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(open ? open->objectName() : QString(), menu);
    if (open) {
        // The first item is ready for Enter.
        QCOMPARE(open->activeAction(), open->actions().first());
        QTest::keyClick(open, Qt::Key_Escape);
    }
    QTest::keyClick(f->window->menuBar(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), editor);
}

void tst_WindowKeys::menuCommandsByKeyboard_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("letters"); // typed after a tap of Alt
    QTest::addColumn<QString>("focus");

    QTest::newRow("Edit, Find: pattern box") << "txtReplace" << "ef" << "cboPattern";
    QTest::newRow("Edit, Find Next: the match in the Search Text") << "txtReplace" << "en" << "txtDocument";
    QTest::newRow("Edit, Replace: Replace With box") << "cboPattern" << "er" << "txtReplace";
    QTest::newRow("Edit, Select All: back where it was") << "txtReplace" << "ea" << "txtReplace";
    QTest::newRow("Options, Show Syntax from the hidden box: next control") << "txtSyntax" << "os" << "cmdFindPrev";
}

void tst_WindowKeys::menuCommandsByKeyboard()
{
    QFETCH(QString, start);
    QFETCH(QString, letters);
    QFETCH(QString, focus);

    f->prepare(QStringLiteral("one two"), QStringLiteral("two"));
    QWidget* target = focusTarget(start);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Alt, Qt::AltModifier);
    typeInMenus(letters);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(QApplication::focusWidget(), focusTarget(focus));
}

void tst_WindowKeys::findKeysFromEveryControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("selStart"); // the selection of the Search Text afterwards
    QTest::addColumn<int>("selLength");

    struct Key {
        const char* name;
        QKeySequence key;
        const char* focus;
        int selStart;
        int selLength;
    };
    // The caret stands between the two matches of "one" in "one two one".
    const Key keys[] = {{"F3: Find Next", QKeySequence(Qt::Key_F3), "txtDocument", 8, 3},
                        {"Shift+F3: Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3), "txtDocument", 0, 3},
                        {"Ctrl+F: pattern box", QKeySequence(Qt::CTRL | Qt::Key_F), "cboPattern", 4, 0},
                        {"Ctrl+H: Replace With box", QKeySequence(Qt::CTRL | Qt::Key_H), "txtReplace", 4, 0}};
    const char* controls[] = {"txtDocument", "cboPattern", "txtReplace", "txtSubMatches",
                              "txtSyntax",   "cmdReplace", "chkIgnoreCase"};
    for (const Key& key : keys) {
        for (const char* control : controls)
            QTest::addRow("%s from %s", key.name, control)
                << control << key.key << key.focus << key.selStart << key.selLength;
    }
}

void tst_WindowKeys::findKeysFromEveryControl()
{
    QFETCH(QString, control);
    QFETCH(QKeySequence, key);
    QFETCH(QString, focus);
    QFETCH(int, selStart);
    QFETCH(int, selLength);

    f->prepare(QStringLiteral("one two one"), QStringLiteral("one"), 4);
    f->replaceWith()->setText(QStringLiteral("1"));
    QWidget* target = focusTarget(control);
    target->setFocus();
    QTest::keySequence(target, key);

    QCOMPARE(QApplication::focusWidget(), focusTarget(focus));
    QCOMPARE(f->document()->SelStart(), selStart);
    QCOMPARE(f->document()->SelLength(), selLength);
    QCOMPARE(f->messages.texts(), QStringList());
    // The key went no further: the boxes keep their text.
    QCOMPARE(f->document()->Text(), QStringLiteral("one two one"));
    QCOMPARE(f->pattern()->currentText(), QStringLiteral("one"));
    QCOMPARE(f->replaceWith()->text(), QStringLiteral("1"));
    if (focus == QLatin1String("cboPattern"))
        QCOMPARE(f->pattern()->lineEdit()->selectedText(), QStringLiteral("one"));
    if (focus == QLatin1String("txtReplace"))
        QCOMPARE(f->replaceWith()->textCursor().selectedText(), QStringLiteral("1"));
}

QTEST_MAIN(tst_WindowKeys)
#include "tst_windowkeys.moc"
