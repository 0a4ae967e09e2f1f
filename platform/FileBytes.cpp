#include "platform/FileBytes.h"

#include "platform/Descriptor.h"
#include "platform/ExtendedAttributes.h"
#include "platform/FilePath.h"
#include "platform/HugePages.h"
#include "platform/InPlaceRewrite.h"
#include "platform/NewFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

// These steps call the system directly rather than through QFile or QSaveFile because
// the user is shown the system's error number, which Qt's file classes do not keep.
namespace FileBytes {

namespace {

FileError lastError()
{
    return FileError::fromErrno(errno);
}

bool cancelled(const std::atomic_bool* cancel)
{
    return cancel && cancel->load();
}

/// Waits until `fd` has something to read or has reached its end, looking at `cancel`
/// every tenth of a second; 0 or errno.
int waitForInput(int fd, const std::atomic_bool* cancel)
{
    for (;;) {
        if (cancelled(cancel))
            return ECANCELED;
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, 100);
        if (ready > 0)
            return 0;
        if (ready < 0 && errno != EINTR)
            return errno;
    }
}

Result<QByteArray, FileError> readAll(int fd, const struct stat& info, qint64 maxBytes,
                                      const std::atomic_bool* cancel)
{
    const bool regular = S_ISREG(info.st_mode);
    if (regular && info.st_size > maxBytes)
        return FileError::fromErrno(EFBIG);
    // The bytes are read straight into the array: a regular file into room for all of them
    // and one more, so that the read that finds the end needs no more room and nothing is
    // copied twice; anything else into room that grows as it comes.
    QByteArray bytes;
    if (regular) {
        bytes.reserve(static_cast<qsizetype>(info.st_size) + 1);
        adviseHugePages(bytes.data(), static_cast<std::size_t>(bytes.capacity()));
    }
    constexpr qsizetype kGrowth = 65536;
    // Small enough that a raised cancel flag is seen between two reads.
    constexpr qsizetype kLargestRead = qsizetype(1) << 20;
    for (;;) {
        if (cancelled(cancel))
            return FileError::fromErrno(ECANCELED);
        // A regular file always has its bytes at hand; a pipe or a device may keep the
        // reader waiting, so it is read only once it has something to give.
        if (!regular) {
            if (const int error = waitForInput(fd, cancel))
                return FileError::fromErrno(error);
        }
        const qsizetype filled = bytes.size();
        const qsizetype room = bytes.capacity() - filled;
        const qsizetype step = room > 0 ? std::min(room, kLargestRead) : kGrowth;
        bytes.resize(filled + step);
        const ssize_t got = ::read(fd, bytes.data() + filled, static_cast<size_t>(step));
        const int readError = got < 0 ? errno : 0;
        bytes.resize(filled + std::max<qsizetype>(got, 0));
        if (readError == EINTR || readError == EAGAIN)
            continue;
        if (readError)
            return FileError::fromErrno(readError);
        if (got == 0)
            return bytes;
        if (bytes.size() > maxBytes)
            return FileError::fromErrno(EFBIG);
    }
}

/// The file a write to `name` ends at: `name` itself unless it is a symbolic link, else
/// the end of its chain of links, even when nothing is there yet; or errno.
Result<QByteArray, int> followLinks(QByteArray name)
{
    for (int links = 0; links < 40; ++links) {
        struct stat info {};
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return name;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(name.constData(), target.data(), static_cast<size_t>(target.size()));
        if (length < 0)
            return errno;
        if (length == target.size())
            return ENAMETOOLONG;
        target.truncate(length);
        name = target.startsWith('/') ? target : folderOf(name) + target;
    }
    return ELOOP;
}

std::optional<FileError> writeInPlace(const QByteArray& name, const ContentWriter& writer)
{
    // Opened without waiting, so that a pipe nobody reads fails at once (ENXIO); the
    // writes then wait for a slow reader as usual.
    Descriptor fd(::open(name.constData(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return lastError();
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return lastError();
    if (const int error = writer(fd.get()))
        return FileError::fromErrno(error);
    if (const int error = fd.close())
        return FileError::fromErrno(error);
    return std::nullopt;
}

/// Writes the content to a new file and renames it over `name`; 0 or errno, and then the new
/// file is gone again.
int writeAndRename(const QByteArray& name, const ContentWriter& writer, const struct stat* old)
{
    const mode_t mode = old ? (old->st_mode & 07777) : 0666;
    NewFile file(name, mode);
    if (file.error())
        return file.error();

    if (old) {
        copyExtendedAttributes(name, file.fd());
        // Keeping the owner needs the right to give files away; without it the new file
        // belongs to the writer, which is no reason to fail the save.
        [[maybe_unused]] const int ownerKept = ::fchown(file.fd(), old->st_uid, old->st_gid);
        // The creation mode went through the umask, and a change of owner clears the
        // set-user-ID bit; this gives the old bits exactly.
        if (::fchmod(file.fd(), mode) != 0)
            return errno;
    }
    if (const int error = writer(file.fd()))
        return error;
    return file.replace(name);
}

/// Whether a rename that failed with `error` can never replace the file, while writing it
/// in place can: a file mounted on its own (a bind mount into a container) is busy, one
/// across a mount is on another device, and one in a sticky folder that belongs to
/// someone else may be written but not replaced.
bool renameCannotReplace(int error)
{
    return error == EBUSY || error == EXDEV || error == EPERM;
}

std::optional<FileError> replaceSafely(const QByteArray& name, const ContentWriter& writer, qint64 length,
                                       const struct stat* old)
{
    const int error = writeAndRename(name, writer, old);
    if (old && renameCannotReplace(error))
        return rewriteInPlace(name, writer, length, *old);
    if (error)
        return FileError::fromErrno(error);
    return std::nullopt;
}

/// `write` of the content that writer writes, length bytes of it or -1 when that is not
/// known beforehand.
std::optional<FileError> writeContent(const QString& path, const ContentWriter& writer, qint64 length, Target target)
{
    if (path.isEmpty())
        return FileError::fromErrno(ENOENT);
    const Result<QByteArray, int> followed = followLinks(FilePath::encode(path));
    if (!followed)
        return FileError::fromErrno(followed.error());
    const QByteArray& name = followed.value();

    struct stat old {};
    if (::stat(name.constData(), &old) != 0) {
        if (errno != ENOENT || target == Target::ExistingOnly)
            return lastError();
        return replaceSafely(name, writer, length, nullptr);
    }
    if (S_ISDIR(old.st_mode))
        return FileError::fromErrno(EISDIR);
    if (!S_ISREG(old.st_mode))
        return writeInPlace(name, writer);
    // A file that nobody may write is read-only: the rename would replace it all the same
    // (and root passes every access check), so it is refused here and stays as it is.
    if ((old.st_mode & 0222) == 0)
        return FileError::fromErrno(EACCES);
    // Renaming a new file over one of several hard links would split them apart.
    if (old.st_nlink > 1)
        return rewriteInPlace(name, writer, length, old);
    const std::optional<FileError> failure = replaceSafely(name, writer, length, &old);
    // The file is whole again, so a backup that an earlier save cut short left is spent.
    if (!failure && ::unlink(rewriteBackupName(name).constData()) == 0)
        syncFolderOf(name);
    return failure;
}

} // namespace

Result<QByteArray, FileError> read(const QString& path, qint64 maxBytes, const std::atomic_bool* cancel)
{
    // Opened without waiting: a pipe with no writer yet would block the open itself.
    Descriptor fd(::open(FilePath::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return lastError();
    return readDescriptor(fd.get(), maxBytes, cancel);
}

Result<QByteArray, FileError> readDescriptor(int fd, qint64 maxBytes, const std::atomic_bool* cancel)
{
    try {
        struct stat info {};
        if (::fstat(fd, &info) != 0)
            return lastError();
        if (S_ISDIR(info.st_mode))
            return FileError::fromErrno(EISDIR);
        return readAll(fd, info, maxBytes, cancel);
    } catch (const std::bad_alloc&) {
        return FileError::fromErrno(ENOMEM);
    }
}

std::optional<FileError> write(const QString& path, QByteArrayView bytes, Target target)
{
    return writeContent(path, [bytes](int fd) { return writeAll(fd, bytes); }, bytes.size(), target);
}

std::optional<FileError> write(const QString& path, const ContentWriter& writer, Target target)
{
    return writeContent(path, writer, -1, target);
}

std::optional<QString> unfinishedRewriteBackup(const QString& path)
{
    const Result<QByteArray, int> followed = followLinks(FilePath::encode(path));
    if (!followed)
        return std::nullopt;
    const QByteArray backup = rewriteBackupName(followed.value());
    struct stat info {};
    if (::lstat(backup.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FilePath::decode(backup);
}

std::optional<FileError> checkRegularTarget(const QString& path)
{
    const Result<QByteArray, int> followed = followLinks(FilePath::encode(path));
    struct stat info {};
    // A path the system cannot look up is left to the write, which reports why.
    if (!followed || ::stat(followed->constData(), &info) != 0)
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        return FileError::fromErrno(EISDIR);
    if (!S_ISREG(info.st_mode))
        return FileError::notRegularFile();
    return std::nullopt;
}

} // namespace FileBytes
