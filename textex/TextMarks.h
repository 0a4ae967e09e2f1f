#pragma once

#include "textex/TextMark.h"

#include <QObject>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class EmptyMarkBars;
class QsciScintilla;

/// The marks drawn over an editor's text: editor indicators for the non-empty ones and a
/// layer of bars for the empty ones. Converts their UTF-16 positions to the editor's bytes.
class TextMarks : public QObject {
    Q_OBJECT
public:
    explicit TextMarks(QsciScintilla& editor);

    /// See TextEx::markableRange.
    std::pair<qsizetype, qsizetype> markableRange() const;
    /// See TextEx::setMarks.
    void setMarks(const std::vector<TextMark>& marks);
    /// See TextEx::setRangeMark and TextEx::rangeMark.
    void setRangeMark(const std::optional<std::pair<qsizetype, qsizetype>>& range);
    std::optional<std::pair<qsizetype, qsizetype>> rangeMark() const;
    /// The indicator that draws marks of style; for Group, of a group that depth groups hold.
    int indicator(TextMarkStyle style, int depth = 0) const;
    /// The text changed: positions converted before no longer hold.
    void textChanged() { mRange.reset(); }

private:
    /// A range in bytes and in UTF-16 positions.
    struct Range {
        long fromByte = 0;
        long toByte = 0;
        qsizetype from = 0;
        qsizetype to = 0;
    };

    void clear();
    /// Where the range mark lies now, in bytes; nothing when none.
    std::optional<std::pair<long, long>> rangeBytes() const;

    QsciScintilla& mEditor;
    EmptyMarkBars* mBars = nullptr;
    int mPlainIndicator = -1;
    int mCurrentIndicator = -1;
    /// For groups held by no other group, by one, and by more.
    std::array<int, 3> mGroupIndicators{-1, -1, -1};
    int mRangeIndicator = -1;
    bool mDrawn = false;
    /// The last markable range; the view asks for it at every repaint, and converting it
    /// scans within its lines, which may be very long.
    mutable std::optional<Range> mRange;
};
