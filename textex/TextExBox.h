#pragma once

#include "textex/Utf16Blocks.h"

#include <Qsci/qsciscintilla.h>

#include <memory>

class EditorOwner;

/// The editor inside TextEx. It passes the user's input on as the control's events:
/// every event it handles is one change batch, typed characters go through KeyPress
/// first, and drops go to OLEDragDrop instead of into the text.
class TextExBox : public QsciScintilla {
    Q_OBJECT
public:
    TextExBox(QWidget* parent, EditorOwner& owner);

    void paste() override;

    /// The UTF-16 positions of the text written whole by TextEx, until it is edited; null
    /// when the editor keeps its own UTF-16 line index (see Utf16Positions).
    const Utf16Blocks* writtenTextBlocks() const { return mWrittenTextBlocks.get(); }
    /// Before the whole text is written anew: the editor stops keeping its line index,
    /// which would take far longer to keep up to date, line by line, than to build.
    void releaseLineIndex();
    /// After that write: counts the text's UTF-16 positions in blocks, which takes a
    /// fraction of the time the line index takes to build.
    void countWrittenText();
    /// The text was edited: the editor keeps a UTF-16 start for every line again, which it
    /// keeps up to date through every later edit. On a large text this takes as long as
    /// the text took to go in.
    void indexEditedText();

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void typeKey(QKeyEvent* e);
    bool acceptsDrop(const QDropEvent* e) const;
    qint64 selectedBytes() const;
    /// The bytes an editor command bound to the key may add besides what it types.
    qint64 commandGrowth(const QKeyEvent* e) const;
    /// Whether text pasted over the selection fits, with kept more bytes left in place.
    bool fitsPasted(const QString& text, qint64 kept) const;

    EditorOwner& mOwner;
    std::unique_ptr<Utf16Blocks> mWrittenTextBlocks;
};
