#pragma once

#include "platform/FileError.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <functional>
#include <limits>
#include <optional>

/// Whole-file byte reads and writes that report the system's error number on failure.
/// Paths are file names as FilePath decodes them, so any name the system has can be used.
namespace FileBytes {

/// Whether a write may create the file or must replace one that exists.
enum class Target { NewOrExisting, ExistingOnly };

/// A read of any length.
inline constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

/// Writes a file's content to the descriptor it is given, from the descriptor's offset on,
/// as the content is made; returns 0 or errno. A writer that gives up returns ECANCELED.
using ContentWriter = std::function<int(int fd)>;

/// The whole content of the file `path`, or the error that stopped the read. A path
/// that names no file is an error (ENOENT); nothing is ever created. A file longer than
/// `maxBytes` is the error EFBIG: a regular file is measured before anything is read,
/// anything else (a device, a pipe) is read no further. Raising `cancel` stops the read
/// within a tenth of a second with ECANCELED, also while a pipe or a device has nothing
/// to give. Running out of memory is the error ENOMEM.
Result<QByteArray, FileError> read(const QString& path, qint64 maxBytes = kNoLimit,
                                   const std::atomic_bool* cancel = nullptr);

/// What is left to read from the open descriptor `fd` (standard input), with the limits,
/// the cancelling and the errors of `read`. The descriptor stays open.
Result<QByteArray, FileError> readDescriptor(int fd, qint64 maxBytes = kNoLimit,
                                             const std::atomic_bool* cancel = nullptr);

/// Makes the file `path` hold exactly `bytes`. A symbolic link is written through to
/// the file it points to, which is created when the link dangles.
///
/// A regular file is replaced safely: the bytes go to a new file in the same folder,
/// which takes the old file's owner (where the system allows), permissions and extended
/// attributes and is then renamed over it, so on any failure the old file keeps its
/// content. The new file has no name until that rename where the file system allows
/// it, so that not even a crash leaves a temporary file behind; elsewhere it is a
/// hidden temporary file, removed on any failure. A file with several hard links stays
/// one file instead and is rewritten in place behind a backup (see `rewriteInPlace`), as
/// is a file that no rename can replace: one mounted on its own, one across a mount, one
/// in a sticky folder that belongs to someone else.
///
/// A save that succeeds leaves no backup of an earlier one that a crash cut short (see
/// `unfinishedRewriteBackup`): the file then holds the text the user chose to save.
///
/// Devices and pipes are written in place; a pipe that nobody reads is the error ENXIO
/// rather than a wait. With `Target::ExistingOnly` a missing file is the error ENOENT
/// and nothing is written.
std::optional<FileError> write(const QString& path, QByteArrayView bytes,
                               Target target = Target::NewOrExisting);

/// `write` for content that `writer` writes piece by piece, so that it never needs to be
/// held whole. A writer that fails, or gives up, fails the write as a failed write of bytes
/// does: a file it was to replace keeps its old content.
std::optional<FileError> write(const QString& path, const ContentWriter& writer,
                               Target target = Target::NewOrExisting);

/// The backup that an in-place rewrite of the file `path` (or of the file a link there
/// points to) left when a crash cut it short, as a path; nothing when there is none. While
/// it is there the file may hold the new content only in part, followed by the old; the
/// backup holds the whole old content. A backup the user made under another name ("name~")
/// is never taken for one.
std::optional<QString> unfinishedRewriteBackup(const QString& path);

/// Whether `path` can take a document written whole: nothing when it names a regular
/// file, a symbolic link to one, or nothing yet; EISDIR for a folder; and
/// `FileError::notRegularFile()` for a device, a pipe or a socket, which would swallow
/// the text or keep the writer waiting.
std::optional<FileError> checkRegularTarget(const QString& path);

} // namespace FileBytes
