#pragma once

#include <QByteArrayView>

class QsciScintillaBase;
class Utf16Blocks;

/// Converts between UTF-16 positions of the text (the units of QString) and the UTF-8 byte
/// positions of a QScintilla document. Each conversion looks up the line through the
/// editor's line indexes and scans within that one line only, so it stays quick on very
/// large texts. A TextExBox whose text was written whole and not edited since has no such
/// index: its text was counted in blocks instead, and a conversion scans one block.
class Utf16Positions {
public:
    explicit Utf16Positions(const QsciScintillaBase& editor);

    /// Switches the editor to UTF-8 and has it keep a UTF-16 start for every line.
    static void enable(QsciScintillaBase& editor);

    /// Number of UTF-16 code units of the whole text.
    long length() const;
    /// The byte position of UTF-16 position nUtf16, limited to the text; a position inside
    /// a surrogate pair gives the pair's start.
    long toBytes(long nUtf16) const;
    /// The UTF-16 position of byte position nBytes, which must start a character.
    long toUtf16(long nBytes) const;

private:
    QByteArrayView text() const;

    const QsciScintillaBase& mEditor;
    const Utf16Blocks* mBlocks = nullptr;
};
