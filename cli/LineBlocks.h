#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

/// Reads an input a block of whole lines at a time into one buffer that it reuses. A block
/// ends after a line break, never between the CR and the LF of a pair, except the last
/// block, which holds whatever follows the last line break (it may be empty). A block holds
/// the whole lines that have arrived, so that lines from a pipe come out as they arrive;
/// from a regular file about blockSize bytes at a time. A line longer than the buffer grows
/// it, so memory stays within the block size and the longest line.
class LineBlocks {
public:
    static constexpr qsizetype kBlockSize = qsizetype(1) << 20;

    /// fd stays open and owned by the caller. A line longer than maxLine bytes fails the read
    /// with EFBIG, and one too long for the memory there is with ENOMEM. A regular file is
    /// read up to size, the size it had when it was opened (-1: to the end of the input), which
    /// spares the read that would find its end.
    LineBlocks(int fd, qint64 maxLine, qsizetype blockSize = kBlockSize, qint64 size = -1);

    /// Reads the next block into block: false after the last block, or when a read failed
    /// (error() then holds its errno).
    bool next(QByteArrayView& block);
    /// Whether the block read last is the last of the input.
    bool isLast() const { return mLast; }
    /// Where the block read last starts in the input, in bytes.
    qint64 blockStart() const { return mBlockStart; }
    int error() const { return mError; }

    /// The first byte of what comes next, waiting for it; nothing at the end of the input or
    /// when a read failed.
    std::optional<char> peek();

    /// Reads every byte that remains, the block read last included, for an input that has to
    /// be searched whole; false when a read failed (error()), with EFBIG beyond maxLine bytes.
    bool readRest(QByteArray& bytes);

private:
    /// Appends what the input gives next to the buffer; false when a read failed.
    bool fill();
    /// Where the last whole line of [mStart, mEnd) ends, or mStart when none does.
    qsizetype lastBreakEnd() const;

    int mFd;
    qint64 mMaxLine;
    QByteArray mBuffer;
    qsizetype mStart = 0; ///< the first byte not handed out yet
    qsizetype mEnd = 0;   ///< the end of the bytes read
    qsizetype mUnbroken = 0; ///< no line ends in [mStart, mUnbroken)
    qint64 mBlockStart = 0;
    qint64 mConsumed = 0; ///< bytes of the input before mStart
    qint64 mSize = -1;
    qint64 mRead = 0; ///< bytes read from the input
    bool mEndOfInput = false;
    bool mLast = false;
    bool mDone = false;
    int mError = 0;
};
