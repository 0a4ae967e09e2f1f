#pragma once

#include "live/HighlightRanges.h"
#include "regex/MatchCollection.h"

#include <QObject>

#include <vector>

class TextEx;

/// Draws matches in a TextEx: a box behind every match, a stronger one on the selected
/// match, and a thin bar at every zero-length match; with group colours, the capturing
/// groups of the selected match, or of every match, each in its group's colour. Only the lines on screen and a screen's
/// height above and below are marked, again whenever the view scrolls, resizes or the
/// selection moves, so a text with a million matches costs no more than a short one.
///
/// The matches must belong to the document's current text; drop them (setMatches with an
/// empty collection) as soon as the text changes.
class MatchHighlighter : public QObject {
    Q_OBJECT
public:
    explicit MatchHighlighter(TextEx& document);
    ~MatchHighlighter() override;

    void setMatches(const MatchCollection& matches);

    /// Which matches show their groups in colour.
    enum class GroupColours { Off, SelectedMatch, EveryMatch };
    void setGroupColours(GroupColours colours);

    /// What is drawn now, in UTF-16 positions.
    const std::vector<HighlightRange>& shownRanges() const { return mShown; }
    /// The editor indicators used for matches and for the selected match.
    int matchIndicator() const;
    int selectedIndicator() const;

    /// Marks the visible part again when it, the selection or the matches changed since
    /// the last time; the view has it done by itself after scrolling and painting.
    void refresh();

private:
    /// Has refresh run from the event loop. The editor reports scrolling and painting while
    /// it paints, and a mark changed during a paint would have it wrap every line below
    /// the first one on screen again.
    void scheduleRefresh();

    struct Styled {
        qsizetype from = 0;
        qsizetype to = 0;
        int selStart = 0;
        int selLength = 0;
        quint64 matchesVersion = 0;
        GroupColours groupColours = GroupColours::Off;

        friend bool operator==(const Styled&, const Styled&) = default;
    };

    TextEx& mDocument;
    MatchCollection mMatches;
    quint64 mMatchesVersion = 0;
    GroupColours mGroupColours = GroupColours::Off;
    bool mRefreshQueued = false;
    Styled mStyled;
    std::vector<HighlightRange> mShown;
};
