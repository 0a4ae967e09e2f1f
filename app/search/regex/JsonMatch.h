#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

class Match;

/// text as a JSON string literal in UTF-8: quotes and backslashes escaped, \b \f \n \r \t
/// in their short forms, other control characters (C0, DEL, C1) and lone surrogates as
/// \uXXXX, everything else as it is.
QByteArray jsonString(QStringView text);

/// Where a match lies, beside its UTF-16 index: 1-based line and column (in code units).
struct MatchPlace {
    qsizetype line = 1;
    qsizetype column = 1;
    /// Where the searched text starts in the whole text, for a match found in a piece of it:
    /// added to the match's index.
    qint64 pieceStart = 0;
};

/// One match as a line of JSON, newline included:
/// {"file":"...","index":N,"line":N,"column":N,"length":N,"value":"...","submatches":["...",...]},
/// "file" only when file is not empty (file is a JSON string literal). sifta-cli matches
/// and the Matches window's export both write matches with this.
QByteArray jsonMatchLine(const Match& match, MatchPlace place, QByteArrayView file = {});
