#pragma once

#include "platform/FileBytes.h"
#include "platform/FileError.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct stat;

/// The name under which an in-place rewrite of the file `name` keeps the file's old content
/// while it writes: "name.sifta-backup~". The backup exists only while the rewrite runs, so
/// one found when none runs was left by a rewrite that a crash or a power cut cut short.
QByteArray rewriteBackupName(const QByteArray& name);

/// Makes the regular file `name`, described by `old`, hold exactly what `writer` writes
/// (`length` bytes, or -1 when that is not known beforehand) while it stays
/// the same file, so that all its hard links see the new content and it keeps its owner,
/// mode and attributes. No order of writes keeps such a file whole through a crash, so the
/// old content is first copied to the backup `rewriteBackupName(name)` (replacing one that
/// an earlier rewrite left) and flushed to disk, and room for the new content is reserved
/// where the file system can; only then is the file written in place. The backup is removed
/// once the file and its folder are flushed to disk with the new content, or once the old
/// content has been put back after a failed write; it stays only when even that fails, or
/// after a crash while the file was written. So a failure leaves the old content, in the
/// file or in the backup, and a leftover backup says which of the two to trust.
std::optional<FileError> rewriteInPlace(const QByteArray& name, const FileBytes::ContentWriter& writer,
                                        qint64 length, const struct stat& old);
