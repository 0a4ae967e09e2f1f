#pragma once

#include <QString>
#include <QByteArrayView>
#include <QStringView>

/// The line-break convention of a text: its first line break (CR LF, LF or CR), or CR LF
/// when it has none.
QString lineBreakOf(const QString& text);

/// text with every line break (CR LF, lone CR, lone LF) written as lineBreak.
QString withLineBreaks(const QString& text, const QString& lineBreak);

/// The number of characters of the longest line of text, line breaks (CR LF, lone CR, lone
/// LF) not counted.
qsizetype longestLineLength(QStringView text);
/// The number of bytes of the longest line of utf8, line breaks not counted.
qsizetype longestLineLength(QByteArrayView utf8);
