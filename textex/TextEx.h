#pragma once

#include "textex/EditorOwner.h"
#include "textex/PropertyBag.h"
#include "textex/PropertyError.h"
#include "textex/StdFont.h"
#include "textex/TextMark.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QWidget>

#include <atomic>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

class QMimeData;
class TextExBox;
class TextMarks;
class Utf8Slices;

/// The Search Text box: a QScintilla editor that its container reads and moves by
/// character positions.
///
/// Positions and lengths are UTF-16 code units of Text (the units of QString): a CR LF
/// counts two, a character outside the BMP counts two. A position inside a surrogate pair
/// is moved to the pair's start. CR LF, lone LF and lone CR are kept exactly as written or
/// typed, and each shows as a line break.
///
/// Lines are displayed lines: while long lines wrap (MultiLine with ScrollBars 0 or 2) a
/// wrapped logical line counts as several lines; otherwise lines are the logical lines.
/// A text of more than 5,000 lines is wrapped in the background, and until then its lines
/// not yet wrapped count as one each.
///
/// Change is raised once for each keystroke, paste, drop, undo or write, after the scroll
/// bars are brought up to date; an edit made directly on hwnd() outside the user's input
/// raises it from the event loop.
///
/// The editor holds at most Capacity() bytes of text in UTF-8. A write, a keystroke or a
/// paste that would make the text longer is refused: the text stays as it was, and
/// TooLong is raised instead of Change.
class TextEx : public QWidget, private EditorOwner {
    Q_OBJECT
public:
    explicit TextEx(QWidget* parent = nullptr);
    ~TextEx() override;

    // Text, selection and line queries.

    /// The inner editor widget, the same in every mode; it takes the focus and the user's input.
    QWidget* hwnd() const;

    /// The whole text, cached until the text changes.
    QString Text() const;
    /// Reads the whole text as it is now, on any thread, for work that must not hold up
    /// this one: the reader holds the cached text, or else a copy of the editor's bytes,
    /// which it decodes when called. Readers made while the text stays the same share one
    /// decoding, done by whichever is called first; the text it decodes serves Text
    /// afterwards, as long as the text has not changed since. An edit not yet told by
    /// TextEdited is told first.
    std::function<QString()> textReader() const;
    /// Replaces the whole text: the caret goes to 0 with nothing selected, the undo
    /// history is cleared, and Change is raised once (also for an equal text). False, and
    /// TooLong raised, when sValue would not fit.
    bool setText(const QString& sValue);
    /// setText for the text that utf8 holds as valid UTF-8, which goes into the editor as it
    /// is; Text decodes it when first asked. With replaced, the text it replaces goes there
    /// in UTF-8, copied once this control has let go of that text in UTF-16.
    bool setUtf8Text(QByteArrayView utf8, QByteArray* replaced = nullptr);
    /// Number of UTF-16 code units of Text; 0 for an empty text.
    int TextLength() const;

    /// The smaller end of the selection, or the caret.
    int SelStart() const;
    /// Puts the caret at nValue (limited to the text) with nothing selected, scrolled into view.
    void setSelStart(int nValue);
    int SelLength() const;
    /// Selects nValue code units from SelStart with the caret at the end. A value of 0 or
    /// less changes nothing. Overflow when SelStart + nValue leaves the 32-bit range.
    std::optional<PropertyError> setSelLength(int nValue);
    QString SelText() const;
    /// Replaces the selection (or inserts at the caret) as one undoable edit; the caret
    /// ends after the inserted text. False, and TooLong raised, when the text would then
    /// not fit.
    bool setSelText(const QString& sValue);

    /// nStartChar gets the smaller end of the selection, nEndChar the larger.
    void GetSel(int& nStartChar, int& nEndChar) const;
    /// Selects from nStartChar (the anchor) to nEndChar (the caret), both limited to the
    /// text, and scrolls the caret into view. A negative nEndChar means the end of the
    /// text (so 0, -1 selects all); a negative nStartChar removes the selection and leaves
    /// the caret where it is.
    void SetSel(int nStartChar, int nEndChar);

    /// Displayed line of the caret, or of the selection's start.
    int CurrentLine() const;
    /// SelStart - LineStart(CurrentLine).
    int CurrentChar() const;
    /// Number of displayed lines, at least 1; a text ending in a line break has an empty last line.
    int LineCount() const;
    /// Position of the first character of displayed line nLine; -1 means the caret's line;
    /// a line that does not exist gives 0.
    int LineStart(int nLine) const;
    /// Length of the line LineStart(nLine) lies on, without its line break.
    int LineLength(int nLine) const;

    /// The sequence Enter inserts: "\r\n" (the default), "\n" or "\r". Returns false and
    /// changes nothing for any other text. Text already present is never converted.
    bool setNewLineSequence(const QString& sBreak);
    QString NewLineSequence() const;

