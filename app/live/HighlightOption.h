#pragma once

#include <QString>

class CSettings;

/// The remembered state of Format, Highlight Matches.
inline const QString kHighlightMatchesKey = QStringLiteral("HighlightMatches");

/// The stored option; on, as at the first run, when it is missing or cannot be read.
bool readHighlightMatches(const CSettings& settings);
void writeHighlightMatches(CSettings& settings, bool bValue);
