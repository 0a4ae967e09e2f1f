#pragma once

#include "platform/FileError.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct stat;

/// Makes the regular file `name`, described by `old`, hold exactly `bytes` while it stays
/// the same file, so that all its hard links see the new content and it keeps its owner,
/// mode and attributes. The old content is first copied to a backup beside it ("name~",
/// or "name.~N~" when that is taken) and flushed to disk, and room for the new content is
/// reserved where the file system can; only then is the file written in place. The backup
/// is removed once the file holds the new content, or once the old content has been put
/// back after a failed write; it stays only when even that fails, or after a crash while
/// the file was written. So a failure leaves the old content, in the file or in the backup.
std::optional<FileError> rewriteInPlace(const QByteArray& name, QByteArrayView bytes, const struct stat& old);
