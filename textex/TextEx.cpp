#include "textex/TextEx.h"

#include "platform/HugePages.h"
#include "platform/TextCodec.h"
#include "textex/ChangeBatch.h"
#include "textex/DisplayLines.h"
#include "textex/EditorAccessibility.h"
#include "textex/PropertyValues.h"
#include "textex/TextExBox.h"
#include "textex/TextMarks.h"
#include "textex/Utf16Positions.h"
#include "textex/Utf8Append.h"
#include "textex/Utf8Slices.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

/// A stand-in for a byte of the file that was no part of valid UTF-8 shows as that byte,
/// "xE9", in a box, as the editor shows other characters that have no glyph of their own.
void showStandIns(QsciScintillaBase& box)
{
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QByteArray character = QString(QChar(TextCodec::standIn(byte))).toUtf8();
        const QByteArray shown = 'x' + QByteArray::number(byte, 16).toUpper();
        box.SendScintilla(QsciScintillaBase::SCI_SETREPRESENTATION, character.constData(), shown.constData());
    }
}

using Sci = QsciScintillaBase;

enum BoxIndex { OneLineBox = 0, WrappingBox = 1, ScrollingBox = 2 };

constexpr int kHorizontalBit = 1;
constexpr int kVerticalBit = 2;

QVariant ambientFontValue(const QFont& ambient)
{
    StdFont font;
    font.assignQFont(ambient);
    return font.toVariant();
}

} // namespace

TextEx::TextEx(QWidget* parent)
    : QWidget(parent)
    , mFont(std::make_shared<StdFont>())
{
    installEditorAccessibility();
    mBox = new TextExBox(this, *this);
    // The text is never styled: a document without style bytes spares a second buffer the
    // size of the text, and the time to fill it when a large text goes in.
    const long document = mBox->SendScintilla(Sci::SCI_CREATEDOCUMENT, 0UL, long(Sci::SC_DOCUMENTOPTION_STYLES_NONE));
    mBox->SendScintilla(Sci::SCI_SETDOCPOINTER, 0UL, document);
    mBox->SendScintilla(Sci::SCI_RELEASEDOCUMENT, 0UL, document);
    Utf16Positions::enable(*mBox);
    showStandIns(*mBox);
    mBox->SendScintilla(Sci::SCI_SETEOLMODE, Sci::SC_EOL_CRLF);
    mBox->SendScintilla(Sci::SCI_SETPASTECONVERTENDINGS, 0L);
    // Notices of finished insertions and removals cost a scan from the start of the text in
    // QScintilla, so only the ones before each change are on, for TextEdited; the save point
    // tells of the first change after each watchForNextChange.
    mBox->SendScintilla(Sci::SCI_SETMODEVENTMASK, long(Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE));
    mBox->SendScintilla(Sci::SCI_SETSCROLLWIDTH, 1L);
    mBox->SendScintilla(Sci::SCI_SETSCROLLWIDTHTRACKING, 1L);
    for (int margin = 0; margin < 5; ++margin)
        mBox->setMarginWidth(margin, 0);
    setFocusProxy(mBox);

    connect(mBox, &QsciScintillaBase::SCN_SAVEPOINTLEFT, this, &TextEx::onTextModified);
    connect(mBox, &QsciScintillaBase::SCN_SAVEPOINTREACHED, this, &TextEx::onTextModified);
    connect(mBox, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length) { onModification(position, type, text, length); });
    connect(mBox, &QsciScintillaBase::SCN_UPDATEUI, this, &TextEx::viewChanged);
    connect(mBox, &QsciScintillaBase::SCN_PAINTED, this, &TextEx::viewChanged);
    watchForNextChange();
    mFontConnection = connect(mFont.get(), &StdFont::Changed, this, &TextEx::applyFont);

    setOLEDropMode(0);
    applyBoxMode();
    applyFont();
    applyTabWidth();
    UpdateScrollBars();
}

// The editor goes first, while the members its events use still exist.
TextEx::~TextEx()
{
    delete mBox;
}

QWidget* TextEx::hwnd() const
{
    return mBox;
}

// Marks ---------------------------------------------------------------------------------

TextMarks& TextEx::marks() const
{
    if (!mMarks)
        mMarks = new TextMarks(*mBox);
    return *mMarks;
}

