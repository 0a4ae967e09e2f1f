#include "platform/FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// These steps call the system directly rather than through QFile or QSaveFile because
// the user is shown the system's error number, which Qt's file classes do not keep.
namespace FileBytes {

namespace {

/// Closes a descriptor when it goes out of scope unless it was closed explicitly.
class Descriptor {
public:
    explicit Descriptor(int fd) : mFd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (mFd >= 0)
            ::close(mFd);
    }

    int get() const { return mFd; }
    bool valid() const { return mFd >= 0; }

    /// Closes now and returns 0, or the errno of a failed close (some file systems
    /// report a failed write only here).
    int close()
    {
        const int result = ::close(mFd);
        mFd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int mFd;
};

FileError lastError()
{
    return FileError::fromErrno(errno);
}

/// Writes all of `bytes`, resuming after partial writes and interruptions; 0 or errno.
int writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    return 0;
}

std::optional<FileError> writeInPlace(const QByteArray& name, QByteArrayView bytes)
{
    Descriptor fd(::open(name.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.valid())
        return lastError();
    if (const int error = writeAll(fd.get(), bytes))
        return FileError::fromErrno(error);
    if (const int error = fd.close())
        return FileError::fromErrno(error);
    return std::nullopt;
}

struct Sibling {
    int fd;
    QByteArray name;
    int error;
};

/// Creates a new, hidden file beside `name` with `mode`.
Sibling createSibling(const QByteArray& name, mode_t mode)
{
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = name.left(slash + 1);
    // Short enough that the temporary name stays within the system's name length limit.
    const QByteArray base = name.mid(slash + 1).left(200);
    for (;;) {
        const QByteArray candidate = folder + '.' + base + '.'
            + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return {fd, candidate, 0};
        if (errno != EEXIST)
            return {fd, candidate, errno};
    }
}

/// Flushes the folder's entry for a renamed file to disk; a failure here loses nothing
/// that is not already on disk, so it is not reported.
void syncFolder(const QByteArray& name)
{
    const QByteArray folder = name.left(name.lastIndexOf('/') + 1);
    Descriptor fd(::open(folder.isEmpty() ? "." : folder.constData(),
                         O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

std::optional<FileError> replaceSafely(const QByteArray& name, QByteArrayView bytes,
                                       const struct stat* old)
{
    const mode_t mode = old ? (old->st_mode & 07777) : 0666;
    const Sibling temporary = createSibling(name, mode);
    if (temporary.error)
        return FileError::fromErrno(temporary.error);
    Descriptor fd(temporary.fd);

    int error = 0;
    if (old) {
        // Keeping the owner needs the right to give files away; without it the new file
        // belongs to the writer, which is no reason to fail the save.
        [[maybe_unused]] const int ownerKept = ::fchown(fd.get(), old->st_uid, old->st_gid);
        // The creation mode went through the umask; this gives the old bits exactly.
        if (::fchmod(fd.get(), mode) != 0)
            error = errno;
    }
    if (!error)
        error = writeAll(fd.get(), bytes);
    if (!error && ::fsync(fd.get()) != 0)
        error = errno;
    if (const int closeError = fd.close(); !error)
        error = closeError;
    if (!error && ::rename(temporary.name.constData(), name.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.name.constData());
        return FileError::fromErrno(error);
    }
    syncFolder(name);
    return std::nullopt;
}

} // namespace

Result<QByteArray, FileError> read(const QString& path)
{
    Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return lastError();

    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return lastError();
    if (S_ISDIR(info.st_mode))
        return FileError::fromErrno(EISDIR);

    QByteArray bytes;
    if (S_ISREG(info.st_mode))
        bytes.reserve(static_cast<qsizetype>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (got == 0)
            return bytes;
        bytes.append(chunk, got);
    }
}

std::optional<FileError> write(const QString& path, QByteArrayView bytes, Target target)
{
    if (path.isEmpty())
        return FileError::fromErrno(ENOENT);
    QString resolved = path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        resolved = info.canonicalFilePath();
    const QByteArray name = QFile::encodeName(resolved);

    struct stat old {};
    if (::stat(name.constData(), &old) != 0) {
        if (errno != ENOENT || target == Target::ExistingOnly)
            return lastError();
        return replaceSafely(name, bytes, nullptr);
    }
    if (S_ISDIR(old.st_mode))
        return FileError::fromErrno(EISDIR);
    if (!S_ISREG(old.st_mode))
        return writeInPlace(name, bytes);
    // A file that nobody may write is read-only: the rename would replace it all the same
    // (and root passes every access check), so it is refused here and stays as it is.
    if ((old.st_mode & 0222) == 0)
        return FileError::fromErrno(EACCES);
    return replaceSafely(name, bytes, &old);
}

} // namespace FileBytes
