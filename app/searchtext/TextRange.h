#pragma once

#include <QtGlobal>

/// A part of a text, [start, start + length) in UTF-16 positions.
struct TextRange {
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }

    friend bool operator==(const TextRange&, const TextRange&) = default;
};
