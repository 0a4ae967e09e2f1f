#include "cli/LineBlocks.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <poll.h>
#include <unistd.h>

LineBlocks::LineBlocks(int fd, qint64 maxLine, qsizetype blockSize, qint64 size)
    : mFd(fd), mMaxLine(maxLine), mBuffer(blockSize, Qt::Uninitialized), mSize(size)
{
}

bool LineBlocks::next(QByteArrayView& block)
{
    if (mDone)
        return false;
    for (;;) {
        const qsizetype end = mEndOfInput ? mEnd : lastBreakEnd();
        if (end > mStart || mEndOfInput) {
            block = QByteArrayView(mBuffer.constData() + mStart, end - mStart);
            mBlockStart = mConsumed;
            mConsumed += end - mStart;
            mStart = end;
            mLast = mEndOfInput && mStart == mEnd;
            mDone = mLast;
            return true;
        }
        // A long line from a pipe comes in many reads; each looks only at what is new.
        mUnbroken = std::max(mStart, mEnd - 1);
        if (!fill()) {
            mDone = true;
            return false;
        }
    }
}

std::optional<char> LineBlocks::peek()
{
    while (mStart == mEnd && !mEndOfInput) {
        if (!fill())
            return std::nullopt;
    }
    return mStart < mEnd ? std::optional<char>(mBuffer[mStart]) : std::nullopt;
}

bool LineBlocks::readRest(QByteArray& bytes)
{
    const qsizetype from = mStart - (mConsumed - mBlockStart);
    try {
        bytes = QByteArray(mBuffer.constData() + from, mEnd - from);
        mStart = mEnd;
        while (!mEndOfInput) {
            if (!fill())
                return false;
            if (bytes.size() + (mEnd - mStart) > mMaxLine) {
                mError = EFBIG;
                return false;
            }
            bytes.append(mBuffer.constData() + mStart, mEnd - mStart);
            mStart = mEnd;
        }
    } catch (const std::bad_alloc&) {
        bytes = QByteArray();
        mError = ENOMEM;
        return false;
    }
    mDone = true;
    return true;
}

bool LineBlocks::fill()
{
    if (mSize >= 0 && mRead >= mSize) {
        mEndOfInput = true;
        return true;
    }
    // What has not been handed out moves to the front; a buffer it fills grows.
    if (mStart > 0) {
        std::memmove(mBuffer.data(), mBuffer.constData() + mStart, std::size_t(mEnd - mStart));
        mEnd -= mStart;
        mUnbroken -= mStart;
        mStart = 0;
    }
    if (mEnd == mBuffer.size()) {
        if (mEnd > mMaxLine) {
            mError = EFBIG;
            return false;
        }
        try {
            mBuffer.resize(qsizetype(std::min<qint64>(qint64(mBuffer.size()) * 2, mMaxLine + 1)));
        } catch (const std::bad_alloc&) {
            mError = ENOMEM;
            return false;
        }
    }
    for (;;) {
        const ssize_t got = ::read(mFd, mBuffer.data() + mEnd, std::size_t(mBuffer.size() - mEnd));
        if (got > 0) {
            mEnd += got;
            mRead += got;
            return true;
        }
        if (got == 0) {
            mEndOfInput = true;
            return true;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // Standard input may have been left non-blocking by whoever started us.
            pollfd wait{mFd, POLLIN, 0};
            if (::poll(&wait, 1, -1) >= 0 || errno == EINTR)
                continue;
        }
        mError = errno;
        return false;
    }
}

qsizetype LineBlocks::lastBreakEnd() const
{
    const char* data = mBuffer.constData();
    for (qsizetype i = mEnd; i > std::max(mStart, mUnbroken); --i) {
        const char c = data[i - 1];
        if (c == '\n')
            return i;
        // A CR that ends what has arrived may be the first half of a CR LF.
        if (c == '\r' && i < mEnd)
            return i;
    }
    return mStart;
}
