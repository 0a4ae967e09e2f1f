#include "SearchEngine.h"

qsizetype searchStart(qsizetype selStart, qsizetype selLength, qsizetype textLength, bool backward)
{
    qsizetype start = backward ? selStart : selStart + selLength;
    if (start >= textLength)
        start = 0;
    return start;
}

qsizetype chooseMatch(const MatchCollection& matches, qsizetype start, bool backward)
{
    const qsizetype count = matches.Count();
    Q_ASSERT(count > 0);
    if (backward) {
        for (qsizetype i = count - 1; i >= 0; --i) {
            const Match match = matches.Item(i);
            if (match.FirstIndex() + match.Length() - 1 < start)
                return i;
        }
        return count - 1;
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (matches.Item(i).FirstIndex() >= start)
            return i;
    }
    return 0;
}

void applySearchOptions(RegExp& expression, const QString& pattern, bool ignoreCase)
{
    if (expression.Pattern() != pattern)
        expression.setPattern(pattern);
    if (expression.IgnoreCase() != ignoreCase)
        expression.setIgnoreCase(ignoreCase);
}

SearchOutcome findMatch(RegExp& expression, const QString& pattern, bool ignoreCase, const QString& text,
                        qsizetype selStart, qsizetype selLength, bool backward, const std::atomic_bool* cancel)
{
    const qsizetype start = searchStart(selStart, selLength, text.size(), backward);
    applySearchOptions(expression, pattern, ignoreCase);
    const RegExpResult<MatchCollection> result = expression.Execute(text, cancel);
    if (!result)
        return result.error();
    const MatchCollection& matches = result.value();
    if (matches.Count() < 1)
        return NoMatch{};

    FoundMatch found;
    found.index = chooseMatch(matches, start, backward);
    found.count = matches.Count();
    const Match match = matches.Item(found.index);
    found.firstIndex = match.FirstIndex();
    found.length = match.Length();
    const SubMatches groups = match.SubMatches();
    found.subMatchCount = groups.Count();
    for (int j = 0; j < groups.Count(); ++j)
        found.subMatchList += groups.Item(j) + QStringLiteral("\r\n");
    return found;
}

QString matchLabelText(const FoundMatch& found)
{
    return QStringLiteral("Match %1 of %2").arg(found.index + 1).arg(found.count);
}

QString subMatchesLabelText(const FoundMatch& found)
{
    return QStringLiteral("Sub-Matches (%1)").arg(found.subMatchCount);
}
