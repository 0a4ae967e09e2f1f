#include "live/MatchHighlighter.h"

#include "live/EmptyMatchMarkers.h"
#include "textex/TextEx.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

/// How far beyond what is on screen a very long line is styled, in bytes.
constexpr long kLongLineMargin = 64 * 1024;

const QColor kMatchColor(255, 200, 0);
const QColor kSelectedColor(230, 100, 0);

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

MatchHighlighter::MatchHighlighter(TextEx& document) : QObject(&document), mDocument(document)
{
    QsciScintilla& view = editor();
    mMatchIndicator = defineIndicator(view, kMatchColor, 90, 200, true);
    // Drawn over the text, so that it shows through the selection that covers the match.
    mSelectedIndicator = defineIndicator(view, kSelectedColor, 60, 255, false);
    mMarkers = new EmptyMatchMarkers(view);
    connect(&view, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) {
        scheduleRefresh();
        mMarkers->update();
    });
    connect(&view, &QsciScintillaBase::SCN_PAINTED, this, &MatchHighlighter::scheduleRefresh);
}

MatchHighlighter::~MatchHighlighter() = default;

QsciScintilla& MatchHighlighter::editor() const
{
    return *mDocument.hwnd();
}

void MatchHighlighter::setMatches(const MatchCollection& matches)
{
    mMatches = matches;
    ++mMatchesVersion;
    refresh();
}

std::pair<long, long> MatchHighlighter::styledByteRange() const
{
    const QsciScintilla& view = editor();
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
    return {from, to};
}

void MatchHighlighter::scheduleRefresh()
{
    if (mRefreshQueued)
        return;
    mRefreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            mRefreshQueued = false;
            refresh();
        },
        Qt::QueuedConnection);
}

void MatchHighlighter::refresh()
{
    if (mMatches.Count() == 0 && mShown.empty()) {
        mStyled.matchesVersion = mMatchesVersion;
        return;
    }
    const auto [fromByte, toByte] = styledByteRange();
    const Styled wanted{fromByte, toByte, mDocument.SelStart(), mDocument.SelLength(), mMatchesVersion};
    if (wanted == mStyled)
        return;

    clearIndicators();
    mStyled = wanted;
    const Utf16Positions positions(editor());
    const qsizetype from = positions.toUtf16(fromByte);
    const qsizetype to = positions.toUtf16(toByte);
    mShown = highlightRanges(mMatches, from, to, wanted.selStart, wanted.selLength);

    QsciScintilla& view = editor();
    for (const HighlightRange& range : mShown) {
        if (range.kind == HighlightKind::Empty)
            continue;
        const long start = positions.toBytes(static_cast<long>(range.start));
        const long end = positions.toBytes(static_cast<long>(range.start + range.length));
        const int indicator = range.kind == HighlightKind::Selected ? mSelectedIndicator : mMatchIndicator;
        view.SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
        view.SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), end - start);
    }
    mMarkers->setRanges(mShown);
}

void MatchHighlighter::clearIndicators()
{
    if (mShown.empty())
        return;
    QsciScintilla& view = editor();
    // The marks move with edits, so they are found where they are now: the editor keeps an
    // indicator as runs, and only the marked runs are cleared. Clearing the whole text at
    // once would have the editor wrap every line of it again.
    const long length = view.SendScintilla(Sci::SCI_GETLENGTH);
    for (const int indicator : {mMatchIndicator, mSelectedIndicator}) {
        const auto number = static_cast<unsigned long>(indicator);
        view.SendScintilla(Sci::SCI_SETINDICATORCURRENT, number);
        long position = 0;
        while (position < length) {
            const long end = view.SendScintilla(Sci::SCI_INDICATOREND, number, position);
            if (end <= position)
                break;
            if (view.SendScintilla(Sci::SCI_INDICATORVALUEAT, number, position) != 0)
                view.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(position), end - position);
            position = end;
        }
    }
    mShown.clear();
    mMarkers->setRanges(mShown);
}
