#pragma once

#include <QString>

/// A file operation that failed, as the system reported it: its error number (an errno
/// value) and the system's description of that number.
struct FileError {
    int number = 0;
    QString description;

    /// The error for a system error number, with the system's own description.
    static FileError fromErrno(int number);
    /// A device, a pipe or a socket where a document file was to be written: the system
    /// has no error of its own for that, so this one says it, with EINVAL's number.
    static FileError notRegularFile();

    /// The text the file commands show: the description, one blank and the number,
    /// for example "Permission denied 13".
    QString message() const { return description + QLatin1Char(' ') + QString::number(number); }

    friend bool operator==(const FileError&, const FileError&) = default;
};
