#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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

} // namespace FileContent