std::pair<qsizetype, qsizetype> TextEx::markableRange() const
{
    return marks().markableRange();
}

void TextEx::setMarks(const std::vector<TextMark>& marks)
{
    this->marks().setMarks(marks);
}

int TextEx::markIndicator(TextMarkStyle style, int depth) const
{
    return marks().indicator(style, depth);
}

void TextEx::setRangeMark(const std::optional<std::pair<qsizetype, qsizetype>>& range)
{
    marks().setRangeMark(range);
}

std::optional<std::pair<qsizetype, qsizetype>> TextEx::rangeMark() const
{
    return marks().rangeMark();
}

// Text ----------------------------------------------------------------------------------

QString TextEx::Text() const
{
    if (!mTextCacheValid) {
        const std::shared_ptr<DecodedText> decoded = std::exchange(mDecodedText, nullptr);
        if (decoded && decoded->ready.load(std::memory_order_acquire)) {
            mTextCache = decoded->text;
        } else {
            mTextCache = QString::fromUtf8(editorBytes());
        }
        mTextCacheValid = true;
    }
    return mTextCache;
}

// The editor's text as UTF-8, valid until the editor changes.
QByteArrayView TextEx::editorBytes() const
{
    const long bytes = mBox->SendScintilla(Sci::SCI_GETLENGTH);
    return {static_cast<const char*>(mBox->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER)), bytes};
}

std::function<QString()> TextEx::textReader() const
{
    // The text read holds every edit TextEdited has told of, and no other.
    const_cast<TextEx*>(this)->reportEdit();
    if (mTextCacheValid)
        return [text = mTextCache] { return text; };
    // Copying the bytes takes a fraction of the time of decoding them, which the reader does.
    if (!mDecodedText)
        mDecodedText = std::make_shared<DecodedText>(std::make_shared<Utf8Slices>(editorBytes()));
    return [decoded = mDecodedText] { return decoded->read(); };
}

QString TextEx::DecodedText::read()
{
    std::call_once(once, [this] {
        text = slices->decode();
        slices.reset();
        ready.store(true, std::memory_order_release);
    });
    return text;
}

bool TextEx::setText(const QString& sValue)
{
    if (!TextCodec::fitsInUtf8(sValue, mCapacity)) {
        emit TooLong();
        return false;
    }
    bool validUtf16 = true;
    writeText([&] { validUtf16 = appendAsUtf8(*mBox, sValue); });
    // A lone surrogate cannot be stored in UTF-8 and becomes "?"; the text is then
    // read back from the editor, so that Text always tells what the box holds.
    if (validUtf16) {
        mTextCache = sValue;
        mTextCacheValid = true;
    }
    emit PropertyChanged(QStringLiteral("Text"));
    return true;
}

bool TextEx::setUtf8Text(QByteArrayView utf8, QByteArray* replaced)
{
    if (utf8.size() > mCapacity) {
        emit TooLong();
        return false;
    }
    writeText([&] {
        // Room for one byte more than the text: an insertion that fills the room exactly
        // has the editor grow its buffer, and copy it, all the same.
        mBox->SendScintilla(Sci::SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
        mBox->SendScintilla(Sci::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    }, replaced);
    emit PropertyChanged(QStringLiteral("Text"));
    return true;
}

void TextEx::writeText(const std::function<void()>& append, QByteArray* replaced)
{
    ChangeBatch batch(*this);
    batch.force();
    reportEdit();
    emit TextWriting();
    mWritingText = true;
    // The old text is not kept for undo: writing Text starts a new history. Wrapping is
    // off while the text goes in, because the editor would otherwise lay out every line
    // at once; switched back on, it wraps lazily.
    const long wrapMode = mBox->SendScintilla(Sci::SCI_GETWRAPMODE);
    mBox->SendScintilla(Sci::SCI_SETWRAPMODE, long(Sci::SC_WRAP_NONE));
    mBox->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0L);
    // Until the first edit, the text counted in blocks serves for UTF-16 positions.
    mBox->releaseLineIndex();
    // The cached text goes before the old one is copied and the new one comes in, so that
    // no two of them are held in UTF-16.
    forgetText();
    if (replaced) {
        const QByteArrayView bytes = editorBytes();
        *replaced = QByteArray(bytes.size(), Qt::Uninitialized);
        adviseHugePages(replaced->data(), std::size_t(bytes.size()));
        std::memcpy(replaced->data(), bytes.data(), std::size_t(bytes.size()));
    }
    mBox->SendScintilla(Sci::SCI_CLEARALL);
    append();
    mBox->countWrittenText();
    mWritingText = false;
    mBox->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    mBox->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 1L);
    mBox->SendScintilla(Sci::SCI_SETWRAPMODE, wrapMode);
    watchForNextChange();
    mBox->SendScintilla(Sci::SCI_SETSCROLLWIDTH, 1L);
    mBox->SendScintilla(Sci::SCI_GOTOPOS, 0L);
}

