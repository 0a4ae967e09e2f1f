#include "regex/MatchCollection.h"


namespace {

const std::shared_ptr<const MatchData>& emptyData()
{
    static const auto empty = std::make_shared<const MatchData>();
    return empty;
}

} // namespace

MatchCollection::MatchCollection() : mData(emptyData()) {}

MatchCollection::MatchCollection(std::shared_ptr<const MatchData> data) : mData(std::move(data)) {}

qsizetype MatchCollection::Count() const
{
    return qsizetype(mData->offsets.size()) / mData->stride();
}

Match MatchCollection::Item(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < Count());
    return Match(mData, i);
}

int MatchCollection::GroupCount() const
{
    return mData->groupCount;
}

const QString& MatchCollection::Text() const
{
    return mData->text;
}

MatchView::MatchView(std::shared_ptr<const MatchData> data, qsizetype match)
    : mData(std::move(data)), mMatch(match)
{
}

qsizetype MatchView::start(int group) const
{
    return mData->offsets[mMatch * mData->stride() + 2 * group];
}

qsizetype MatchView::length(int group) const
{
    const qint32* pair = &mData->offsets[mMatch * mData->stride() + 2 * group];
    return pair[0] < 0 ? 0 : pair[1] - pair[0];
}

QString MatchView::text(int group) const
{
    const qsizetype begin = start(group);
    return begin < 0 ? QString() : mData->text.mid(begin, length(group));
}

qsizetype Match::FirstIndex() const
{
    return start(0);
}

qsizetype Match::Length() const
{
    return length(0);
}

QString Match::Value() const
{
    return text(0);
}

SubMatches Match::SubMatches() const
{
    return ::SubMatches(mData, mMatch);
}

int SubMatches::Count() const
{
    return mData->groupCount;
}

qsizetype SubMatches::FirstIndex(int j) const
{
    Q_ASSERT(j >= 0 && j < Count());
    return start(j + 1);
}

qsizetype SubMatches::Length(int j) const
{
    Q_ASSERT(j >= 0 && j < Count());
    return length(j + 1);
}

QString SubMatches::Item(int j) const
{
    Q_ASSERT(j >= 0 && j < Count());
    return text(j + 1);
}
