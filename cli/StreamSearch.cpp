#include "cli/StreamSearch.h"

#include "cli/BlockDecoder.h"
#include "cli/ByteLines.h"
#include "cli/ByteLiteral.h"
#include "cli/CliOutput.h"
#include "cli/LineBlocks.h"
#include "cli/LineCursor.h"
#include "cli/MatchingLines.h"
#include "platform/Utf8Bytes.h"
#include "regex/JsonMatch.h"
#include "regex/RegExp.h"
#include "regex/RegExpErrorText.h"

#include <optional>
#include <utility>

namespace {

constexpr qsizetype kByteOrderMarkSize = 3;
/// Bytes between two places of the literal below which their lines go into one piece.
constexpr qsizetype kNearby = 1024;
/// The most bytes of lines that may wait for the encoding to be settled.
constexpr qsizetype kMostDeferred = qsizetype(8) << 20;

/// One search of an input: where the current piece stands in the whole text, and what has
/// been found so far.
class StreamRun {
public:
    StreamRun(const StreamJob& job, BlockDecoder& decoder, SearchScratch& scratch, CliOutput& output)
        : mJob(job), mDecoder(decoder), mSearch(*job.regExp, scratch), mOutput(output),
          mPositions(job.command != CliRequest::Command::Count),
          mEncodingMatters(mPositions || !job.regExp->matchesOnlyAscii())
    {
        if (!mEncodingMatters)
            mDecoder.ignoreEncoding();
    }

    /// Searches one block that starts at byte start; false after a failure (outcome()).
    bool block(QByteArrayView bytes, qint64 start, bool last)
    {
        if (mJob.skipBinary && bytes.contains('\0')) {
            mOutcome.kind = StreamOutcome::Binary;
            return false;
        }
        if (defers(bytes, start))
            return deferLines(bytes, start, last);
        const std::optional<ByteLiteral> literal = literalFor(bytes, start);
        if (mOutcome.kind == StreamOutcome::Failed)
            return false;
        if (!literal)
            return piece(bytes, start, last);
        qsizetype from = start == 0 && mDecoder.format().byteOrderMark ? kByteOrderMarkSize : 0;
        // A count of a pattern that is nothing but an ASCII literal is a count of its bytes.
        if (!mEncodingMatters && mRequired->whole) {
            for (qsizetype at = literal->find(bytes, from); at >= 0; at = literal->find(bytes, from)) {
                ++mCount;
                from = at + literal->size();
            }
            mFound = mFound || mCount > 0;
            return true;
        }
        // The lines without the literal hold no match; only the lines that hold it are decoded.
        for (qsizetype at = literal->find(bytes, from); at >= 0;) {
            const qsizetype lineStart = ByteLines::lineStart(bytes, from, at);
            qsizetype lineEnd = ByteLines::lineEnd(bytes, at);
            // Lines close to each other are searched as one piece, which costs less than a
            // search for each.
            at = literal->find(bytes, lineEnd);
            while (at >= 0 && at - lineEnd < kNearby) {
                lineEnd = ByteLines::lineEnd(bytes, at);
                at = literal->find(bytes, lineEnd);
            }
            skip(bytes.sliced(from, lineStart - from));
            if (!piece(bytes.sliced(lineStart, lineEnd - lineStart), start + lineStart, last && lineEnd == bytes.size()))
                return false;
            from = lineEnd;
        }
        skip(bytes.sliced(from));
        return true;
    }

    /// The count, written once every block is done; false after a failure.
    bool finish()
    {
        if (mDeferring) {
            mDecoder.settleBy(mScan, false);
            if (!searchDeferred())
                return false;
        }
        if (mJob.command == CliRequest::Command::Count) {
            const QByteArray name = mJob.name.isEmpty() ? QByteArray() : mJob.name + ':';
            mOutput.write(name + QByteArray::number(mCount) + '\n');
        }
        if (mOutcome.kind == StreamOutcome::NoMatch && mFound)
            mOutcome.kind = StreamOutcome::Found;
        return true;
    }

    StreamOutcome& outcome() { return mOutcome; }

private:
    /// Whether block waits for the encoding: a count in a regular file, which reads the file
    /// once instead of first reading on to settle the encoding. Its lines that hold the
    /// literal and a byte above 0x7F wait until the end, and its bytes are counted as the
    /// encoding's rules count them; lines of ASCII read the same in every encoding and are
    /// searched at once. A count needs no order, and lines that never meet hold no match
    /// across them.
    bool defers(QByteArrayView bytes, qint64 start)
    {
        if (mDeferring)
            return true;
        if (!mEncodingMatters || mPositions || !mRequired || !mDecoder.regular() || !mDecoder.undecided()
            || ByteLines::isAscii(bytes) || (start == 0 && bytes.startsWith("\xEF\xBB\xBF")))
            return false;
        mDeferring = true;
        // An ASCII literal has the same bytes in every encoding. Any other is held only by
        // lines with a byte above 0x7F, which wait, whatever the literal's bytes turn out to be.
        mLiteral = mAsciiLiteral ? ByteLiteral::of(*mRequired, TextEncoding::Utf8) : std::nullopt;
        mLiteralEncoding = TextEncoding::Utf8;
        return true;
    }

