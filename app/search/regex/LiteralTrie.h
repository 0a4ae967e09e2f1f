#pragma once

#include <QString>

#include <cstdint>
#include <vector>

/// Any of many plain texts searched at once in one pass over the text: a trie of their code
/// units with failure links (Aho-Corasick), so that the search reads each code unit once
/// whatever the number and length of the texts. The result is PCRE2's for the texts as the
/// alternatives of a pattern: the earliest place where one of them occurs, and there the first
/// in their order (not the longest). Under Ignore Case two code units are equal when their
/// canonical forms are (CaseFolding), as the pattern flavour folds them.
class LiteralTrie {
public:
    /// texts in pattern order; none may be empty.
    LiteralTrie(const std::vector<QString>& texts, bool ignoreCase);

    /// The first match that starts at or after from: its start and end. False when none starts
    /// before last (from < last <= length), which ends the search early so that its caller
    /// regains control; a later match may still be found instead.
    bool find(const char16_t* text, qsizetype length, qsizetype from, qsizetype last, qsizetype& start,
              qsizetype& end) const;

private:
    static constexpr std::int32_t kNone = INT32_MAX;

    /// A node stands for a prefix of some texts; its edges are sorted by code unit.
    struct Node {
        std::int32_t firstEdge = 0;
        std::int32_t edgeCount = 0;
        std::int32_t depth = 0;
        /// The first text in pattern order that ends here, or kNone.
        std::int32_t text = kNone;
        /// The first text in pattern order that ends here or in a node below.
        std::int32_t first = kNone;
        /// The node of the longest proper suffix of this prefix that is a prefix too.
        std::int32_t fail = 0;
        /// The node of the longest suffix of this prefix (itself included) that is a whole
        /// text, or -1.
        std::int32_t output = -1;
    };

    void build(const std::vector<QString>& keys);
    void linkFailures();
    template <bool kFold>
    bool search(const char16_t* text, qsizetype length, qsizetype from, qsizetype last, qsizetype& start,
                qsizetype& end) const;
    /// The node below node along the code unit c, or -1.
    std::int32_t child(std::int32_t node, char16_t c) const;
    /// Where the search goes from node on reading c: the longest prefix that the text read ends with.
    std::int32_t next(std::int32_t node, char16_t c) const;

    bool mIgnoreCase = false;
    std::vector<Node> mNodes;
    std::vector<char16_t> mEdgeUnits;
    std::vector<std::int32_t> mEdgeTargets;
    /// The node below the root along each code unit, or -1: the root has a child for every
    /// first code unit, up to 65536 of them.
    std::vector<std::int32_t> mFirstNodes;
};
