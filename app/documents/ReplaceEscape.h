#pragma once

#include <QString>
#include <QStringView>

/// The stored form of the Replace With text, which keeps a multi-line text on one line.
namespace ReplaceEscape {

/// Doubles every backslash, then writes every carriage return as "\r" and every line
/// feed as "\n".
QString encode(QStringView sText);

/// Reverses `encode` in one pass: "\\" gives a backslash, "\r" a carriage return, "\n"
/// a line feed; every other character, a backslash before any other character or at
/// the end included, stays as it is. `decode(encode(s)) == s` for every text.
QString decode(QStringView sStored);

} // namespace ReplaceEscape
