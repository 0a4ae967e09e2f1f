#pragma once

#include <QByteArray>
#include <QRandomGenerator>

/// `size` random bytes, the same for the same seed.
inline QByteArray randomBytes(quint32 seed, qsizetype size)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

/// A single line of `size` bytes: printable ASCII, or with `highBytes` every 97th byte is
/// 0xE9, which makes the whole text invalid UTF-8.
inline QByteArray singleLine(qsizetype size, bool highBytes)
{
    QByteArray line(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        line[i] = (highBytes && i % 97 == 96) ? char(0xE9) : char('a' + i % 26);
    return line;
}
