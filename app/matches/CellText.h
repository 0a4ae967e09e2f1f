#pragma once

#include <QString>
#include <QStringView>

/// How many code units of a value a table cell shows.
inline constexpr qsizetype kCellTextLimit = 200;

/// text as one line of a table cell: each line break (CR LF, LF or CR) as one "↵", tabs and
/// other control characters as their visible symbols (␉ ...), cut after limit code units
/// with "…" added. Only the
/// shown part is read, so a value of a hundred megabytes costs no more than a short one.
QString cellText(QStringView text, qsizetype limit = kCellTextLimit);