int TextEx::TextLength() const
{
    return static_cast<int>(Utf16Positions(*mBox).length());
}

// The editor leaves (or, by undo, returns to) its save point: the text changed. Within a
// change batch the batch raises Change when it ends. Outside one the editor is still in
// the middle of the edit, so Change follows from the event loop.
void TextEx::onTextModified()
{
    if (mRearming)
        return;
    if (mBox->writtenTextBlocks())
        mSlowStepRunner(mBox->SendScintilla(Sci::SCI_GETLENGTH), [this] { mBox->indexEditedText(); });
    forgetText();
    if (mChangeDepth > 0) {
        mChangePending = true;
        return;
    }
    QMetaObject::invokeMethod(this, [this] {
        reportEdit();
        watchForNextChange();
        raiseChange();
    }, Qt::QueuedConnection);
}

// Positions are read before the editor changes, while they still count the text they refer
// to; the edit is told once it is made. QScintilla hands no text with the notice before an
// insertion, so the inserted bytes are read from the editor then.
void TextEx::onModification(int position, int type, const char* /*text*/, int length)
{
    if (mWritingText || length <= 0)
        return;
    reportEdit();
    const Utf16Positions positions(*mBox);
    const long start = positions.toUtf16(position);
    if (type & Sci::SC_MOD_BEFOREINSERT)
        mPendingEdit = PendingEdit{start, 0, position, length};
    else if (type & Sci::SC_MOD_BEFOREDELETE)
        mPendingEdit = PendingEdit{start, positions.toUtf16(position + length) - start, position, 0};
}

void TextEx::reportEdit()
{
    if (!mPendingEdit)
        return;
    const PendingEdit edit = *std::exchange(mPendingEdit, std::nullopt);
    QString inserted;
    if (edit.insertedBytes > 0) {
        QByteArray bytes(edit.insertedBytes + 1, '\0');
        mBox->SendScintilla(Sci::SCI_GETTEXTRANGE, edit.bytePosition, edit.bytePosition + edit.insertedBytes,
                            bytes.data());
        inserted = QString::fromUtf8(bytes.constData(), edit.insertedBytes);
    }
    emit TextEdited(edit.position, edit.removed, inserted);
}

void TextEx::forgetText()
{
    mTextCacheValid = false;
    mTextCache = QString();
    mDecodedText.reset();
    if (mMarks)
        mMarks->textChanged();
}

// Marks the current state as the save point, so that the next edit leaves it.
void TextEx::watchForNextChange()
{
    mRearming = true;
    mBox->SendScintilla(Sci::SCI_SETSAVEPOINT);
    mRearming = false;
}

bool TextEx::beginChanges()
{
    ++mChangeDepth;
    return std::exchange(mChangePending, false);
}

void TextEx::endChanges(bool outerPending)
{
    reportEdit();
    --mChangeDepth;
    if (std::exchange(mChangePending, outerPending)) {
        watchForNextChange();
        raiseChange();
    }
}

void TextEx::raiseChange()
{
    UpdateScrollBars();
    emit Change();
}

// Selection -----------------------------------------------------------------------------

void TextEx::GetSel(int& nStartChar, int& nEndChar) const
{
    const Utf16Positions positions(*mBox);
    const long anchor = positions.toUtf16(mBox->SendScintilla(Sci::SCI_GETANCHOR));
    const long caret = positions.toUtf16(mBox->SendScintilla(Sci::SCI_GETCURRENTPOS));
    nStartChar = static_cast<int>(std::min(anchor, caret));
    nEndChar = static_cast<int>(std::max(anchor, caret));
}

