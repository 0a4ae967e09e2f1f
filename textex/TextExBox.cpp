#include "textex/TextExBox.h"

#include "textex/ChangeBatch.h"
#include "textex/EditorOwner.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include <Qsci/qscicommandset.h>

#include <cstdlib>

namespace {

// The character code a key press types, as the host's KeyPress reports it: Ctrl with a
// letter is the control code 1 to 26; keys that type nothing, Delete and Alt
// combinations give 0.
int keyAsciiOf(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if ((e->modifiers() & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return e->key() - Qt::Key_A + 1;
    const QString text = e->text();
    if (text.size() != 1 || text[0].unicode() == 0x7F)
        return 0;
    return text[0].unicode();
}

/// The characters a key types into the text, if any: neither control characters such as
/// Backspace and Delete, nor keys held with Ctrl, Alt or Meta type any.
QString typedText(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString text = e->text();
    return !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F ? text : QString();
}

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

int shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0)
        | ((modifiers & Qt::AltModifier) ? 4 : 0);
}

QString firstLineOf(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'))
            return text.left(i);
    }
    return text;
}

} // namespace

TextExBox::TextExBox(QWidget* parent, EditorOwner& owner)
    : QsciScintilla(parent)
    , mOwner(owner)
{
}

// The editor counts the holders of its line index, so it is released only when held.
void TextExBox::releaseLineIndex()
{
    if (!mWrittenTextBlocks)
        SendScintilla(SCI_RELEASELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
}

// Reading the text as one run moves the editor's gap to its end, where a text written
// whole and not edited since has it already.
void TextExBox::countWrittenText()
{
    const long bytes = SendScintilla(SCI_GETLENGTH);
    mWrittenTextBlocks = std::make_unique<Utf16Blocks>(
        QByteArrayView(static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER)), bytes));
}

void TextExBox::indexEditedText()
{
    if (!mWrittenTextBlocks)
        return;
    mWrittenTextBlocks.reset();
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
}

bool TextExBox::event(QEvent* e)
{
    ChangeBatch batch(mOwner);
    return QsciScintilla::event(e);
}

bool TextExBox::viewportEvent(QEvent* e)
{
    ChangeBatch batch(mOwner);
    return QsciScintilla::viewportEvent(e);
}

// Tab and Shift+Tab move the focus as in any text box; Ctrl+Tab types a tab.
bool TextExBox::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

void TextExBox::keyPressEvent(QKeyEvent* e)
{
    const int typed = keyAsciiOf(e);
    if (typed == 0) {
        typeKey(e);
        return;
    }
    int KeyAscii = typed;
    mOwner.keyTyped(KeyAscii);
    if (KeyAscii == 0) {
        e->accept();
        return;
    }
    if (KeyAscii == typed) {
        typeKey(e);
        return;
    }
    const int key = KeyAscii == '\r' ? int(Qt::Key_Return) : int(Qt::Key_unknown);
    QKeyEvent replaced(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(char16_t(KeyAscii))));
    typeKey(&replaced);
    e->accept();
}

void TextExBox::typeKey(QKeyEvent* e)
{
    if (isEnter(e) && !mOwner.takesLineBreaks()) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        // Only Ctrl+Tab types a tab; a plain Tab that found no widget to move the focus
        // to is left to the parent.
        if (!(e->modifiers() & Qt::ControlModifier)) {
            e->ignore();
            return;
        }
        mOwner.replaceSelection(QStringLiteral("\t"));
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        paste();
        e->accept();
        return;
    }
    const QString typed = isEnter(e) ? mOwner.lineBreak() : typedText(e);
    const qint64 growth = commandGrowth(e);
    if ((!typed.isEmpty() || growth > 0) && !mOwner.canReplaceSelection(typed, growth)) {
        mOwner.refusedAsTooLong();
        e->accept();
        return;
    }
    QsciScintilla::keyPressEvent(e);
}

qint64 TextExBox::selectedBytes() const
{
    return std::abs(SendScintilla(SCI_GETANCHOR) - SendScintilla(SCI_GETCURRENTPOS));
}

// The commands that add text of their own: a line or the selection copied, or cased anew,
// where a character may take up to three times its bytes.
qint64 TextExBox::commandGrowth(const QKeyEvent* e) const
{
    const auto modifiers = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QsciCommand* command = standardCommands()->boundTo(e->key() | int(modifiers));
    if (!command)
        return 0;
    const qint64 selected = selectedBytes();
    const long line = SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS));
    const qint64 lineBytes = SendScintilla(SCI_POSITIONFROMLINE, line + 1) - SendScintilla(SCI_POSITIONFROMLINE, line);
    const qint64 lineBreak = 2;
    switch (command->command()) {
    case QsciCommand::LineDuplicate:
        return selected + lineBytes + lineBreak;
    case QsciCommand::SelectionDuplicate:
        return selected + (selected > 0 ? selected : lineBytes + lineBreak);
    case QsciCommand::SelectionUpperCase:
    case QsciCommand::SelectionLowerCase:
        return 3 * selected;
    default:
        return 0;
    }
}

void TextExBox::paste()
{
    const QString text = QApplication::clipboard()->text();
    if (!mOwner.takesLineBreaks()) {
        mOwner.replaceSelection(firstLineOf(text));
        return;
    }
    if (!fitsPasted(text, 0)) {
        mOwner.refusedAsTooLong();
        return;
    }
    QsciScintilla::paste();
}

// The editor may make each lone CR or LF a pair as it pastes.
bool TextExBox::fitsPasted(const QString& text, qint64 kept) const
{
    return mOwner.canReplaceSelection(text, text.count(u'\r') + text.count(u'\n') + kept);
}

// The middle button pastes the system's selection at the pointer, where there is one,
// keeping the text selected in the box.
void TextExBox::mousePressEvent(QMouseEvent* e)
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection()
        && !fitsPasted(clipboard->text(QClipboard::Selection), selectedBytes())) {
        mOwner.refusedAsTooLong();
        e->accept();
        return;
    }
    QsciScintilla::mousePressEvent(e);
}

void TextExBox::keyReleaseEvent(QKeyEvent* e)
{
    QsciScintilla::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        mOwner.keyReleased(e->key(), shiftStateOf(e->modifiers()));
}

void TextExBox::mouseReleaseEvent(QMouseEvent* e)
{
    QsciScintilla::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton)
        mOwner.clicked();
}

// Only files or text from elsewhere are accepted; a selection dragged within the box
// is not, since the box does not move text by dragging.
bool TextExBox::acceptsDrop(const QDropEvent* e) const
{
    const QMimeData* data = e->mimeData();
    const bool ownText = e->source() == this || e->source() == viewport();
    return mOwner.takesDrops() && data && !ownText && (data->hasUrls() || data->hasText());
}

void TextExBox::dragEnterEvent(QDragEnterEvent* e)
{
    if (acceptsDrop(e))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TextExBox::dragMoveEvent(QDragMoveEvent* e)
{
    if (acceptsDrop(e))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TextExBox::dropEvent(QDropEvent* e)
{
    if (!acceptsDrop(e)) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    mOwner.dropped(e->mimeData());
}
