#include "journal/GapText.h"

#include <algorithm>
#include <cstring>
#include <utility>

GapText::GapText(QString text)
    : mText(std::move(text)), mGapStart(mText.size())
{
}

bool GapText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    if (position < 0 || removed < 0 || position > size() || removed > size() - position)
        return false;
    moveGapTo(position + removed);
    mGapStart -= removed;
    mGap += removed;
    growGap(inserted.size());
    std::memcpy(mText.data() + mGapStart, inserted.data(), size_t(inserted.size()) * sizeof(QChar));
    mGapStart += inserted.size();
    mGap -= inserted.size();
    return true;
}

void GapText::moveGapTo(qsizetype position)
{
    QChar* data = mText.data();
    if (position < mGapStart)
        std::memmove(data + position + mGap, data + position, size_t(mGapStart - position) * sizeof(QChar));
    else if (position > mGapStart)
        std::memmove(data + mGapStart, data + mGapStart + mGap, size_t(position - mGapStart) * sizeof(QChar));
    mGapStart = position;
}

void GapText::growGap(qsizetype needed)
{
    if (needed <= mGap)
        return;
    const qsizetype after = mText.size() - mGapStart - mGap;
    const qsizetype grown = std::max(needed - mGap, std::max<qsizetype>(4096, size() / 8));
    mText.resize(mText.size() + grown);
    QChar* data = mText.data();
    std::memmove(data + mText.size() - after, data + mGapStart + mGap, size_t(after) * sizeof(QChar));
    mGap += grown;
}

QString GapText::take()
{
    moveGapTo(size());
    mText.truncate(mGapStart);
    mGap = 0;
    mGapStart = 0;
    return std::exchange(mText, QString());
}
