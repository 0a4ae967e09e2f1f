#pragma once

#include "regex/RegExp.h"

#include <QString>
#include <QStringList>

/// Readable code units for a failure message.
inline QString shown(const QString& text)
{
    QString out;
    for (QChar c : text)
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F ? QString(c)
                                                          : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return out;
}

/// The span of each match and of its groups (start-end, "-" for a group that took no part),
/// matches separated by blanks, or "E" and the error number: the format differential.js writes.
inline QString describe(const RegExpResult<MatchCollection>& result)
{
    if (!result)
        return QStringLiteral("E%1").arg(result.error().Number);
    QStringList matches;
    for (qsizetype i = 0; i < result->Count(); ++i) {
        const Match match = result->Item(i);
        QStringList spans{QStringLiteral("%1-%2").arg(match.FirstIndex()).arg(match.FirstIndex() + match.Length())};
        const SubMatches groups = match.SubMatches();
        for (int j = 0; j < groups.Count(); ++j)
            spans << (groups.FirstIndex(j) < 0 ? QStringLiteral("-")
                                               : QStringLiteral("%1-%2").arg(groups.FirstIndex(j)).arg(groups.FirstIndex(j) + groups.Length(j)));
        matches << spans.join(u',');
    }
    return matches.join(u' ');
}
