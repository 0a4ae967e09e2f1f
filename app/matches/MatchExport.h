#pragma once

#include "matches/LineIndex.h"
#include "regex/MatchCollection.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

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

// Lines is the index of the matches' text.

/// The rows as tab-separated text for the clipboard, each line ending in LF, without titles;
/// a field holding a tab, a line break or a quote is quoted as a spreadsheet quotes it. Once
/// cancel is raised it stops early, with part of the text.
QString tabSeparatedRows(const MatchCollection& matches, const LineIndex& lines, const QList<RowRange>& rows,
                         const std::atomic_bool* cancel = nullptr);

/// Takes the next piece of a file; 0, or the errno that stops the writing.
using ChunkWriter = std::function<int(QByteArrayView chunk)>;

/// Writes every match in format, as UTF-8, to write a piece of about a megabyte at a time, so
/// that the file is never held whole however many matches there are; 0, the errno write
/// returned, or ECANCELED once cancel is raised.
int writeMatchFile(MatchFileFormat format, const MatchCollection& matches, const LineIndex& lines,
                   const ChunkWriter& write, const std::atomic_bool* cancel = nullptr);
