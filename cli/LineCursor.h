#pragma once

#include <QStringView>

/// Walks forward over the lines of a text, where CR LF, a lone CR and a lone LF each end a
/// line, as ^ and $ see them. Numbers are 1-based; positions are UTF-16 code units.
class LineCursor {
public:
    explicit LineCursor(QStringView text);

    /// Moves to the line that holds position (0 <= position <= the text's length); a
    /// position inside a line break belongs to the line the break ends. Never moves back.
    void moveTo(qsizetype position);
    /// Moves to the next line; the last line has none.
    void moveToNext();

    qsizetype number() const { return mNumber; }
    qsizetype start() const { return mStart; }
    /// Where the line's break starts, or the text's length on the last line.
    qsizetype end() const { return mEnd; }
    /// Where the next line starts: the text's length + 1 on the last line.
    qsizetype nextStart() const { return mNextStart; }
    bool isLast() const { return mNextStart > mText.size(); }

    /// The 1-based column of position on the current line.
    qsizetype column(qsizetype position) const { return position - mStart + 1; }

private:
    void findEnd();

    QStringView mText;
    qsizetype mNumber = 1;
    qsizetype mStart = 0;
    qsizetype mEnd = 0;
    qsizetype mNextStart = 0;
};
