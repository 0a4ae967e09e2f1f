#include "textex/TextMarks.h"

#include "textex/EmptyMarkBars.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

/// How far beyond what is on screen a very long line is marked, in bytes.
constexpr long kLongLineMargin = 64 * 1024;

const QColor kPlainColor(255, 200, 0);
const QColor kCurrentColor(230, 100, 0);

int defineIndicator(QsciScintilla& editor, const QColor& color, int fillAlpha, int outlineAlpha, bool under)
{
    const int indicator = editor.indicatorDefine(QsciScintilla::FullBoxIndicator);
    editor.setIndicatorForegroundColor(color, indicator);
    editor.setIndicatorDrawUnder(under, indicator);
    editor.SendScintilla(Sci::SCI_INDICSETALPHA, static_cast<unsigned long>(indicator), static_cast<long>(fillAlpha));
    editor.SendScintilla(Sci::SCI_INDICSETOUTLINEALPHA, static_cast<unsigned long>(indicator),
                         static_cast<long>(outlineAlpha));
    return indicator;
}

/// The start of the character that holds byte position.
long characterStart(const QsciScintilla& editor, long position)
{
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    if (position <= 0 || position >= length)
        return std::clamp(position, 0L, length);
    return editor.SendScintilla(Sci::SCI_POSITIONBEFORE, static_cast<unsigned long>(position + 1));
}

} // namespace

TextMarks::TextMarks(QsciScintilla& editor) : QObject(&editor), mEditor(editor)
{
    mPlainIndicator = defineIndicator(editor, kPlainColor, 90, 200, true);
    // Drawn over the text, so that it shows through the selection that covers the mark.
    mCurrentIndicator = defineIndicator(editor, kCurrentColor, 60, 255, false);
    mBars = new EmptyMarkBars(editor);
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, mBars, qOverload<>(&QWidget::update));
}

int TextMarks::indicator(TextMarkStyle style) const
{
    return style == TextMarkStyle::Current ? mCurrentIndicator : mPlainIndicator;
}

std::pair<qsizetype, qsizetype> TextMarks::markableRange() const
{
    const QsciScintilla& view = mEditor;
    const long firstShown = view.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
    const long onScreen = std::max(1L, view.SendScintilla(Sci::SCI_LINESONSCREEN));
    const long firstLine =
        view.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(std::max(0L, firstShown - onScreen)));
    const long lastLine =
        view.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(firstShown + 2 * onScreen));
    long from = view.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(firstLine));
    long to = view.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lastLine));

    const QRect area = view.viewport()->rect();
    const long topLeft = view.SendScintilla(Sci::SCI_POSITIONFROMPOINT, 0UL, 0L);
    const long bottomRight = view.SendScintilla(Sci::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(area.width()),
                                                static_cast<long>(area.height()));
    from = characterStart(view, std::max(from, topLeft - kLongLineMargin));
    to = characterStart(view, std::min(to, bottomRight + kLongLineMargin));
    if (!mRange || mRange->fromByte != from || mRange->toByte != to) {
        const Utf16Positions positions(mEditor);
        mRange = Range{from, to, positions.toUtf16(from), positions.toUtf16(to)};
    }
    return {mRange->from, mRange->to};
}

void TextMarks::setMarks(const std::vector<TextMark>& marks)
{
    clear();
    const Utf16Positions positions(mEditor);
    std::vector<qsizetype> empty;
    for (const TextMark& mark : marks) {
        if (mark.length == 0) {
            empty.push_back(mark.start);
            continue;
        }
        const long start = positions.toBytes(static_cast<long>(mark.start));
        const long end = positions.toBytes(static_cast<long>(mark.start + mark.length));
        mEditor.SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator(mark.style)));
        mEditor.SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), end - start);
    }
    mDrawn = !marks.empty();
    mBars->setPositions(std::move(empty));
}

void TextMarks::clear()
{
    if (!mDrawn)
        return;
    // The marks move with edits, so they are found where they are now: the editor keeps an
    // indicator as runs, and only the marked runs are cleared. Clearing the whole text at
    // once would have the editor wrap every line of it again.
    const long length = mEditor.SendScintilla(Sci::SCI_GETLENGTH);
    for (const int number : {mPlainIndicator, mCurrentIndicator}) {
        const auto indicator = static_cast<unsigned long>(number);
        mEditor.SendScintilla(Sci::SCI_SETINDICATORCURRENT, indicator);
        long position = 0;
        while (position < length) {
            const long end = mEditor.SendScintilla(Sci::SCI_INDICATOREND, indicator, position);
            if (end <= position)
                break;
            if (mEditor.SendScintilla(Sci::SCI_INDICATORVALUEAT, indicator, position) != 0)
                mEditor.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(position), end - position);
            position = end;
        }
    }
    mDrawn = false;
    mBars->setPositions({});
}
