#include "journal/GapText.h"

#include "platform/FreshText.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <utility>

GapText::GapText(QString text)
    : mText(std::move(text)), mGapStart(mText.size())
{
}

GapText GapText::fromUtf8(QByteArrayView utf8, qsizetype firstEdit)
{
    // A UTF-8 text never has more UTF-16 code units than bytes.
    const qsizetype room = std::max<qsizetype>(4096, utf8.size() / 8);
    const bool roomFirst = firstEdit >= 0 && firstEdit < utf8.size() / 2;
    QString buffer = freshText(utf8.size() + room);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QChar* start = buffer.data() + (roomFirst ? room : 0);
    const qsizetype length = decoder.appendToBuffer(start, utf8) - start;
    GapText text;
    if (roomFirst) {
        buffer.truncate(room + length);
        text.mGapStart = 0;
        text.mGap = room;
    } else {
        text.mGapStart = length;
        text.mGap = buffer.size() - length;
    }
    text.mText = std::move(buffer);
    return text;
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
    if (mGap == 0) {
        mGapStart = position;
        return;
    }
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
    // The shorter side moves to close the gap; text cut off the front of a QString costs
    // nothing to drop.
    if (mGapStart < size() - mGapStart) {
        QChar* data = mText.data();
        std::memmove(data + mGap, data, size_t(mGapStart) * sizeof(QChar));
        mText.remove(0, mGap);
    } else {
        moveGapTo(size());
        mText.truncate(mGapStart);
    }
    mGap = 0;
    mGapStart = 0;
    return std::exchange(mText, QString());
}
