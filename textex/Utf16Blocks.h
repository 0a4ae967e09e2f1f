#pragma once

#include <QByteArrayView>

#include <vector>

/// The UTF-16 positions of a UTF-8 text, counted once in blocks of a few kilobytes: each
/// conversion scans at most one block. The text is the one the counts were made from, as
/// valid UTF-8; a 4-byte sequence counts two UTF-16 units, any other one.
class Utf16Blocks {
public:
    explicit Utf16Blocks(QByteArrayView text);

    /// Number of UTF-16 code units of the whole text.
    qsizetype length() const { return mLength; }
    /// The byte position of UTF-16 position nUtf16, limited to the text; a position inside
    /// a surrogate pair gives the pair's start.
    qsizetype toBytes(QByteArrayView text, qsizetype nUtf16) const;
    /// The UTF-16 position of byte position nBytes, which must start a character.
    qsizetype toUtf16(QByteArrayView text, qsizetype nBytes) const;

private:
    /// UTF-16 units of the text before each block.
    std::vector<qsizetype> mStarts;
    qsizetype mLength = 0;
};