    /// The most bytes of text in UTF-8 that the editor holds: 2,147,483,647, its positions
    /// being 32-bit; lower for tests.
    qint64 Capacity() const { return mCapacity; }
    void setCapacity(qint64 nBytes) { mCapacity = nBytes; }
    /// Whether the text still fits once sValue replaces the selection, with room for
    /// nExtraBytes more.
    bool canReplaceSelection(QStringView sValue, qint64 nExtraBytes = 0) const override;
    /// Lines longer than this many characters are slow: the editor lays out a whole line,
    /// at about a third of a microsecond a character, to show or reach any part of it, and
    /// setText() lays out the first line.
    qsizetype SlowLineLength() const { return mSlowLineLength; }
    void setSlowLineLength(qsizetype nLength) { mSlowLineLength = nLength; }
    /// Runs work that holds up this thread for a time that grows with nBytes, the text's
    /// length in UTF-8: the first edit after a write of Text indexes the text's lines.
    using SlowStepRunner = std::function<void(qint64 nBytes, const std::function<void()>& work)>;
    /// Has runner run each such step, so that its container can show that it is busy
    /// meanwhile; by default the step just runs.
    void setSlowStepRunner(SlowStepRunner runner) { mSlowStepRunner = std::move(runner); }

    // Display modes, tab stops and fonts.

    /// false: one line (Enter inserts nothing, a pasted text is cut at its first line break).
    bool MultiLine() const { return mMultiLine; }
    void setMultiLine(bool bValue);
    /// Bit 0 horizontal, bit 1 vertical. With MultiLine, 0 and 2 wrap long lines and 1
    /// and 3 keep them whole; other values keep the current mode and use bits 0 and 1.
    int ScrollBars() const { return mScrollBars; }
    void setScrollBars(int nValue);
    /// true: each enabled bar shows exactly when needed; false: enabled bars always show.
    bool ScrollBarsAutomatic() const { return mScrollBarsAutomatic; }
    void setScrollBarsAutomatic(bool bValue);

    /// The tab-stop list as last set; "32" after an empty write.
    QString TabStops() const { return mTabStops; }
    /// A comma-separated list of dialog units (4 units are one average character width).
    /// One item sets a tab every that many units; with several items, the first sets the
    /// interval. A non-number item is a type mismatch, one beyond 32 bits an overflow;
    /// either way TabStops reads back sValue and the tab width is unchanged.
    std::optional<PropertyError> setTabStops(const QString& sValue);

    /// The font object, shared by reference: setting its Name shows the new face at once.
    std::shared_ptr<StdFont> Font() const { return mFont; }
    void setFont(std::shared_ptr<StdFont> New_Font);
    using QWidget::setFont;

    /// 0: nothing can be dropped; 1: a drop of files or text raises OLEDragDrop and
    /// inserts nothing.
    int OLEDropMode() const { return mOLEDropMode; }
    void setOLEDropMode(int nValue);

    // Marks over the text.

    /// The part of the text worth marking now, from first to second in UTF-16 positions:
    /// the lines on screen and a screen's height above and below them, and within a very
    /// long line no more than a fixed margin around what is on screen.
    std::pair<qsizetype, qsizetype> markableRange() const;
    /// Draws marks over the text in place of the ones drawn before. Marks are in UTF-16
    /// positions and move with edits of the text until they are replaced.
    void setMarks(const std::vector<TextMark>& marks);
    /// The editor indicator that draws marks of style (for Group, of a group that depth groups
    /// hold), for tests that look at the editor.
    int markIndicator(TextMarkStyle style, int depth = 0) const;
    /// Sets [first, first + second) apart with a mark of style Range, in place of the one set
    /// before; nothing (or an empty range) removes it. Unlike the marks of setMarks, it stays
    /// while they change, and edits move it with its text: text typed inside it joins it, text
    /// typed at either end stays outside, and an edit that removes all of its text removes it.
    /// Writing Text removes it; switching between wrapping and scrolling keeps it.
    void setRangeMark(const std::optional<std::pair<qsizetype, qsizetype>>& range);
    /// Where the range mark lies now, its start and length in UTF-16 positions; nothing when
    /// there is none.
    std::optional<std::pair<qsizetype, qsizetype>> rangeMark() const;

    // Persisted properties.

