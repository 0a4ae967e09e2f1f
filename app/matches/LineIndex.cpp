#include "matches/LineIndex.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr qsizetype kBlock = 4096;

/// Whether a line ends at i: a LF, or a CR that no LF follows.
bool endsLine(const char16_t* data, qsizetype size, qsizetype i)
{
    return data[i] == u'\n' || (data[i] == u'\r' && (i + 1 == size || data[i + 1] != u'\n'));
}

} // namespace

LineIndex::LineIndex(const QString& text) : mText(text) {}

std::shared_ptr<const LineIndex> LineIndex::build(const QString& text, const std::atomic_bool* cancel)
{
    auto index = std::shared_ptr<LineIndex>(new LineIndex(text));
    const auto* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    const qsizetype blocks = size / kBlock + 1;
    index->mLine.reserve(std::size_t(blocks));
    index->mLineStart.reserve(std::size_t(blocks));
    qsizetype line = 1;
    qsizetype lineStart = 0;
    for (qsizetype block = 0; block < blocks; ++block) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return nullptr;
        index->mLine.push_back(line);
        index->mLineStart.push_back(lineStart);
        const qsizetype begin = block * kBlock;
        const qsizetype end = std::min(size, begin + kBlock);
        // Counted without a branch, which the compiler turns into vector code: a LF, or a CR
        // that no LF follows. The CR LF that straddles the block's end is decided by the
        // first unit of the next block, or by the end of the text.
        // A 16-bit count, as wide as the units compared, keeps every lane of the vector busy.
        std::uint16_t breaks = 0;
        const qsizetype inner = end < size ? end : end - 1;
        for (qsizetype i = begin; i < inner; ++i)
            breaks += std::uint16_t((data[i] == u'\n') | ((data[i] == u'\r') & (data[i + 1] != u'\n')));
        if (inner < end)
            breaks += data[inner] == u'\n' || data[inner] == u'\r';
        if (breaks == 0)
            continue;
        line += breaks;
        qsizetype last = end - 1;
        while (!endsLine(data, size, last))
            --last;
        lineStart = last + 1;
    }
    return index;
}

TextPlace LineIndex::place(qsizetype position) const
{
    Q_ASSERT(position >= 0 && position <= mText.size());
    const qsizetype block = position / kBlock;
    qsizetype line = mLine[std::size_t(block)];
    qsizetype lineStart = mLineStart[std::size_t(block)];
    const auto* data = reinterpret_cast<const char16_t*>(mText.constData());
    for (qsizetype i = block * kBlock; i < position; ++i) {
        if (data[i] <= u'\r' && endsLine(data, mText.size(), i)) {
            ++line;
            lineStart = i + 1;
        }
    }
    return {line, position - lineStart + 1};
}
