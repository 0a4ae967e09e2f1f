#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

/// Whole-file helpers for tests that check what a command wrote.
namespace FileContent {

/// The bytes of the file at `path`, or "<unreadable>" when it cannot be read.
inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Makes the file at `path` hold exactly `bytes`; false when that failed.
inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// The bytes of the file whose name is the bytes `name`, which need not be UTF-8 (QFile
/// decodes names as UTF-8 only), or "<unreadable>".
inline QByteArray readNamed(const QByteArray& name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    QByteArray bytes;
    char chunk[4096];
    ssize_t got = 0;
    while (fd >= 0 && (got = ::read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, got);
    return fd >= 0 && ::close(fd) == 0 && got == 0 ? bytes : QByteArray("<unreadable>");
}

/// Makes the file whose name is the bytes `name` hold exactly `bytes`; false when that failed.
inline bool writeNamed(const QByteArray& name, const QByteArray& bytes)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    return fd >= 0 && ::close(fd) == 0 && written;
}

} // namespace FileContent
