#pragma once

#include "matches/LineIndex.h"
#include "regex/MatchCollection.h"

#include <QString>
#include <QStringList>

/// The columns of a table of matches, in order; one column per group follows Value.
enum MatchColumn : int { NumberColumn, LineColumn, ColumnColumn, IndexColumn, LengthColumn, ValueColumn, FirstGroupColumn };

/// The column titles for a pattern with groupCount groups: "Match", "Line", "Column",
/// "Index", "Length", "Value", then "$1", "$2", ...
QStringList matchHeaders(int groupCount);

/// Every field of match i of matches in column order, whole: its 1-based number, the line
/// and column lines gives for it, its 0-based index and length in UTF-16 code units, its
/// text and the text of each group (empty for a group that took no part).
QStringList matchFields(const MatchCollection& matches, qsizetype i, const LineIndex& lines);
