#include "live/MatchHighlighter.h"

#include "textex/TextEx.h"

namespace {

TextMark markOf(const HighlightRange& range)
{
    return {range.start, range.length,
            range.kind == HighlightKind::Selected ? TextMarkStyle::Current : TextMarkStyle::Plain};
}

} // namespace

MatchHighlighter::MatchHighlighter(TextEx& document) : QObject(&document), mDocument(document)
{
    connect(&document, &TextEx::viewChanged, this, &MatchHighlighter::scheduleRefresh);
}

MatchHighlighter::~MatchHighlighter() = default;

int MatchHighlighter::matchIndicator() const
{
    return mDocument.markIndicator(TextMarkStyle::Plain);
}

int MatchHighlighter::selectedIndicator() const
{
    return mDocument.markIndicator(TextMarkStyle::Current);
}

void MatchHighlighter::setMatches(const MatchCollection& matches)
{
    mMatches = matches;
    ++mMatchesVersion;
    refresh();
}

void MatchHighlighter::setGroupColours(GroupColours colours)
{
    mGroupColours = colours;
    refresh();
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
    const auto [from, to] = mDocument.markableRange();
    const Styled wanted{from, to, mDocument.SelStart(), mDocument.SelLength(), mMatchesVersion, mGroupColours};
    if (wanted == mStyled)
        return;

    mStyled = wanted;
    mShown = highlightRanges(mMatches, from, to, wanted.selStart, wanted.selLength);
    std::vector<TextMark> marks;
    marks.reserve(mShown.size());
    for (const HighlightRange& range : mShown)
        marks.push_back(markOf(range));
    if (mGroupColours != GroupColours::Off) {
        for (const GroupRange& group : groupRanges(mMatches, from, to, wanted.selStart, wanted.selLength,
                                                   mGroupColours == GroupColours::EveryMatch))
            marks.push_back({group.start, group.length, TextMarkStyle::Group, group.group, group.depth});
    }
    mDocument.setMarks(marks);
}
