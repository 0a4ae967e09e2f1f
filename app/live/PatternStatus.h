#pragma once

#include <QString>
#include <QtGlobal>

/// What the pattern box tells about its pattern while the user types.
struct PatternStatus {
    enum class State {
        None,     ///< nothing to tell: an empty pattern, or no count known
        Counting, ///< the pattern changed and its count is under way
        Valid,    ///< the pattern compiles and matchCount matches were counted
        Invalid,  ///< the pattern does not compile, or failed on this text
    };

    State state = State::None;
    qsizetype matchCount = 0;
    /// For Invalid: the text the message box of a search shows for the same error.
    QString message;

    /// The count of matches in plain decimal ("1 match", "1234 matches") for Valid, the message for Invalid, empty
    /// for None and Counting.
    QString toolTip() const;

    friend bool operator==(const PatternStatus&, const PatternStatus&) = default;
};
