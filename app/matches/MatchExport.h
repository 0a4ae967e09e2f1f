#pragma once

#include "matches/LineIndex.h"
#include "regex/MatchCollection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

/// Rows first to last of a table of matches, both included (0-based).
struct RowRange {
    qsizetype first = 0;
    qsizetype last = 0;

    friend bool operator==(const RowRange&, const RowRange&) = default;
};

/// The files a table of matches is written to.
enum class MatchFileFormat {
    Csv,       ///< a title line, then a line per match with the table's columns; RFC 4180
    JsonLines, ///< an object per match, one a line, as sifta-cli matches writes them
};

// Each of these stops early, with part of the result, once cancel is raised; lines is the
// index of the matches' text.

/// The rows as tab-separated text for the clipboard, each line ending in LF, without titles;
/// a field holding a tab, a line break or a quote is quoted as a spreadsheet quotes it.
QString tabSeparatedRows(const MatchCollection& matches, const LineIndex& lines, const QList<RowRange>& rows,
                         const std::atomic_bool* cancel = nullptr);

/// Every match in format, as UTF-8.
QByteArray matchFile(MatchFileFormat format, const MatchCollection& matches, const LineIndex& lines,
                     const std::atomic_bool* cancel = nullptr);
