#include "matches/MatchExport.h"

#include "matches/MatchRows.h"
#include "regex/JsonMatch.h"

#include <cerrno>

namespace {

/// How many rows go between two looks at the cancel flag.
constexpr qsizetype kRowsPerCheck = 4096;

bool cancelled(const std::atomic_bool* cancel, qsizetype row)
{
    return cancel && row % kRowsPerCheck == 0 && cancel->load(std::memory_order_relaxed);
}

/// fields joined by separator, each quoted as RFC 4180 quotes it where it must be.
QString delimitedLine(const QStringList& fields, QChar separator, QStringView lineEnd)
{
    QString line;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (k > 0)
            line += separator;
        const QString& field = fields[k];
        const bool quote = field.contains(separator) || field.contains(u'"') || field.contains(u'\r')
            || field.contains(u'\n');
        if (!quote) {
            line += field;
            continue;
        }
        line += u'"';
        line += QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\""));
        line += u'"';
    }
    line += lineEnd;
    return line;
}

/// Gathers the lines of a file and hands them on a megabyte or so at a time.
class ChunkedFile {
public:
    ChunkedFile(const ChunkWriter& write, const std::atomic_bool* cancel) : mWrite(write), mCancel(cancel)
    {
        mChunk.reserve(kChunkBytes + kChunkBytes / 4);
    }

    /// Adds line; 0 or the errno that stopped the writing, ECANCELED once cancel is raised.
    int add(QByteArrayView line)
    {
        mChunk += line;
        return mChunk.size() < kChunkBytes ? 0 : flush();
    }

    int flush()
    {
        if (mCancel && mCancel->load(std::memory_order_relaxed))
            return ECANCELED;
        const int error = mWrite(mChunk);
        mChunk.clear();
        return error;
    }

private:
    static constexpr qsizetype kChunkBytes = qsizetype(1) << 20;

    const ChunkWriter& mWrite;
    const std::atomic_bool* mCancel;
    QByteArray mChunk;
};

int writeCsv(const MatchCollection& matches, const LineIndex& lines, ChunkedFile& file)
{
    constexpr QStringView kLineEnd = u"\r\n";
    if (const int error = file.add(delimitedLine(matchHeaders(matches.GroupCount()), u',', kLineEnd).toUtf8()))
        return error;
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        if (const int error = file.add(delimitedLine(matchFields(matches, i, lines), u',', kLineEnd).toUtf8()))
            return error;
    }
    return 0;
}

int writeJsonLines(const MatchCollection& matches, const LineIndex& lines, ChunkedFile& file)
{
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        const TextPlace place = lines.place(match.FirstIndex());
        if (const int error = file.add(jsonMatchLine(match, MatchPlace{place.line, place.column})))
            return error;
    }
    return 0;
}

} // namespace

QString tabSeparatedRows(const MatchCollection& matches, const LineIndex& lines, const QList<RowRange>& rows,
                         const std::atomic_bool* cancel)
{
    QString text;
    qsizetype done = 0;
    for (const RowRange& range : rows) {
        for (qsizetype i = range.first; i <= range.last; ++i, ++done) {
            if (cancelled(cancel, done))
                return text;
            text += delimitedLine(matchFields(matches, i, lines), u'\t', u"\n");
        }
    }
    return text;
}

int writeMatchFile(MatchFileFormat format, const MatchCollection& matches, const LineIndex& lines,
                   const ChunkWriter& write, const std::atomic_bool* cancel)
{
    ChunkedFile file(write, cancel);
    const int error = format == MatchFileFormat::Csv ? writeCsv(matches, lines, file)
                                                     : writeJsonLines(matches, lines, file);
    return error ? error : file.flush();
}
