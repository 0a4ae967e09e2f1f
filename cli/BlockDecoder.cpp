#include "cli/BlockDecoder.h"

#include "cli/ByteLines.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF", 3);

} // namespace

/// A character cut by the end of a chunk is counted whole with the next one.
bool BlockDecoder::scanRest(qint64 offset, Utf8Bytes::Scan& total) const
{
    const int fd = mFd;
    constexpr qsizetype kChunk = qsizetype(1) << 20;
    QByteArray chunk(kChunk + 3, Qt::Uninitialized);
    qsizetype carried = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, chunk.data() + carried, std::size_t(kChunk), offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        offset += got;
        const qsizetype filled = carried + got;
        qsizetype whole = filled;
        if (got > 0) {
            // A lead byte among the last three whose character would run past the chunk.
            for (qsizetype i = filled - 1; i >= std::max<qsizetype>(0, filled - 3); --i) {
                const auto lead = static_cast<unsigned char>(chunk[i]);
                if (lead < 0xC0)
                    continue;
                const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
                if (i + length > filled)
                    whole = i;
                break;
            }
        }
        total.add(Utf8Bytes::scan(QByteArrayView(chunk.constData(), whole)));
        if (got == 0)
            return true;
        carried = filled - whole;
        std::memmove(chunk.data(), chunk.constData() + whole, std::size_t(carried));
    }
}

bool BlockDecoder::decode(QByteArrayView block, qint64 start, QString& text)
{
    if (mIgnoreEncoding && !mSettled) {
        // Byte for byte: every byte above 0x7F stays one code unit above 0x7F, the fastest way.
        QStringDecoder latin1(QStringConverter::Latin1);
        text.resize(latin1.requiredSpace(block.size()));
        text.truncate(latin1.appendToBuffer(text.data(), block) - text.constData());
        return true;
    }
    if (!settle(block, start))
        return false;
    if (start == 0 && mFormat.byteOrderMark)
        block = block.sliced(kUtf8ByteOrderMark.size());
    const bool valid = !mSettled || (mExact && mFormat.strayBytes == 0);
    const qsizetype strays = TextCodec::decodeInto(block, mFormat.encoding, valid, text);
    if (!mRegular)
        mFormat.strayBytes += strays;
    return true;
}

bool BlockDecoder::settle(QByteArrayView block, qint64 start)
{
    return mSettled || mIgnoreEncoding || ByteLines::isAscii(block) || settleNow(block, start);
}

bool BlockDecoder::settleNow(QByteArrayView block, qint64 start)
{
    const bool marked = start == 0 && block.startsWith(kUtf8ByteOrderMark);
    Utf8Bytes::Scan scan;
    if (mRegular) {
        if (!scanRest(start + (marked ? kUtf8ByteOrderMark.size() : 0), scan))
            return false;
    } else {
        qsizetype first = 0;
        while (static_cast<unsigned char>(block[first]) < 0x80)
            ++first;
        qsizetype lineStart = ByteLines::lineStart(block, 0, first);
        if (marked && lineStart == 0)
            lineStart = kUtf8ByteOrderMark.size();
        scan = Utf8Bytes::scan(block.sliced(lineStart, ByteLines::lineEnd(block, first) - lineStart));
    }
    settleBy(scan, marked);
    return true;
}

void BlockDecoder::settleBy(const Utf8Bytes::Scan& scan, bool byteOrderMark)
{
    mSettled = true;
    mExact = mRegular;
    // As TextCodec::decode: UTF-8 unless stray bytes are as many as the characters of
    // several bytes, or a stand-in for one could not be told from it.
    if (scan.strayBytes > 0 && (scan.strayBytes >= scan.multiByteCharacters || scan.holdsStandIn))
        mFormat = TextFormat{TextEncoding::Windows1252, false, 0};
    else
        mFormat = TextFormat{TextEncoding::Utf8, byteOrderMark, mRegular ? scan.strayBytes : 0};
}
