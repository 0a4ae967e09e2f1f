#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

/// A place in a text as people count it: 1-based line and column, the column in UTF-16 code units.
struct TextPlace {
    qsizetype line = 1;
    qsizetype column = 1;

    friend bool operator==(const TextPlace&, const TextPlace&) = default;
};

/// Finds the line and column of any position of a text without walking the text each time.
/// Lines end where ^ and $ see them end: at CR LF, at a lone CR and at a lone LF; a position
/// inside CR LF belongs to the line the break ends. Building walks the text once and keeps,
/// for every block of a few thousand code units, the line its first position is on, so a
/// lookup walks at most one block. Immutable once built, so any thread may read it.
class LineIndex {
public:
    /// Indexes text (shared, not copied); nothing when cancel was raised meanwhile.
    static std::shared_ptr<const LineIndex> build(const QString& text, const std::atomic_bool* cancel = nullptr);

    /// The place of position, 0 <= position <= the text's length.
    TextPlace place(qsizetype position) const;
    /// The indexed text.
    const QString& text() const { return mText; }

private:
    explicit LineIndex(const QString& text);

    QString mText;
    /// Per block: the line and the start of the line that hold the block's first position.
    std::vector<qsizetype> mLine;
    std::vector<qsizetype> mLineStart;
};
