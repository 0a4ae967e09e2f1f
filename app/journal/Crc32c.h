#pragma once

#include <QByteArrayView>
#include <QtGlobal>

/// CRC-32C (Castagnoli) of `data`, continuing from `crc`, the checksum of the bytes before
/// it (0 for none). Uses the processor's CRC32 instruction where there is one, so that a
/// large journal is checked about as fast as it is read.
quint32 crc32c(QByteArrayView data, quint32 crc = 0);
