#pragma once

#include <QByteArrayView>

/// Lines of undecoded bytes in an encoding where CR and LF are single bytes that no other
/// character holds (UTF-8, Windows-1252): CR LF, a lone CR and a lone LF each end a line.
namespace ByteLines {

/// The line breaks in bytes, a CR LF counted once; a CR that ends bytes counts as a break.
qsizetype countBreaks(QByteArrayView bytes);

/// Where the line that holds position starts, looking back no further than from.
qsizetype lineStart(QByteArrayView bytes, qsizetype from, qsizetype position);

/// Where the line that holds position ends, its line break included: bytes.size() when
/// no break follows.
qsizetype lineEnd(QByteArrayView bytes, qsizetype position);

/// Whether bytes are all below 0x80.
bool isAscii(QByteArrayView bytes);

} // namespace ByteLines