    bool deferLines(QByteArrayView bytes, qint64 start, bool last)
    {
        mScan.add(Utf8Bytes::scan(bytes));
        for (qsizetype from = 0; from < bytes.size();) {
            const qsizetype at = mLiteral ? mLiteral->find(bytes, from) : from;
            if (at < 0)
                break;
            const qsizetype lineStart = ByteLines::lineStart(bytes, from, at);
            const qsizetype lineEnd = ByteLines::lineEnd(bytes, at);
            const QByteArrayView line = bytes.sliced(lineStart, lineEnd - lineStart);
            const bool endsText = last && lineEnd == bytes.size();
            if (ByteLines::isAscii(line)) {
                if (mLiteral && !piece(line, start + lineStart, endsText))
                    return false;
            } else {
                mDeferred += line;
                mDeferredLast = endsText;
            }
            from = lineEnd;
        }
        if (mDeferred.size() <= kMostDeferred)
            return true;
        // Too many lines wait: the rest of the file settles the encoding now.
        if (!mDecoder.scanRest(start + bytes.size(), mScan)) {
            failToRead();
            return false;
        }
        mDecoder.settleBy(mScan, false);
        mDeferring = false;
        return searchDeferred();
    }

    bool searchDeferred()
    {
        const QByteArray lines = std::exchange(mDeferred, QByteArray());
        return lines.isEmpty() || piece(lines, -1, mDeferredLast);
    }

    /// The literal to look for in bytes when it can stand for the decoded text, settling the
    /// encoding first where bytes need it.
    std::optional<ByteLiteral> literalFor(QByteArrayView bytes, qint64 start)
    {
        if (!mRequired)
            return std::nullopt;
        if (!mDecoder.settle(bytes, start)) {
            failToRead();
            return std::nullopt;
        }
        // Positions of skipped lines are counted in bytes only where each byte is known to
        // decode as itself or as part of one character.
        if (mPositions && !mDecoder.exact())
            return std::nullopt;
        const TextEncoding encoding = mDecoder.undecided() ? TextEncoding::Utf8 : mDecoder.format().encoding;
        if (!mLiteral || mLiteralEncoding != encoding) {
            mLiteral = ByteLiteral::of(*mRequired, encoding);
            mLiteralEncoding = encoding;
        }
        return mLiteral;
    }

    /// Counts the lines and code units of bytes that hold no match.
    void skip(QByteArrayView bytes)
    {
        if (!mPositions)
            return;
        mLine += ByteLines::countBreaks(bytes);
        mUnit += mDecoder.format().encoding == TextEncoding::Utf8 ? Utf8Bytes::utf16Length(bytes) : bytes.size();
    }

    /// Decodes and searches whole lines that start at byte start.
    bool piece(QByteArrayView bytes, qint64 start, bool last)
    {
        if (!mDecoder.decode(bytes, start, mText)) {
            failToRead();
            return false;
        }
        const bool searched = search(last);
        if (mPositions) {
            mLine += ByteLines::countBreaks(bytes);
            mUnit += mText.size();
        }
        return searched;
    }

    bool search(bool last)
    {
        if (mJob.command == CliRequest::Command::Count) {
            const RegExpResult<qsizetype> count = mSearch.countMatches(mText, last);
            if (!count)
                return fail(count.error());
            mCount += count.value();
            mFound = mFound || count.value() > 0;
            return true;
        }
        const RegExpResult<MatchCollection> matches = mSearch.Execute(mText, last);
        if (!matches)
            return fail(matches.error());
        if (mJob.command == CliRequest::Command::Lines) {
            const DecodedText text{mText, mDecoder.format()};
            if (writeMatchingLines(matches.value(), text, LineStyle{mJob.name, mJob.color}, mOutput, mLine))
                mFound = true;
            return true;
        }
        LineCursor cursor(mText);
        for (qsizetype i = 0; i < matches->Count(); ++i) {
            const Match match = matches->Item(i);
            cursor.moveTo(match.FirstIndex());
            const MatchPlace place{mLine - 1 + cursor.number(), cursor.column(match.FirstIndex()), mUnit};
            mOutput.write(jsonMatchLine(match, place, mJob.jsonName));
        }
        mFound = mFound || matches->Count() > 0;
        return true;
    }

    bool fail(const RegExpError& error)
    {
        mOutcome = {StreamOutcome::Failed, regExpErrorText(error).toUtf8(), 0};
        return false;
    }

    void failToRead() { mOutcome = {StreamOutcome::Failed, QByteArray(), errno}; }

    const StreamJob& mJob;
    BlockDecoder& mDecoder;
    PieceSearch mSearch;
    CliOutput& mOutput;
    const bool mPositions;
    /// Whether the matches depend on the encoding; a count of matches of ASCII alone does not.
    const bool mEncodingMatters;
    const std::optional<RegExp::RequiredText> mRequired = mJob.regExp->requiredText();
    const bool mAsciiLiteral = mRequired && ByteLines::isAscii(mRequired->text.toUtf8());
    std::optional<ByteLiteral> mLiteral;
    TextEncoding mLiteralEncoding = TextEncoding::Utf8;
    bool mDeferring = false;
    /// The counts of the bytes read while deferring, and the lines that wait.
    Utf8Bytes::Scan mScan;
    QByteArray mDeferred;
    bool mDeferredLast = false;
    /// The decoded piece, its memory reused from one to the next.
    QString mText;
    /// The number of the piece's first line and where it starts in the whole text.
    qint64 mLine = 1;
    qint64 mUnit = 0;
    qint64 mCount = 0;
    bool mFound = false;
    StreamOutcome mOutcome;
};

} // namespace

StreamOutcome searchStream(LineBlocks& blocks, BlockDecoder& decoder, const StreamJob& job,
                           SearchScratch& scratch, CliOutput& output)
{
    StreamRun run(job, decoder, scratch, output);
    QByteArrayView bytes;
    while (blocks.next(bytes)) {
        if (!run.block(bytes, blocks.blockStart(), blocks.isLast()))
            return run.outcome();
        output.flush();
    }
    if (blocks.error() != 0)
        return StreamOutcome{StreamOutcome::Failed, QByteArray(), blocks.error()};
    run.finish();
    return run.outcome();
}
