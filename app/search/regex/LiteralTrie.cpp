#include "regex/LiteralTrie.h"

#include "regex/CaseFolding.h"

#include <QStringView>

#include <algorithm>
#include <numeric>

namespace {

template <bool kFold>
char16_t folded(char16_t c)
{
    if constexpr (kFold)
        return CaseFolding::canonical(c);
    return c;
}

} // namespace

LiteralTrie::LiteralTrie(const std::vector<QString>& texts, bool ignoreCase)
    : mIgnoreCase(ignoreCase), mFirstNodes(0x10000, -1)
{
    std::vector<QString> keys = texts;
    if (ignoreCase) {
        for (QString& key : keys)
            for (QChar& c : key)
                c = QChar(CaseFolding::canonical(c.unicode()));
    }
    build(keys);
    linkFailures();
}

void LiteralTrie::build(const std::vector<QString>& keys)
{
    std::vector<std::int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return QStringView(keys[std::size_t(a)]).compare(keys[std::size_t(b)]) < 0;
    });
    auto key = [&](std::int32_t i) -> const QString& { return keys[std::size_t(order[std::size_t(i)])]; };

    // Breadth first over ranges of the sorted keys that share a prefix as long as the range's
    // node is deep: a key that ends there sorts first in its range, and the rest fall into
    // one child range for each code unit that follows. Nodes are numbered breadth first, and
    // no recursion lets a very long text exhaust the stack.
    struct Range {
        std::int32_t node;
        std::int32_t begin;
        std::int32_t end;
    };
    mNodes.emplace_back();
    std::vector<Range> ranges{{0, 0, std::int32_t(order.size())}};
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        const Range range = ranges[r];
        const std::int32_t depth = mNodes[std::size_t(range.node)].depth;
        std::int32_t text = kNone;
        std::int32_t i = range.begin;
        for (; i < range.end && key(i).size() == depth; ++i) {
            Q_ASSERT(depth > 0); // no text is empty
            text = std::min(text, order[std::size_t(i)]);
        }
        const auto firstEdge = std::int32_t(mEdgeUnits.size());
        while (i < range.end) {
            const char16_t c = key(i)[depth].unicode();
            std::int32_t j = i + 1;
            while (j < range.end && key(j)[depth].unicode() == c)
                ++j;
            const auto node = std::int32_t(mNodes.size());
            mNodes.emplace_back().depth = depth + 1;
            mEdgeUnits.push_back(c);
            mEdgeTargets.push_back(node);
            ranges.push_back({node, i, j});
            i = j;
        }
        // Taken after the loop, which adds nodes and may move them.
        Node& node = mNodes[std::size_t(range.node)];
        node.text = text;
        node.firstEdge = firstEdge;
        node.edgeCount = std::int32_t(mEdgeUnits.size()) - firstEdge;
    }
    const Node& root = mNodes.front();
    for (std::int32_t e = root.firstEdge; e < root.firstEdge + root.edgeCount; ++e)
        mFirstNodes[mEdgeUnits[std::size_t(e)]] = mEdgeTargets[std::size_t(e)];
}

void LiteralTrie::linkFailures()
{
    // Breadth first: a node's failure and output lead to shallower nodes, done before it.
    for (std::size_t n = 0; n < mNodes.size(); ++n) {
        const Node& node = mNodes[n];
        for (std::int32_t e = node.firstEdge; e < node.firstEdge + node.edgeCount; ++e) {
            const std::int32_t target = mEdgeTargets[std::size_t(e)];
            Node& below = mNodes[std::size_t(target)];
            below.fail = n == 0 ? 0 : next(node.fail, mEdgeUnits[std::size_t(e)]);
            below.output = below.text != kNone ? target : mNodes[std::size_t(below.fail)].output;
        }
    }
    // Every node comes after its parent, so going backwards sees the children first.
    for (std::size_t n = mNodes.size(); n-- > 0;) {
        Node& node = mNodes[n];
        node.first = node.text;
        for (std::int32_t e = node.firstEdge; e < node.firstEdge + node.edgeCount; ++e)
            node.first = std::min(node.first, mNodes[std::size_t(mEdgeTargets[std::size_t(e)])].first);
    }
}

inline std::int32_t LiteralTrie::child(std::int32_t node, char16_t c) const
{
    if (node == 0)
        return mFirstNodes[c];
    const Node& at = mNodes[std::size_t(node)];
    const auto begin = mEdgeUnits.begin() + at.firstEdge;
    const auto end = begin + at.edgeCount;
    const auto edge = std::lower_bound(begin, end, c);
    return edge != end && *edge == c ? mEdgeTargets[std::size_t(edge - mEdgeUnits.begin())] : -1;
}

inline std::int32_t LiteralTrie::next(std::int32_t node, char16_t c) const
{
    for (;;) {
        if (const std::int32_t below = child(node, c); below >= 0)
            return below;
        if (node == 0)
            return 0;
        node = mNodes[std::size_t(node)].fail;
    }
}

bool LiteralTrie::find(const char16_t* text, qsizetype length, qsizetype from, qsizetype last, qsizetype& start,
                       qsizetype& end) const
{
    return mIgnoreCase ? search<true>(text, length, from, last, start, end)
                       : search<false>(text, length, from, last, start, end);
}

template <bool kFold>
bool LiteralTrie::search(const char16_t* text, qsizetype length, qsizetype from, qsizetype last,
                         qsizetype& start, qsizetype& end) const
{
    // The node is the longest prefix of a text that the text read ends with: no match can
    // start before alive. A match found is kept until nothing still alive can start earlier,
    // or start at the same place with a text earlier in pattern order.
    std::int32_t node = 0;
    std::int32_t best = kNone;
    for (qsizetype p = from; p < length; ++p) {
        node = next(node, folded<kFold>(text[p]));
        const Node& at = mNodes[std::size_t(node)];
        const qsizetype alive = p + 1 - at.depth;
        if (at.output >= 0) {
            const Node& found = mNodes[std::size_t(at.output)];
            const qsizetype foundStart = p + 1 - found.depth;
            if (best == kNone || foundStart < start || (foundStart == start && found.text < best)) {
                best = found.text;
                start = foundStart;
                end = p + 1;
            }
        }
        if (best == kNone ? alive >= last : alive > start || (alive == start && at.first >= best))
            break;
    }
    return best != kNone;
}

