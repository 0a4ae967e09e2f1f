#include "matches/MatchRows.h"

QStringList matchHeaders(int groupCount)
{
    QStringList headers{QStringLiteral("Match"), QStringLiteral("Line"),   QStringLiteral("Column"),
                        QStringLiteral("Index"), QStringLiteral("Length"), QStringLiteral("Value")};
    for (int j = 1; j <= groupCount; ++j)
        headers.append(QLatin1Char('$') + QString::number(j));
    return headers;
}

QStringList matchFields(const MatchCollection& matches, qsizetype i, const LineIndex& lines)
{
    const Match match = matches.Item(i);
    const TextPlace place = lines.place(match.FirstIndex());
    QStringList fields{QString::number(i + 1),           QString::number(place.line),
                       QString::number(place.column),    QString::number(match.FirstIndex()),
                       QString::number(match.Length()),  match.Value()};
    const SubMatches groups = match.SubMatches();
    for (int j = 0; j < groups.Count(); ++j)
        fields.append(groups.Item(j));
    return fields;
}
