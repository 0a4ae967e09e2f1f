#include "textex/TextMarks.h"

#include "textex/EmptyMarkBars.h"
#include "textex/GroupColours.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

/// How far beyond what is on screen a very long line is marked, in bytes.
constexpr long kLongLineMargin = 64 * 1024;

const QColor kPlainColor(255, 200, 0);
const QColor kCurrentColor(230, 100, 0);
const QColor kRangeColor(90, 130, 210);
constexpr int kSelectionAlpha = 110;

int defineIndicator(QsciScintilla& editor, const QColor& color, int fillAlpha, int outlineAlpha, bool under,
                    QsciScintilla::IndicatorStyle style = QsciScintilla::FullBoxIndicator)
{
    const int indicator = editor.indicatorDefine(style);
    editor.setIndicatorForegroundColor(color, indicator);
    editor.setIndicatorDrawUnder(under, indicator);
    editor.SendScintilla(Sci::SCI_INDICSETALPHA, static_cast<unsigned long>(indicator), static_cast<long>(fillAlpha));
    editor.SendScintilla(Sci::SCI_INDICSETOUTLINEALPHA, static_cast<unsigned long>(indicator),
                         static_cast<long>(outlineAlpha));
    return indicator;
}

/// An indicator for group marks: each run takes its colour from its value.
int defineGroupIndicator(QsciScintilla& editor, QsciScintilla::IndicatorStyle style, int fillAlpha)
{
    const int indicator = defineIndicator(editor, Qt::black, fillAlpha, 255, false, style);
    editor.SendScintilla(Sci::SCI_INDICSETFLAGS, static_cast<unsigned long>(indicator),
                         static_cast<long>(Sci::SC_INDICFLAG_VALUEBEFORE));
    return indicator;
}

/// The indicator value that has a run drawn in colour.
long colourValue(const QColor& colour)
{
    return Sci::SC_INDICVALUEBIT | (colour.blue() << 16) | (colour.green() << 8) | colour.red();
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
    // Groups inside groups are filled too, so that each adds its colour to the ones around it
    // rather than only a thin outline.
    mGroupIndicators = {defineGroupIndicator(editor, QsciScintilla::StraightBoxIndicator, 70),
                        defineGroupIndicator(editor, QsciScintilla::StraightBoxIndicator, 55),
                        defineGroupIndicator(editor, QsciScintilla::ThickCompositionIndicator, 0)};
    // The selection, which covers the selected match, is drawn translucent over the marks, so
    // that the colours of its groups show through it.
    editor.SendScintilla(Sci::SCI_SETSELALPHA, static_cast<unsigned long>(kSelectionAlpha));
    // The text keeps its own colour under it: the highlighted-text colour, made for an
    // opaque selection, would vanish on the light blend.
    editor.SendScintilla(Sci::SCI_SETSELFORE, 0UL, 0L);
    mRangeIndicator = defineIndicator(editor, kRangeColor, 45, 0, true);
    mBars = new EmptyMarkBars(editor);
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, mBars, qOverload<>(&QWidget::update));
}

int TextMarks::indicator(TextMarkStyle style, int depth) const
{
    switch (style) {
    case TextMarkStyle::Plain:
        break;
    case TextMarkStyle::Current:
        return mCurrentIndicator;
    case TextMarkStyle::Group:
        return mGroupIndicators[static_cast<std::size_t>(std::clamp(depth, 0, 2))];
    case TextMarkStyle::Range:
        return mRangeIndicator;
    }
    return mPlainIndicator;
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
        Q_ASSERT(mark.style != TextMarkStyle::Range);
        if (mark.length == 0) {
            if (mark.style != TextMarkStyle::Group)
                empty.push_back(mark.start);
            continue;
        }
        const long start = positions.toBytes(static_cast<long>(mark.start));
        const long end = positions.toBytes(static_cast<long>(mark.start + mark.length));
        mEditor.SendScintilla(Sci::SCI_SETINDICATORCURRENT,
                              static_cast<unsigned long>(indicator(mark.style, mark.depth)));
        mEditor.SendScintilla(Sci::SCI_SETINDICATORVALUE,
                              mark.style == TextMarkStyle::Group ? colourValue(groupColour(mark.group)) : 1L);
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
    for (const int number : {mPlainIndicator, mCurrentIndicator, mGroupIndicators[0], mGroupIndicators[1],
                             mGroupIndicators[2]}) {
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

std::optional<std::pair<long, long>> TextMarks::rangeBytes() const
{
    const auto indicator = static_cast<unsigned long>(mRangeIndicator);
    const long length = mEditor.SendScintilla(Sci::SCI_GETLENGTH);
    // The mark is one run: edits shorten or lengthen it, but never split it.
    long start = 0;
    if (mEditor.SendScintilla(Sci::SCI_INDICATORVALUEAT, indicator, 0L) == 0)
        start = mEditor.SendScintilla(Sci::SCI_INDICATOREND, indicator, 0L);
    if (start >= length || mEditor.SendScintilla(Sci::SCI_INDICATORVALUEAT, indicator, start) == 0)
        return std::nullopt;
    return std::pair{start, mEditor.SendScintilla(Sci::SCI_INDICATOREND, indicator, start)};
}

std::optional<std::pair<qsizetype, qsizetype>> TextMarks::rangeMark() const
{
    const std::optional<std::pair<long, long>> bytes = rangeBytes();
    if (!bytes)
        return std::nullopt;
    const Utf16Positions positions(mEditor);
    const qsizetype start = positions.toUtf16(bytes->first);
    return std::pair{start, positions.toUtf16(bytes->second) - start};
}

void TextMarks::setRangeMark(const std::optional<std::pair<qsizetype, qsizetype>>& range)
{
    mEditor.SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(mRangeIndicator));
    if (const std::optional<std::pair<long, long>> old = rangeBytes())
        mEditor.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(old->first),
                              old->second - old->first);
    if (!range || range->second <= 0)
        return;
    const Utf16Positions positions(mEditor);
    const long start = positions.toBytes(static_cast<long>(range->first));
    const long end = positions.toBytes(static_cast<long>(range->first + range->second));
    mEditor.SendScintilla(Sci::SCI_SETINDICATORVALUE, 1L);
    mEditor.SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), end - start);
}
