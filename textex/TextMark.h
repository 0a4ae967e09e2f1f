#pragma once

#include <QtGlobal>

/// How a mark over the text is drawn.
enum class TextMarkStyle {
    Plain,   ///< a box behind the text
    Current, ///< a stronger box over the text, which shows through the selection
    /// A capturing group of a match in the group's colour (groupColour), over the text: a
    /// translucent box for an outermost group, an outline for a group inside one other group,
    /// and an underline for a group deeper inside.
    Group,
    /// A faint box behind a range set apart from the rest of the text (TextEx::setRangeMark).
    Range,
};

/// A range of the text to mark, in UTF-16 positions. An empty range is drawn as a thin bar
/// at its position, which a box cannot show (there may be no character to cover, as at a
/// line end or at the end of the text); an empty group mark is not drawn.
struct TextMark {
    qsizetype start = 0;
    qsizetype length = 0;
    TextMarkStyle style = TextMarkStyle::Plain;
    /// For Group: the group's number (1 and up), which picks its colour.
    int group = 0;
    /// For Group: how many other groups of the same match hold this one.
    int depth = 0;

    friend bool operator==(const TextMark&, const TextMark&) = default;
};
