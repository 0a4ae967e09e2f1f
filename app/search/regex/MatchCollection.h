#pragma once

#include "regex/GrowingBuffers.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class MatchCollection;
class Match;
struct MatchData;

/// What Match and SubMatches look at: one match of a collection, kept alive by shared ownership.
class MatchView {
protected:
    MatchView(std::shared_ptr<const MatchData> data, qsizetype match);
    /// Start of group (0 is the whole match), -1 when it took no part.
    qsizetype start(int group) const;
    /// Length of group, 0 when it took no part.
    qsizetype length(int group) const;
    /// Text of group, empty when it took no part.
    QString text(int group) const;

    std::shared_ptr<const MatchData> mData;
    qsizetype mMatch = 0;
};

/// The texts captured by the groups of one match: a cheap view into its collection.
class SubMatches : private MatchView {
public:
    /// Number of capturing groups of the pattern (also for groups that took no part).
    int Count() const;
    /// Text of group j + 1 (0 <= j < Count()); empty when the group took no part.
    QString Item(int j) const;
    /// Start of group j + 1 in the searched text, -1 when the group took no part.
    qsizetype FirstIndex(int j) const;
    /// Length of group j + 1, 0 when the group took no part.
    qsizetype Length(int j) const;

private:
    friend class Match;
    using MatchView::MatchView;
};

/// One match: a cheap view into its collection; Value() builds the text only when asked.
class Match : private MatchView {
public:
    /// Start in UTF-16 code units of the searched text.
    qsizetype FirstIndex() const;
    /// Length in UTF-16 code units; 0 occurs. FirstIndex() + Length() never exceeds the text's length.
    qsizetype Length() const;
    QString Value() const;
    class SubMatches SubMatches() const;

private:
    friend class MatchCollection;
    using MatchView::MatchView;
};

/// Offsets of every match and group, kept compactly, and the searched text (shared, not copied).
struct MatchData {
    QString text;
    int groupCount = 0;
    /// Per match, (groupCount + 1) pairs of start and end; -1, -1 for a group that took no part.
    OffsetBuffer offsets;

    qsizetype stride() const { return 2 * (qsizetype(groupCount) + 1); }
};

/// All matches of one Execute, in text order.
class MatchCollection {
public:
    MatchCollection();
    explicit MatchCollection(std::shared_ptr<const MatchData> data);

    qsizetype Count() const;
    /// Match i, 0 <= i < Count().
    Match Item(qsizetype i) const;
    /// Number of capturing groups of the pattern.
    int GroupCount() const;
    /// The searched text.
    const QString& Text() const;

private:
    std::shared_ptr<const MatchData> mData;
};
