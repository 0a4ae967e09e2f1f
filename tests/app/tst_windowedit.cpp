// The Edit commands on each kind of control, through the real window.

#include "window/SteadyCursor.h"
#include "WindowFixture.h"
#include "textex/TextExEditor.h"

#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QStyleHints>
#include <QUrl>

#include <Qsci/qsciscintilla.h>

class tst_WindowEdit : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyOrCutWithNothingSelectedKeepsClipboard_data();
    void copyOrCutWithNothingSelectedKeepsClipboard();
    void cutInDocumentIsOneUndoableEdit();
    void copyDoesNotMarkDirty();
    void pasteIntoDocumentKeepsItsLineBreaks_data();
    void pasteIntoDocumentKeepsItsLineBreaks();
    void pasteWithoutTextChangesNothing_data();
    void pasteWithoutTextChangesNothing();
    void pasteIntoPatternBox();
    void longPastedPatternStaysWholeWithASteadyCursor();
    void cutAndPasteInReplaceWith();
    void commandsOnAButtonDoNothing();
    void readOnlyBoxesOnlyCopy_data();
    void readOnlyBoxesOnlyCopy();
    void selectAllOnEmptyReplaceWith();

private:
    std::unique_ptr<WindowFixture> f;
};

void tst_WindowEdit::init()
{
    f = std::make_unique<WindowFixture>();
    QVERIFY(f->shown());
}

void tst_WindowEdit::cleanup()
{
    f.reset();
}

void tst_WindowEdit::copyOrCutWithNothingSelectedKeepsClipboard_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Copy") << "mnuEditCopy";
    QTest::newRow("Cut") << "mnuEditCut";
}

void tst_WindowEdit::copyOrCutWithNothingSelectedKeepsClipboard()
{
    QFETCH(QString, command);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    f->document()->setText(QStringLiteral("abc"));
    f->document()->setSelStart(1);
    f->document()->hwnd()->setFocus();
    f->trigger(command.toLatin1().constData());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(f->document()->Text(), QStringLiteral("abc"));
}

void tst_WindowEdit::cutInDocumentIsOneUndoableEdit()
{
    f->prepare(QStringLiteral("abcd"), QString(), 1, 2);
    f->window->setDirty(false);
    f->document()->hwnd()->setFocus();
    f->trigger("mnuEditCut");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
    QCOMPARE(f->document()->Text(), QStringLiteral("ad"));
    QVERIFY(f->window->Dirty());
    editorOf(*f->document())->undo();
    QCOMPARE(f->document()->Text(), QStringLiteral("abcd"));
}

void tst_WindowEdit::copyDoesNotMarkDirty()
{
    f->prepare(QStringLiteral("abcd"), QString(), 0, 3);
    f->window->setDirty(false);
    f->document()->hwnd()->setFocus();
    QTest::keyClick(f->document()->hwnd(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    QVERIFY(!f->window->Dirty());
}

void tst_WindowEdit::pasteIntoDocumentKeepsItsLineBreaks_data()
{
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CR LF text into a CR LF document") << "\r\n" << "x\r\ny" << "ax\r\nyb";
    QTest::newRow("LF text into a CR LF document") << "\r\n" << "x\ny" << "ax\r\nyb";
    QTest::newRow("CR LF text into an LF document") << "\n" << "x\r\ny" << "ax\nyb";
}

void tst_WindowEdit::pasteIntoDocumentKeepsItsLineBreaks()
{
    QFETCH(QString, lineBreak);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);

    QVERIFY(f->document()->setNewLineSequence(lineBreak));
    f->prepare(QStringLiteral("ab"), QString(), 1);
    QGuiApplication::clipboard()->setText(clipboard);
    f->document()->hwnd()->setFocus();
    f->trigger("mnuEditPaste");
    QCOMPARE(f->document()->Text(), expected);
    QCOMPARE(f->document()->SelStart(), expected.size() - 1);
    QCOMPARE(f->document()->SelLength(), 0);
    editorOf(*f->document())->undo();
    QCOMPARE(f->document()->Text(), QStringLiteral("ab"));
}

void tst_WindowEdit::pasteWithoutTextChangesNothing_data()
{
    QTest::addColumn<bool>("image");
    QTest::newRow("image on the clipboard") << true;
    QTest::newRow("file list on the clipboard") << false;
}

void tst_WindowEdit::pasteWithoutTextChangesNothing()
{
    QFETCH(bool, image);
    auto* data = new QMimeData;
    if (image)
        data->setImageData(QImage(4, 4, QImage::Format_RGB32));
    else
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
    QGuiApplication::clipboard()->setMimeData(data);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/plain")));

    f->prepare(QStringLiteral("ab"), QString(), 1);
    f->window->setDirty(false);
    f->document()->hwnd()->setFocus();
    f->trigger("mnuEditPaste");
    QCOMPARE(f->document()->Text(), QStringLiteral("ab"));
    QVERIFY(!f->window->Dirty());
}

void tst_WindowEdit::pasteIntoPatternBox()
{
    f->pattern()->setEditText(QStringLiteral("ab"));
    f->pattern()->lineEdit()->setCursorPosition(1);
    f->pattern()->lineEdit()->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("\\d+"));
    f->trigger("mnuEditPaste");
    QCOMPARE(f->pattern()->currentText(), QStringLiteral("a\\d+b"));
    QCOMPARE(f->pattern()->count(), 0);
    QCOMPARE(f->document()->Text(), QString());
}

