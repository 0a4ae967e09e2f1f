#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstring>
#include <vector>

/// The growing buffers of a search: the offsets of its matches and the text of a Replace.
/// Both may reach hundreds of megabytes, so they grow without copying what they hold where
/// the system allows it.

/// A growing array of 32-bit offsets. It grows with realloc, which moves a large block by
/// remapping its pages rather than copying them, so a search with millions of matches does not
/// copy the array each time it doubles (std::vector must).
class OffsetBuffer {
public:
    OffsetBuffer() = default;
    ~OffsetBuffer();
    OffsetBuffer(const OffsetBuffer&) = delete;
    OffsetBuffer& operator=(const OffsetBuffer&) = delete;

    qsizetype size() const { return mSize; }
    const qint32& operator[](qsizetype i) const { return mData[i]; }
    /// Makes room for count more offsets at the end and returns where they go.
    qint32* extend(qsizetype count)
    {
        if (mSize + count > mCapacity)
            grow(count);
        qint32* slot = mData + mSize;
        mSize += count;
        return slot;
    }

private:
    void grow(qsizetype count);

    qint32* mData = nullptr;
    qsizetype mSize = 0;
    qsizetype mCapacity = 0;
};

/// The text Replace builds, written in place: a QString whose size is the room reserved so
/// far, of which the first size() code units are written.
class ResultBuffer {
public:
    qsizetype size() const { return mUsed; }

    /// Makes room for room code units in all, when there is less.
    void reserve(qsizetype room)
    {
        if (room > mText.size())
            grow(room);
    }

    /// Makes room for count more code units and returns where they go.
    char16_t* extend(qsizetype count)
    {
        if (count > mText.size() - mUsed)
            grow(mUsed + count);
        char16_t* slot = mData + mUsed;
        mUsed += count;
        return slot;
    }

    void append(QStringView part)
    {
        if (!part.isEmpty())
            std::memcpy(extend(part.size()), part.utf16(), std::size_t(part.size()) * sizeof(char16_t));
    }

    QString take()
    {
        mText.resize(mUsed);
        return std::move(mText);
    }

private:
    void grow(qsizetype needed);

    QString mText;
    char16_t* mData = nullptr;
    qsizetype mUsed = 0;
};

/// The text Replace builds, in UTF-8: the code units go through a small staging area that is
/// converted whenever it fills, so a large result is never held whole in UTF-16. A lone
/// surrogate becomes "?", as it does wherever text is stored in UTF-8. It offers what
/// ResultBuffer offers, and size() counts UTF-16 code units as there.
class Utf8ResultBuffer {
public:
    qsizetype size() const { return mUnits; }

    /// Makes room for a result of about units code units of mostly ASCII text.
    void reserve(qsizetype units);

    /// Makes room for count more code units and returns where they go.
    char16_t* extend(qsizetype count);

    void append(QStringView part);

    QByteArray take();

private:
    /// Converts the staged code units, all of them when last, else all but a trailing high
    /// surrogate, which waits for the low one that follows.
    void flush(bool last);

    std::vector<char16_t> mStage;
    qsizetype mStaged = 0;
    qsizetype mUnits = 0;
    QByteArray mBytes;
};
