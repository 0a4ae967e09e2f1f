#include "search/LineBreaks.h"

#include <algorithm>

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

qsizetype longestLineLength(QStringView text)
{
    qsizetype longest = 0;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        longest = std::max(longest, i - lineStart);
        lineStart = i + 1;
    }
    return std::max(longest, text.size() - lineStart);
}
