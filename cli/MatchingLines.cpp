#include "cli/MatchingLines.h"

#include "cli/CliOutput.h"
#include "cli/LineCursor.h"
#include "platform/WideUnicode.h"
#include "regex/MatchCollection.h"

#include <algorithm>

namespace {

/// The bytes lines are written in: the input's own, but without a byte-order mark, and
/// UTF-8 for UTF-16 and UTF-32, which a terminal or a pipe into other tools would not read.
TextFormat outputFormat(const TextFormat& input)
{
    if (WideUnicode::isWide(input.encoding))
        return TextFormat{};
    return TextFormat{input.encoding, false, input.strayBytes};
}

// The colours grep uses by default.
constexpr char kMatchColor[] = "\033[1;31m";
constexpr char kNameColor[] = "\033[35m";
constexpr char kNumberColor[] = "\033[32m";
constexpr char kColorOff[] = "\033[0m";

/// Builds one output line, copying the text in its own encoding and colouring pieces of it.
class LineWriter {
public:
    LineWriter(const DecodedText& text, LineStyle style)
        : mText(text), mOutputFormat(outputFormat(text.format)), mStyle(style)
    {
    }

    void begin(qint64 number, qsizetype start)
    {
        mLine.clear();
        if (!mStyle.fileName.isEmpty()) {
            appendColored(kNameColor, mStyle.fileName);
            mLine += ':';
        }
        appendColored(kNumberColor, QByteArray::number(number));
        mLine += ':';
        mCopied = start;
        mLineStart = start;
    }

    /// Colours [from, to), widened to whole characters and clipped to what is not written yet
    /// of the line up to lineEnd; no effect without colour.
    void highlight(qsizetype from, qsizetype to, qsizetype lineEnd)
    {
        if (!mStyle.color)
            return;
        // A match may take one half of a surrogate pair; its colour takes the whole character,
        // so that no piece of the line ends inside one.
        from = std::max(insidePair(from) ? from - 1 : from, mCopied);
        to = std::min(insidePair(to) ? to + 1 : to, lineEnd);
        if (from >= to)
            return;
        appendText(mCopied, from);
        mLine += kMatchColor;
        appendText(from, to);
        mLine += kColorOff;
        mCopied = to;
    }

    const QByteArray& end(qsizetype lineEnd)
    {
        appendText(mCopied, lineEnd);
        mLine += '\n';
        return mLine;
    }

private:
    void appendColored(const char* color, QByteArrayView bytes)
    {
        if (mStyle.color)
            mLine += color;
        mLine += bytes;
        if (mStyle.color)
            mLine += kColorOff;
    }

    /// Whether position falls between the two halves of a surrogate pair.
    bool insidePair(qsizetype position) const
    {
        const QString& text = mText.text;
        return position > 0 && position < text.size() && text[position].isLowSurrogate()
               && text[position - 1].isHighSurrogate();
    }

    void appendText(qsizetype from, qsizetype to)
    {
        // Every piece is whole characters of a decoded text, which holds no lone surrogate,
        // so it encodes: to its own bytes, or as UTF-8 for UTF-16 and UTF-32.
        const EncodedText encoded = TextCodec::encode(QStringView(mText.text).sliced(from, to - from), mOutputFormat);
        Q_ASSERT(encoded.ok());
        mLine += encoded->bytes;
    }

    const DecodedText& mText;
    const TextFormat mOutputFormat;
    LineStyle mStyle;
    QByteArray mLine;
    qsizetype mCopied = 0;
    qsizetype mLineStart = 0;
};

} // namespace

bool writeMatchingLines(const MatchCollection& matches, const DecodedText& text, LineStyle style,
                        CliOutput& output, qint64 firstLine)
{
    LineCursor cursor(text.text);
    LineWriter writer(text, style);
    qsizetype count = matches.Count();
    // An empty match at the end of an empty text, or after its final line break, is on no
    // line: only the last match can be there.
    if (count > 0 && matches.Item(count - 1).FirstIndex() == text.text.size()
        && (text.text.isEmpty() || text.text.back() == u'\n' || text.text.back() == u'\r'))
        --count;
    qsizetype next = 0;
    while (next < count) {
        cursor.moveTo(matches.Item(next).FirstIndex());
        // Matches never overlap, so only the last one taken can run on into the next line.
        qsizetype lastEnd = -1;
        for (;;) {
            writer.begin(firstLine - 1 + cursor.number(), cursor.start());
            writer.highlight(cursor.start(), lastEnd, cursor.end());
            for (; next < count && matches.Item(next).FirstIndex() < cursor.nextStart(); ++next) {
                const Match match = matches.Item(next);
                lastEnd = match.FirstIndex() + match.Length();
                writer.highlight(match.FirstIndex(), lastEnd, cursor.end());
            }
            output.write(writer.end(cursor.end()));
            if (lastEnd <= cursor.nextStart())
                break;
            cursor.moveToNext();
        }
    }
    return count > 0;
}