void TextEx::SetSel(int nStartChar, int nEndChar)
{
    if (nStartChar < 0) {
        mBox->SendScintilla(Sci::SCI_SETEMPTYSELECTION, mBox->SendScintilla(Sci::SCI_GETCURRENTPOS));
    } else {
        const Utf16Positions positions(*mBox);
        const long length = positions.length();
        const long end = nEndChar < 0 ? length : std::min<long>(nEndChar, length);
        const long start = std::min<long>(nStartChar, length);
        mBox->SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(positions.toBytes(start)),
                            positions.toBytes(end));
    }
    mBox->SendScintilla(Sci::SCI_SCROLLCARET);
}

int TextEx::SelStart() const
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    return start;
}

void TextEx::setSelStart(int nValue)
{
    SetSel(nValue, nValue);
    emit PropertyChanged(QStringLiteral("SelStart"));
}

int TextEx::SelLength() const
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    return end - start;
}

std::optional<PropertyError> TextEx::setSelLength(int nValue)
{
    if (nValue <= 0)
        return std::nullopt;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (static_cast<qint64>(start) + nValue > std::numeric_limits<int>::max())
        return PropertyError::Overflow();
    SetSel(start, start + nValue);
    emit PropertyChanged(QStringLiteral("SelLength"));
    return std::nullopt;
}

QString TextEx::SelText() const
{
    const long anchor = mBox->SendScintilla(Sci::SCI_GETANCHOR);
    const long caret = mBox->SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long start = std::min(anchor, caret);
    const long end = std::max(anchor, caret);
    if (start == end)
        return {};
    QByteArray bytes(end - start + 1, '\0');
    mBox->SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, bytes.data());
    return QString::fromUtf8(bytes.constData(), end - start);
}

bool TextEx::setSelText(const QString& sValue)
{
    if (!replaceSelection(sValue))
        return false;
    mBox->SendScintilla(Sci::SCI_SCROLLCARET);
    emit PropertyChanged(QStringLiteral("SelText"));
    return true;
}

bool TextEx::canReplaceSelection(QStringView sValue, qint64 nExtraBytes) const
{
    const long anchor = mBox->SendScintilla(Sci::SCI_GETANCHOR);
    const long caret = mBox->SendScintilla(Sci::SCI_GETCURRENTPOS);
    const qint64 kept = mBox->SendScintilla(Sci::SCI_GETLENGTH) - std::abs(anchor - caret);
    return TextCodec::fitsInUtf8(sValue, mCapacity - kept - nExtraBytes);
}

bool TextEx::replaceSelection(const QString& sValue)
{
    if (!canReplaceSelection(sValue)) {
        emit TooLong();
        return false;
    }
    ChangeBatch batch(*this);
    const QByteArray bytes = sValue.toUtf8();
    mBox->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    mBox->SendScintilla(Sci::SCI_TARGETFROMSELECTION);
    mBox->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    mBox->SendScintilla(Sci::SCI_SETEMPTYSELECTION, mBox->SendScintilla(Sci::SCI_GETTARGETEND));
    mBox->SendScintilla(Sci::SCI_ENDUNDOACTION);
    return true;
}

// Lines ---------------------------------------------------------------------------------

int TextEx::CurrentLine() const
{
    const long anchor = mBox->SendScintilla(Sci::SCI_GETANCHOR);
    const long caret = mBox->SendScintilla(Sci::SCI_GETCURRENTPOS);
    return static_cast<int>(DisplayLines(*mBox).lineFromPosition(std::min(anchor, caret)));
}

int TextEx::CurrentChar() const
{
    return SelStart() - LineStart(CurrentLine());
}

int TextEx::LineCount() const
{
    return static_cast<int>(DisplayLines(*mBox).count());
}

int TextEx::LineStart(int nLine) const
{
    if (nLine == -1)
        nLine = CurrentLine();
    const DisplayLines lines(*mBox);
    if (nLine < 0 || nLine >= lines.count())
        return 0;
    return static_cast<int>(Utf16Positions(*mBox).toUtf16(lines.lineStart(nLine)));
}

int TextEx::LineLength(int nLine) const
{
    const Utf16Positions positions(*mBox);
    const long start = positions.toBytes(LineStart(nLine));
    const long end = DisplayLines(*mBox).lineEnd(start);
    return static_cast<int>(positions.toUtf16(end) - positions.toUtf16(start));
}

