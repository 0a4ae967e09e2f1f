#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

/// The text rules of an INI file, on its bytes (UTF-8). Section names and keys compare
/// without regard to letter case; the first section and the first key of a name count.
/// A value is read without its surrounding blanks and without one pair of enclosing
/// quotation marks. A value with line breaks is written in a quoted form with escapes:
/// between the quotation marks "\\", "\"", "\r" and "\n" stand for a backslash, a
/// quotation mark, a carriage return and a line feed, and "\s" and "\t" for a blank or a
/// tab at either end. Lines that are not touched keep their exact bytes.
namespace IniText {

/// The value of `key` in `section`, or nothing when it is missing or not valid UTF-8.
std::optional<QString> findValue(QByteArrayView contents, QStringView section, QStringView key);

/// `contents` with `key` set to `value`: an existing key line is rewritten in place, a new
/// key goes after the last key of the section, a missing section is appended to the end.
/// The key and the value must pass isValidKey and isValidValue.
QByteArray setValue(QByteArrayView contents, QStringView section, QStringView key, QStringView value);

/// `contents` without the line of `key` in `section`.
QByteArray removeKey(QByteArrayView contents, QStringView section, QStringView key);

/// `contents` without every section named `section`: headers, keys and other lines.
QByteArray removeSection(QByteArrayView contents, QStringView section);

/// The text written after the equals sign so that findValue gives `value` back exactly:
/// the quoted form with escapes when it holds a carriage return or a line feed; otherwise
/// enclosed in quotation marks when it has blanks at either end or is itself enclosed in
/// quotation marks, and as it is when it has neither.
QString encodeValue(QStringView value);

bool isValidKey(QStringView key);
/// Every text of whole characters; half of a surrogate pair cannot be written as UTF-8.
bool isValidValue(QStringView value);

} // namespace IniText
