#pragma once

#include <QStringList>

/// Longest history a search leaves behind when it adds a new pattern.
inline constexpr int kPatternHistoryLength = 20;

/// The pattern history after a search with pattern: any entry equal to it regardless of
/// letter case is removed, the pattern goes to the top, and the 21st entry, if any, is
/// dropped. An empty pattern leaves the history as it was. A list longer than 20 entries
/// loses only one entry per search.
QStringList addPatternToHistory(QStringList history, const QString& pattern);