bool TextEx::setNewLineSequence(const QString& sBreak)
{
    long mode = 0;
    if (sBreak == QLatin1String("\r\n"))
        mode = Sci::SC_EOL_CRLF;
    else if (sBreak == QLatin1String("\n"))
        mode = Sci::SC_EOL_LF;
    else if (sBreak == QLatin1String("\r"))
        mode = Sci::SC_EOL_CR;
    else
        return false;
    mNewLine = sBreak;
    mBox->SendScintilla(Sci::SCI_SETEOLMODE, mode);
    return true;
}

QString TextEx::NewLineSequence() const
{
    return mNewLine;
}

// Display modes -------------------------------------------------------------------------

void TextEx::setMultiLine(bool bValue)
{
    mMultiLine = bValue;
    SelectBox();
    emit PropertyChanged(QStringLiteral("MultiLine"));
}

void TextEx::setScrollBars(int nValue)
{
    mScrollBars = nValue;
    SelectBox();
    UpdateScrollBars();
    emit PropertyChanged(QStringLiteral("ScrollBars"));
}

void TextEx::setScrollBarsAutomatic(bool bValue)
{
    mScrollBarsAutomatic = bValue;
    UpdateScrollBars();
}

void TextEx::SelectBox()
{
    if (mLoading)
        return;
    if (!mMultiLine) {
        ShowBox(OneLineBox);
        return;
    }
    switch (mScrollBars) {
    case 0:
    case kVerticalBit:
        ShowBox(WrappingBox);
        break;
    case kHorizontalBit:
    case kHorizontalBit | kVerticalBit:
        ShowBox(ScrollingBox);
        break;
    default:
        break;
    }
}

// Switching modes writes the text anew, as into a fresh box: Change is raised once, and
// the selection, the caret and the undo history start over.
void TextEx::ShowBox(int n)
{
    if (n == mBoxIndex)
        return;
    const QString text = Text();
    // The text stays the same, so the range set apart in it does too.
    const std::optional<std::pair<qsizetype, qsizetype>> range = mMarks ? mMarks->rangeMark() : std::nullopt;
    mBoxIndex = n;
    applyBoxMode();
    setText(text);
    if (range)
        mMarks->setRangeMark(range);
    applyTabWidth();
}

void TextEx::applyBoxMode()
{
    mBox->SendScintilla(Sci::SCI_SETWRAPMODE,
                        mBoxIndex == WrappingBox ? long(Sci::SC_WRAP_WORD) : long(Sci::SC_WRAP_NONE));
}

// Enabled bars show exactly when the text needs them (the editor re-evaluates this on
// every change and resize), or always when ScrollBarsAutomatic is off.
void TextEx::UpdateScrollBars()
{
    const bool horizontal = mScrollBars & kHorizontalBit;
    const bool vertical = mScrollBars & kVerticalBit;
    mBox->SendScintilla(Sci::SCI_SETHSCROLLBAR, static_cast<long>(horizontal));
    mBox->SendScintilla(Sci::SCI_SETVSCROLLBAR, static_cast<long>(vertical));
    const auto policy = [this](bool enabled) {
        if (!enabled)
            return Qt::ScrollBarAlwaysOff;
        return mScrollBarsAutomatic ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    // A wrapping box never needs the horizontal bar.
    const bool horizontalNeeded = horizontal && (mBoxIndex != WrappingBox || !mScrollBarsAutomatic);
    mBox->setHorizontalScrollBarPolicy(policy(horizontalNeeded));
    mBox->setVerticalScrollBarPolicy(policy(vertical));
}

void TextEx::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    mBox->setGeometry(0, 0, width(), height());
}

// Tab stops -----------------------------------------------------------------------------

std::optional<PropertyError> TextEx::setTabStops(const QString& sValue)
{
    const TabStopList list = parseTabStops(sValue);
    mTabStops = sValue.isEmpty() ? QStringLiteral("32") : sValue;
    if (!list)
        return list.error();
    mTabUnits = list.value().front();
    applyTabWidth();
    return std::nullopt;
}

