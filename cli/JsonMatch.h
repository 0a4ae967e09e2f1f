#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

class Match;

/// text as a JSON string literal in UTF-8: quotes and backslashes escaped, \b \f \n \r \t
/// in their short forms, other control characters (C0, DEL, C1) and lone surrogates as
/// \uXXXX, everything else as it is.
QByteArray jsonString(QStringView text);

/// A file name (the system's bytes) as a JSON string literal. A byte that is not part of
/// valid UTF-8 is written as the lone surrogate U+DC00 + byte (see FilePath::decode), as
/// Python's "surrogateescape" reads and writes file names, so that the name leads back to
/// the same file.
QByteArray jsonFileName(QByteArrayView path);

/// Where a match lies, beside its UTF-16 index: 1-based line and column (in code units).
struct MatchPlace {
    qsizetype line = 1;
    qsizetype column = 1;
};

/// One match as a line of JSON, newline included:
/// {"file":"...","index":N,"line":N,"column":N,"length":N,"value":"...","submatches":["...",...]},
/// "file" only when file is not empty (file is a literal from jsonFileName()).
QByteArray jsonMatchLine(const Match& match, MatchPlace place, QByteArrayView file = {});
