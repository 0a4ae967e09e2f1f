#pragma once

#include <QString>
#include <QStringView>

/// A pattern that matches text literally: every character that has a meaning in a pattern
/// (\ ^ $ . * + ? ( ) [ ] { } |) gets a backslash, line breaks and tabs are written as \r,
/// \n and \t as they stand in text, and other control characters as \xhh.
QString escapedPattern(QStringView text);
