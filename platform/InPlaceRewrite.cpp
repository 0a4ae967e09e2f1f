#include "platform/InPlaceRewrite.h"

#include "platform/Descriptor.h"
#include "platform/NewFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// Copies everything from the offset of `from` to that of `to`; 0 or errno.
int copyAll(int from, int to)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, size_t(1) << 30, 0);
        if (copied == 0)
            return 0;
        if (copied > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return errno;
        break;
    }
    // Where the system cannot copy between these two files itself.
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(from, chunk, sizeof chunk);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (const int error = writeAll(to, QByteArrayView(chunk, got)))
            return error;
    }
}

/// Makes `fd`, from its start, hold what `write` writes and nothing after it; 0 or errno.
template <typename Write>
int overwrite(int fd, Write write)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    if (const int error = write())
        return error;
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    if (end < 0 || ::ftruncate(fd, end) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

} // namespace

QByteArray rewriteBackupName(const QByteArray& name)
{
    return name + ".sifta-backup~";
}

std::optional<FileError> rewriteInPlace(const QByteArray& name, const FileBytes::ContentWriter& writer,
                                        qint64 length, const struct stat& old)
{
    Descriptor file(::open(name.constData(), O_RDWR | O_CLOEXEC));
    if (!file.valid())
        return FileError::fromErrno(errno);

    const QByteArray backupName = rewriteBackupName(name);
    {
        NewFile backup(name, old.st_mode & 0666);
        int error = backup.error();
        if (!error)
            error = copyAll(file.get(), backup.fd());
        // The backup is on disk under its name before the first byte of the file changes;
        // one that an earlier rewrite left is replaced only when there is one.
        if (!error)
            error = backup.linkAs(backupName);
        if (error == EEXIST)
            error = backup.replace(backupName);
        if (error)
            return FileError::fromErrno(error);
    }

    // With the room reserved, a full disk stops the save here, before the file is touched.
    if (length > 0 && ::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, length) != 0
        && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
        const int error = errno;
        ::unlink(backupName.constData());
        return FileError::fromErrno(error);
    }
    if (const int error = overwrite(file.get(), [&] { return writer(file.get()); })) {
        Descriptor saved(::open(backupName.constData(), O_RDONLY | O_CLOEXEC));
        const bool restored = saved.valid()
            && overwrite(file.get(), [&] { return copyAll(saved.get(), file.get()); }) == 0;
        if (restored)
            ::unlink(backupName.constData());
        return FileError::fromErrno(error);
    }
    if (const int closeError = file.close())
        return FileError::fromErrno(closeError);
    // The file's new content is on disk (overwrite flushed it); its folder is flushed too
    // before the backup goes, so that nothing but the backup can still hold the old text.
    syncFolderOf(name);
    ::unlink(backupName.constData());
    syncFolderOf(name);
    return std::nullopt;
}
