#include "matches/MatchExport.h"

#include "matches/MatchRows.h"
#include "regex/JsonMatch.h"

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

QByteArray csvFile(const MatchCollection& matches, const LineIndex& lines, const std::atomic_bool* cancel)
{
    constexpr QStringView kLineEnd = u"\r\n";
    QByteArray file = delimitedLine(matchHeaders(matches.GroupCount()), u',', kLineEnd).toUtf8();
    for (qsizetype i = 0; i < matches.Count() && !cancelled(cancel, i); ++i)
        file += delimitedLine(matchFields(matches, i, lines), u',', kLineEnd).toUtf8();
    return file;
}

QByteArray jsonLinesFile(const MatchCollection& matches, const LineIndex& lines, const std::atomic_bool* cancel)
{
    QByteArray file;
    for (qsizetype i = 0; i < matches.Count() && !cancelled(cancel, i); ++i) {
        const Match match = matches.Item(i);
        const TextPlace place = lines.place(match.FirstIndex());
        file += jsonMatchLine(match, MatchPlace{place.line, place.column});
    }
    return file;
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

QByteArray matchFile(MatchFileFormat format, const MatchCollection& matches, const LineIndex& lines,
                     const std::atomic_bool* cancel)
{
    switch (format) {
    case MatchFileFormat::Csv:
        return csvFile(matches, lines, cancel);
    case MatchFileFormat::JsonLines:
        return jsonLinesFile(matches, lines, cancel);
    }
    Q_UNREACHABLE();
}
