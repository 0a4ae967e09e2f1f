#include "platform/NewFile.h"

#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// A hidden name beside the file, short enough to stay within the system's name length.
QByteArray temporaryName(const QByteArray& folder, const QByteArray& base)
{
    return folder + '.' + base.left(200) + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36)
        + ".tmp";
}

/// Gives the open file `fd` the name `target`; 0 or errno (EEXIST when the name is taken).
int linkDescriptor(int fd, const QByteArray& target)
{
    const QByteArray descriptor = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, descriptor.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    // Without /proc the descriptor itself is linked, which some systems allow only to
    // privileged processes.
    if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno;
}

} // namespace

QByteArray folderOf(const QByteArray& path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

void syncFolderOf(const QByteArray& path)
{
    const QByteArray folder = folderOf(path);
    Descriptor fd(::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

NewFile::NewFile(const QByteArray& beside, mode_t mode)
    : mFolder(folderOf(beside)), mBase(beside.mid(mFolder.size()))
{
    mFd = Descriptor(::open(mFolder.isEmpty() ? "." : mFolder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (mFd.valid())
        return;
    // These are how a kernel or a file system without unnamed files refuses them.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        mError = errno;
        return;
    }
    for (;;) {
        const QByteArray candidate = temporaryName(mFolder, mBase);
        mFd = Descriptor(::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (mFd.valid()) {
            mName = candidate;
            return;
        }
        if (errno != EEXIST) {
            mError = errno;
            return;
        }
    }
}

NewFile::~NewFile()
{
    if (!mPlaced && !mName.isEmpty())
        ::unlink(mName.constData());
}

int NewFile::flush()
{
    return ::fsync(mFd.get()) == 0 ? 0 : errno;
}

int NewFile::nameTemporarily()
{
    for (;;) {
        const QByteArray candidate = temporaryName(mFolder, mBase);
        const int error = linkDescriptor(mFd.get(), candidate);
        if (!error)
            mName = candidate;
        if (error != EEXIST)
            return error;
    }
}

int NewFile::replace(const QByteArray& target)
{
    int error = flush();
    // A named file is closed first: some file systems report a failed write only there.
    if (!error && !unnamed())
        error = mFd.close();
    // The unnamed file has a name only for the moment between these two steps.
    if (!error && unnamed())
        error = nameTemporarily();
    if (!error && ::rename(mName.constData(), target.constData()) != 0)
        error = errno;
    if (error)
        return error;
    mPlaced = true;
    syncFolderOf(target);
    return 0;
}

int NewFile::linkAs(const QByteArray& target)
{
    if (const int error = flush())
        return error;
    if (unnamed()) {
        if (const int error = linkDescriptor(mFd.get(), target))
            return error;
    } else {
        if (::link(mName.constData(), target.constData()) != 0)
            return errno;
        ::unlink(mName.constData());
    }
    mName = target;
    mPlaced = true;
    syncFolderOf(target);
    return 0;
}