    /// A new instance: one-line, automatic bars, no bars, the instance's objectName as its
    /// text, the ambient font (the parent's), tab stops "32".
    void InitProperties();
    /// Loads the stored set; stops at the first property that cannot be written and
    /// returns its error. The box switches mode once, at the end.
    std::optional<PropertyError> ReadProperties(const PropertyBag& PropBag);
    /// Stores every property that differs from its default.
    void WriteProperties(PropertyBag& PropBag) const;

signals:
    /// The text changed: once per keystroke, paste, drop, undo, or write of Text or SelText.
    void Change();
    /// The text changed by one edit: `removed` UTF-16 code units at `position` became
    /// `inserted`. Raised for every edit but a write of Text, once the edit is made and before
    /// the next one, so one keystroke or undo may raise several before its Change; a write of
    /// Text raises TextWriting instead. An edit made on hwnd() outside the user's input is
    /// told from the event loop, or when textReader() is called, whichever comes first.
    void TextEdited(qsizetype position, qsizetype removed, const QString& inserted);
    /// The whole text is about to be written anew; Change follows once it is in. Whoever
    /// keeps the text read before lets go of it now, so that the old text and the new one are
    /// not held together.
    void TextWriting();
    void Click();
    /// A typed character; a handler that sets KeyAscii to 0 keeps it out of the text, one
    /// that sets another code has that character typed instead.
    void KeyPress(int& KeyAscii);
    /// A key was released; Shift holds 1 for Shift, 2 for Ctrl and 4 for Alt.
    void KeyUp(int KeyCode, int Shift);
    /// Files or text were dropped (OLEDropMode 1).
    void OLEDragDrop(const QMimeData* Data);
    /// A persisted property was written through its setter.
    void PropertyChanged(const QString& PropertyName);
    /// A write, a keystroke or a paste was refused because the text would not fit in
    /// Capacity() bytes; the text is as it was.
    void TooLong();
    /// The view scrolled, resized or painted, so markableRange may have moved.
    void viewChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SelectBox();
    void ShowBox(int n);
    void UpdateScrollBars();
    void applyBoxMode();
    void applyFont();
    void applyTabWidth();
    QFont ambientFont() const;

    /// Replaces the selection with sValue as one undoable edit, the caret after it; false,
    /// and TooLong raised, when the text would then not fit.
    bool replaceSelection(const QString& sValue) override;

    bool takesLineBreaks() const override { return mMultiLine; }
    QString lineBreak() const override { return mNewLine; }
    bool takesDrops() const override { return mOLEDropMode == 1; }
    void keyTyped(int& keyAscii) override { emit KeyPress(keyAscii); }
    void keyReleased(int keyCode, int shift) override { emit KeyUp(keyCode, shift); }
    void clicked() override { emit Click(); }
    void dropped(const QMimeData* data) override { emit OLEDragDrop(data); }
    void refusedAsTooLong() override { emit TooLong(); }
    bool beginChanges() override;
    void endChanges(bool outerPending) override;
    void forceChange() override { mChangePending = true; }
    void onTextModified();
    /// Notes an insertion or a removal the editor is about to make.
    void onModification(int position, int type, const char* text, int length);
    /// Raises TextEdited for the edit noted last, once it is made.
    void reportEdit();
    void watchForNextChange();
    void raiseChange();

    /// The marks, made when first used.
    TextMarks& marks() const;

    TextExBox* mBox = nullptr;
    mutable TextMarks* mMarks = nullptr;
    std::shared_ptr<StdFont> mFont;
    QMetaObject::Connection mFontConnection;
    int mScrollBars = 0;
    bool mScrollBarsAutomatic = false;
    bool mMultiLine = false;
    int mBoxIndex = 0;
    QString mTabStops;
    int mTabUnits = 32;
    bool mLoading = false;
    int mOLEDropMode = 0;
    QString mNewLine = QStringLiteral("\r\n");
    qint64 mCapacity = std::numeric_limits<qint32>::max();
    qsizetype mSlowLineLength = 1'000'000;
    SlowStepRunner mSlowStepRunner = [](qint64, const std::function<void()>& work) { work(); };

    /// The cached text is dropped: the text changed.
    void forgetText();
    /// Replaces the whole text with what append appends to the emptied editor, as a write
    /// of Text does; the text it replaces goes to replaced when given, in UTF-8.
    void writeText(const std::function<void()>& append, QByteArray* replaced = nullptr);
    QByteArrayView editorBytes() const;

    /// The text decoded off this thread from a copy of its bytes, once, by whichever reader
    /// asks first; a change of the text drops it.
    struct DecodedText {
        explicit DecodedText(std::shared_ptr<Utf8Slices> bytes) : slices(std::move(bytes)) {}
        QString read();

        std::shared_ptr<Utf8Slices> slices;
        std::once_flag once;
        QString text;
        std::atomic_bool ready = false;
    };

    mutable QString mTextCache;
    mutable bool mTextCacheValid = false;
    mutable std::shared_ptr<DecodedText> mDecodedText;
    int mChangeDepth = 0;
    bool mChangePending = false;
    bool mRearming = false;
    /// Set while Text is written whole, which raises no TextEdited.
    bool mWritingText = false;
    /// The edit the editor was about to make when last heard of: where it is in UTF-16 code
    /// units, how many it removes, and where the bytes it inserts go.
    struct PendingEdit {
        long position = 0;
        long removed = 0;
        long bytePosition = 0;
        long insertedBytes = 0;
    };
    std::optional<PendingEdit> mPendingEdit;
};