// The editor spaces tabs in multiples of the space width; the stop interval is a number
// of quarter average character widths.
void TextEx::applyTabWidth()
{
    const QFontMetricsF metrics(mFont->toQFont());
    const double space = metrics.horizontalAdvance(QLatin1Char(' '));
    const double interval = mTabUnits / 4.0 * metrics.averageCharWidth();
    const long spaces = space > 0 ? std::lround(interval / space) : mTabUnits / 4;
    mBox->SendScintilla(Sci::SCI_SETTABWIDTH, std::max(1L, spaces));
}

// Fonts ---------------------------------------------------------------------------------

void TextEx::setFont(std::shared_ptr<StdFont> New_Font)
{
    Q_ASSERT(New_Font);
    disconnect(mFontConnection);
    mFont = std::move(New_Font);
    mFontConnection = connect(mFont.get(), &StdFont::Changed, this, &TextEx::applyFont);
    applyFont();
    emit PropertyChanged(QStringLiteral("Font"));
}

void TextEx::applyFont()
{
    mBox->setFont(mFont->toQFont());
    applyTabWidth();
}

QFont TextEx::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

// Drops ---------------------------------------------------------------------------------

void TextEx::setOLEDropMode(int nValue)
{
    mOLEDropMode = nValue;
    mBox->setAcceptDrops(nValue == 1);
    mBox->viewport()->setAcceptDrops(nValue == 1);
}

// Persisted properties ------------------------------------------------------------------

void TextEx::InitProperties()
{
    setMultiLine(false);
    setScrollBarsAutomatic(true);
    setScrollBars(0);
    setText(objectName());
    auto font = std::make_shared<StdFont>();
    font->assignQFont(ambientFont());
    setFont(font);
    setTabStops(QStringLiteral("32"));
}

std::optional<PropertyError> TextEx::ReadProperties(const PropertyBag& PropBag)
{
    mLoading = true;
    const auto load = [&]() -> std::optional<PropertyError> {
        const Boolean multiLine = toBoolean(PropBag.ReadProperty(QStringLiteral("MultiLine"), false));
        if (!multiLine)
            return multiLine.error();
        setMultiLine(multiLine.value());

        const Boolean automatic = toBoolean(PropBag.ReadProperty(QStringLiteral("ScrollBarsAutomatic"), true));
        if (!automatic)
            return automatic.error();
        setScrollBarsAutomatic(automatic.value());

        const WholeNumber scrollBars = toWholeNumber(PropBag.ReadProperty(QStringLiteral("ScrollBars"), 0));
        if (!scrollBars)
            return scrollBars.error();
        setScrollBars(scrollBars.value());

        const QVariant text = PropBag.ReadProperty(QStringLiteral("Text"), objectName());
        if (!text.canConvert<QString>())
            return PropertyError::TypeMismatch();
        setText(text.toString());

        const QVariant font = PropBag.ReadProperty(QStringLiteral("Font"), ambientFontValue(ambientFont()));
        if (font.typeId() != QMetaType::QVariantMap)
            return PropertyError::TypeMismatch();
        auto loadedFont = std::make_shared<StdFont>();
        loadedFont->assignVariant(font.toMap());
        setFont(loadedFont);

        const WholeNumber dropMode = toWholeNumber(PropBag.ReadProperty(QStringLiteral("OLEDropMode"), 0));
        if (!dropMode)
            return dropMode.error();
        setOLEDropMode(dropMode.value());

        return setTabStops(PropBag.ReadProperty(QStringLiteral("TabStops"), QStringLiteral("32")).toString());
    };
    const std::optional<PropertyError> error = load();
    mLoading = false;
    if (!error)
        SelectBox();
    return error;
}

void TextEx::WriteProperties(PropertyBag& PropBag) const
{
    PropBag.WriteProperty(QStringLiteral("MultiLine"), mMultiLine, false);
    PropBag.WriteProperty(QStringLiteral("Text"), Text(), objectName());
    PropBag.WriteProperty(QStringLiteral("ScrollBars"), mScrollBars, 0);
    PropBag.WriteProperty(QStringLiteral("ScrollBarsAutomatic"), mScrollBarsAutomatic, true);
    PropBag.WriteProperty(QStringLiteral("Font"), mFont->toVariant(), ambientFontValue(ambientFont()));
    PropBag.WriteProperty(QStringLiteral("OLEDropMode"), mOLEDropMode, 0);
    PropBag.WriteProperty(QStringLiteral("TabStops"), mTabStops, 32);
}
