#pragma once

#include <QtGlobal>

/// How a mark over the text is drawn.
enum class TextMarkStyle {
    Plain,   ///< a box behind the text
    Current, ///< a stronger box over the text, which shows through the selection
};

/// A range of the text to mark, in UTF-16 positions. An empty range is drawn as a thin bar
/// at its position, which a box cannot show (there may be no character to cover, as at a
/// line end or at the end of the text).
struct TextMark {
    qsizetype start = 0;
    qsizetype length = 0;
    TextMarkStyle style = TextMarkStyle::Plain;

    friend bool operator==(const TextMark&, const TextMark&) = default;
};
