#pragma once

#include <QByteArray>
#include <QStringView>

class Match;

/// text as a JSON string literal in UTF-8: quotes and backslashes escaped, \b \f \n \r \t
/// in their short forms, other control characters (C0, DEL, C1) and lone surrogates as
/// \uXXXX, everything else as it is.
QByteArray jsonString(QStringView text);

/// One match as a line of JSON, newline included:
/// {"index":N,"length":N,"value":"...","submatches":["...",...]}.
QByteArray jsonMatchLine(const Match& match);
