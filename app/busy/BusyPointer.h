#pragma once

#include <QtGlobal>

/// Texts at least this long (UTF-16 code units, about 8 MB) take a noticeable time to
/// put into the editor.
inline constexpr qsizetype kLargeTextLength = qsizetype(4) << 20;

/// Shows the busy pointer for its lifetime when show is true: for a step that must block
/// the user-interface thread, such as putting a large text into the editor, and so cannot
/// wait to show it until half a second has passed.
class BusyPointer {
public:
    explicit BusyPointer(bool show);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool mShown;
};