void tst_WindowEdit::longPastedPatternStaysWholeWithASteadyCursor()
{
    const QString pattern(kSteadyCursorLength + 1, u'a');
    f->pattern()->lineEdit()->setFocus();
    QGuiApplication::clipboard()->setText(pattern);
    f->trigger("mnuEditPaste");
    QCOMPARE(f->pattern()->currentText(), pattern);
    QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
    f->replaceWith()->setFocus();
    QVERIFY(QGuiApplication::styleHints()->cursorFlashTime() > 0);
}

void tst_WindowEdit::cutAndPasteInReplaceWith()
{
    f->replaceWith()->setText(QStringLiteral("one\r\ntwo"));
    f->replaceWith()->setFocus();
    f->trigger("mnuEditSelectAll");
    f->trigger("mnuEditCut");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\r\ntwo"));
    QCOMPARE(f->replaceWith()->text(), QString());
    f->trigger("mnuEditPaste");
    f->trigger("mnuEditPaste");
    QCOMPARE(f->replaceWith()->text(), QStringLiteral("one\r\ntwoone\r\ntwo"));
}

void tst_WindowEdit::commandsOnAButtonDoNothing()
{
    f->prepare(QStringLiteral("abc"), QString(), 0, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    f->button("cmdFind")->setFocus();
    for (const char* command : {"mnuEditCopy", "mnuEditCut", "mnuEditPaste", "mnuEditSelectAll"})
        f->trigger(command);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(f->document()->Text(), QStringLiteral("abc"));
    QCOMPARE(f->document()->SelLength(), 2);
    QCOMPARE(QApplication::focusWidget(), f->button("cmdFind"));
}

void tst_WindowEdit::readOnlyBoxesOnlyCopy_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("syntax text") << "txtSyntax";
    QTest::newRow("sub-match list") << "txtSubMatches";
}

// The program never changes the syntax text, and the sub-match list shows the last search.
void tst_WindowEdit::readOnlyBoxesOnlyCopy()
{
    QFETCH(QString, box);
    f->prepare(QStringLiteral("a1"), QStringLiteral("(\\d)"));
    f->click("cmdFind");
    auto* target = f->child<MultiLineBox>(box.toLatin1().constData());
    const QString before = target->text();
    target->setFocus();
    f->trigger("mnuEditSelectAll");
    f->trigger("mnuEditCut");
    QCOMPARE(QGuiApplication::clipboard()->text(), before);
    f->trigger("mnuEditPaste");
    QCOMPARE(target->text(), before);
}

void tst_WindowEdit::selectAllOnEmptyReplaceWith()
{
    f->replaceWith()->setFocus();
    f->trigger("mnuEditSelectAll");
    QCOMPARE(f->replaceWith()->textCursor().position(), 0);
    QVERIFY(!f->replaceWith()->textCursor().hasSelection());
}

QTEST_MAIN(tst_WindowEdit)
#include "tst_windowedit.moc"
