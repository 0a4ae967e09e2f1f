#include "matches/MatchRows.h"

#include <QCoreApplication>

namespace {

struct MatchRowsTexts {
    Q_DECLARE_TR_FUNCTIONS(MatchRowsTexts)
};

} // namespace

QStringList matchHeaders(int groupCount)
{
    QStringList headers{MatchRowsTexts::tr("Match"), MatchRowsTexts::tr("Line"),   MatchRowsTexts::tr("Column"),
                        MatchRowsTexts::tr("Index"), MatchRowsTexts::tr("Length"), MatchRowsTexts::tr("Value")};
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
