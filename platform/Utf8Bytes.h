#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/// UTF-8 as Unicode defines it, and UTF-8 that holds stray bytes: the steps of the
/// document codec that read and write UTF-8.
namespace Utf8Bytes {

/// What a scan of bytes as UTF-8 found.
struct Scan {
    /// Bytes that are no part of a well-formed UTF-8 character.
    qsizetype strayBytes = 0;
    /// Well-formed characters of two to four bytes.
    qsizetype multiByteCharacters = 0;
    /// Whether a well-formed character is one of the stand-ins for stray bytes.
    bool holdsStandIn = false;

    /// Adds what a scan of the bytes that follow found.
    void add(const Scan& next)
    {
        strayBytes += next.strayBytes;
        multiByteCharacters += next.multiByteCharacters;
        holdsStandIn = holdsStandIn || next.holdsStandIn;
    }
};

/// Whether `bytes` are well-formed UTF-8: no overlong forms, no surrogates, nothing above
/// U+10FFFF.
bool isValid(QByteArrayView bytes);

/// Counts the stray bytes and the characters of `bytes`.
Scan scan(QByteArrayView bytes);

/// The text of `bytes`, each stray byte as its stand-in; `valid` says that `isValid` found
/// none, which spares looking for them. A byte-order mark is part of the text.
QString decode(QByteArrayView bytes, bool valid);

/// As `decode`, into `text`, whose memory is reused when it has room; returns the number of
/// stray bytes.
qsizetype decodeInto(QByteArrayView bytes, bool valid, QString& text);

/// The UTF-16 code units of the text of `bytes`, which are well-formed UTF-8.
qsizetype utf16Length(QByteArrayView bytes);

/// The UTF-8 bytes of `text`, which holds no lone surrogate. With `writeStandIns`, each
/// stand-in is written as the stray byte it stands for, and `standInsWritten` counts them.
QByteArray encode(QStringView text, bool writeStandIns, qsizetype& standInsWritten);

} // namespace Utf8Bytes
