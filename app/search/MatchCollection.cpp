#include "MatchCollection.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

const std::shared_ptr<const MatchData>& emptyData()
{
    static const auto empty = std::make_shared<const MatchData>();
    return empty;
}

} // namespace

OffsetBuffer::~OffsetBuffer()
{
    std::free(mData);
}

void OffsetBuffer::grow(qsizetype count)
{
    const qsizetype capacity = std::max({qsizetype(1024), 2 * mCapacity, mSize + count});
    auto* grown = static_cast<qint32*>(std::realloc(mData, std::size_t(capacity) * sizeof(qint32)));
    if (!grown)
        throw std::bad_alloc();
    mData = grown;
    mCapacity = capacity;
}

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

Match::Match(std::shared_ptr<const MatchData> data, qsizetype match)
    : mData(std::move(data)), mMatch(match)
{
}

qsizetype Match::FirstIndex() const
{
    return mData->offsets[mMatch * mData->stride()];
}

qsizetype Match::Length() const
{
    const qint32* pair = &mData->offsets[mMatch * mData->stride()];
    return pair[1] - pair[0];
}

QString Match::Value() const
{
    return mData->text.mid(FirstIndex(), Length());
}

SubMatches Match::SubMatches() const
{
    return ::SubMatches(mData, mMatch);
}

SubMatches::SubMatches(std::shared_ptr<const MatchData> data, qsizetype match)
    : mData(std::move(data)), mMatch(match)
{
}

int SubMatches::Count() const
{
    return mData->groupCount;
}

qsizetype SubMatches::FirstIndex(int j) const
{
    Q_ASSERT(j >= 0 && j < Count());
    return mData->offsets[mMatch * mData->stride() + 2 * (j + 1)];
}

qsizetype SubMatches::Length(int j) const
{
    Q_ASSERT(j >= 0 && j < Count());
    const qint32* pair = &mData->offsets[mMatch * mData->stride() + 2 * (j + 1)];
    return pair[0] < 0 ? 0 : pair[1] - pair[0];
}

QString SubMatches::Item(int j) const
{
    const qsizetype start = FirstIndex(j);
    return start < 0 ? QString() : mData->text.mid(start, Length(j));
}
