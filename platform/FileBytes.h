#pragma once

#include "platform/FileError.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

/// Whole-file byte reads and writes that report the system's error number on failure.
namespace FileBytes {

/// Whether a write may create the file or must replace one that exists.
enum class Target { NewOrExisting, ExistingOnly };

/// The whole content of the file `path`, or the error that stopped the read. A path
/// that names no file is an error (ENOENT); nothing is ever created.
Result<QByteArray, FileError> read(const QString& path);

/// Makes the file `path` hold exactly `bytes`. A regular file is replaced safely: the
/// bytes go to a new file in the same folder, which takes the old file's permissions
/// and is then renamed over it, so on any failure the old file keeps its content and
/// no temporary file is left behind. A symbolic link is written through to its target.
/// Devices and pipes are written in place. With `Target::ExistingOnly` a missing file
/// is the error ENOENT and nothing is written.
std::optional<FileError> write(const QString& path, QByteArrayView bytes,
                               Target target = Target::NewOrExisting);

} // namespace FileBytes
