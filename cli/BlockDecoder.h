#pragma once

#include "platform/TextCodec.h"
#include "platform/Utf8Bytes.h"

#include <QByteArrayView>
#include <QString>

/// Decodes an input a block of whole lines at a time, in the encoding that TextCodec::decode
/// would choose for the whole input (an input with a UTF-16 or UTF-32 byte-order mark is
/// searched whole instead). While the bytes are ASCII, every rule reads them alike; the
/// first block with another byte settles the encoding. A regular file is then read on
/// from there to count its stray bytes and characters as decode counts them; a pipe cannot
/// be read twice, so the first line that holds such a byte decides by the same counts.
class BlockDecoder {
public:
    /// fd is the input; regular says that it can be read again from any place.
    BlockDecoder(int fd, bool regular) : mFd(fd), mRegular(regular) {}

    /// Decodes block, which starts at byte start of the input, into text, whose memory is
    /// reused. False when reading the file again failed (errno says why).
    bool decode(QByteArrayView block, qint64 start, QString& text);

    /// Decodes every block byte for byte, never settling the encoding, for a search that
    /// finds the same whatever bytes above 0x7F decode to.
    void ignoreEncoding() { mIgnoreEncoding = true; }

    /// Settles the encoding when block, which starts at byte start, is the first that holds
    /// a byte above 0x7F; false when reading the file again failed (errno says why).
    bool settle(QByteArrayView block, qint64 start);

    /// Settles the encoding by the counts of every byte of the input (the byte-order mark set
    /// aside), which a caller that has seen them all gathered itself.
    void settleBy(const Utf8Bytes::Scan& scan, bool byteOrderMark);
    /// Adds to scan the counts of the bytes of the regular file from offset to its end; false
    /// when reading it failed (errno says why).
    bool scanRest(qint64 offset, Utf8Bytes::Scan& scan) const;

    /// Whether the input is a regular file.
    bool regular() const { return mRegular; }
    /// Whether no block so far held a byte above 0x7F, so that the encoding is not settled.
    bool undecided() const { return !mSettled; }
    /// The input's format as far as it is known: what its decoded lines are written back in.
    const TextFormat& format() const { return mFormat; }
    /// Whether every byte read so far, and to come, is known to be well-formed UTF-8 or
    /// Windows-1252 (no stray bytes), so that the bytes tell positions without decoding.
    bool exact() const { return !mSettled || mExact; }

private:
    bool settleNow(QByteArrayView block, qint64 start);

    int mFd;
    bool mRegular;
    bool mSettled = false;
    bool mIgnoreEncoding = false;
    bool mExact = false;
    TextFormat mFormat;
};
