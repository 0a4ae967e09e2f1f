#include "search/PatternHistory.h"

QStringList addPatternToHistory(QStringList history, const QString& pattern)
{
    if (pattern.isEmpty())
        return history;
    for (qsizetype i = 0; i < history.size(); ++i) {
        if (history.at(i).compare(pattern, Qt::CaseInsensitive) == 0) {
            history.removeAt(i);
            break;
        }
    }
    history.prepend(pattern);
    if (history.size() > kPatternHistoryLength)
        history.removeAt(kPatternHistoryLength);
    return history;
}
