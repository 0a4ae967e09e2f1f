#include "search/LineBreaks.h"

QString lineBreakOf(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            return QStringLiteral("\n");
        if (text.at(i) == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                return QStringLiteral("\r\n");
            return QStringLiteral("\r");
        }
    }
    return QStringLiteral("\r\n");
}

QString withLineBreaks(const QString& text, const QString& lineBreak)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += lineBreak;
        } else if (c == QLatin1Char('\n')) {
            result += lineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

namespace {

/// The longest stretch of text between two sep (or an end of text), as measure gives it a
/// stretch longer than longest; longest when no stretch is longer.
template <typename View, typename Char, typename Measure>
qsizetype longestStretch(View text, Char sep, qsizetype longest, const Measure& measure)
{
    for (qsizetype start = 0;;) {
        const qsizetype found = text.indexOf(sep, start);
        const qsizetype end = found < 0 ? text.size() : found;
        if (end - start > longest)
            longest = measure(text.sliced(start, end - start), longest);
        if (found < 0)
            return longest;
        start = found + 1;
    }
}

} // namespace

qsizetype longestLineLength(QStringView text)
{
    // Line feeds are found with the library's vectorized search, twice as fast as a loop over
    // every character; only a stretch between two of them that is longer than every line so
    // far is cut again at carriage returns.
    return longestStretch(text, u'\n', 0, [](QStringView stretch, qsizetype longest) {
        return longestStretch(stretch, u'\r', longest, [](QStringView line, qsizetype) { return line.size(); });
    });
}

qsizetype longestLineLength(QByteArrayView utf8)
{
    return longestStretch(utf8, '\n', 0, [](QByteArrayView stretch, qsizetype longest) {
        return longestStretch(stretch, '\r', longest, [](QByteArrayView line, qsizetype) { return line.size(); });
    });
}
