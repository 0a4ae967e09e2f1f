#pragma once

class QsciScintillaBase;

/// The lines a QScintilla editor displays, in byte positions. Without wrapping they are
/// the logical lines; with wrapping, a wrapped logical line counts as several, and no
/// character lies between two displayed lines of one logical line (a position at a wrap
/// point belongs to the later line). Wrapped line numbers are exact for texts of up to
/// kLinesWrappedAtOnce lines, and for longer ones once the editor has wrapped them.
class DisplayLines {
public:
    explicit DisplayLines(const QsciScintillaBase& editor);

    /// Number of displayed lines, at least 1.
    long count() const;
    /// The displayed line that holds byte position nBytes.
    long lineFromPosition(long nBytes) const;
    /// Byte position where displayed line nLine starts; nLine must be below count().
    long lineStart(long nLine) const;
    /// Byte position where the displayed line that holds nBytes ends, before any line break.
    long lineEnd(long nBytes) const;

    /// Texts of up to this many logical lines are wrapped completely before an answer.
    static constexpr long kLinesWrappedAtOnce = 5000;

private:
    long subLineOf(long docLine, long nBytes) const;
    long subLineStart(long docLine, long subLine) const;

    const QsciScintillaBase& mEditor;
    bool mWrapping;
};
