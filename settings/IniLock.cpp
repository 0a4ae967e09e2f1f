#include "settings/IniLock.h"

#include "platform/FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct IniLockTexts {
    Q_DECLARE_TR_FUNCTIONS(IniLockTexts)
};

/// What a lock that could not be taken at once is.
enum class LockShape { Gone, Held, Unwritten, Folder, NotAFile, Unreadable };

struct LockState {
    LockShape shape;
    int error = 0;
};

LockState lockState(const QLockFile& lock)
{
    const QByteArray name = QFile::encodeName(lock.fileName());
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return {errno == ENOENT ? LockShape::Gone : LockShape::Unreadable, errno};
    if (S_ISDIR(info.st_mode))
        return {LockShape::Folder};
    if (!S_ISREG(info.st_mode))
        return {LockShape::NotAFile};
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT ? LockShape::Gone : LockShape::Unreadable, errno};
    ::close(fd);
    qint64 pid = 0;
    QString hostName;
    QString appName;
    return {lock.getLockInfo(&pid, &hostName, &appName) ? LockShape::Held : LockShape::Unwritten};
}

IniResult failure(IniStatus status, const QString& filePath, const QString& reason)
{
    return IniError{status, IniLockTexts::tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(filePath), reason)};
}

QString removeIt(const QString& lockPath, const QString& what)
{
    return IniLockTexts::tr("%1 is %2, not a lock file: remove it so that the settings can be saved")
        .arg(QDir::toNativeSeparators(lockPath), what);
}

} // namespace

IniResult takeIniLock(QLockFile& lock, const QString& filePath, const IniLockWaits& waits)
{
    const QString lockPath = QDir::toNativeSeparators(lock.fileName());
    // A lock whose owner is gone counts as stale, and Qt takes it over in this first try.
    bool waitedForWriter = false;
    for (;;) {
        if (lock.tryLock(0))
            return {};
        if (lock.error() != QLockFile::LockFailedError)
            return failure(IniStatus::Unwritable, filePath, IniLockTexts::tr("Cannot create %1").arg(lockPath));
        const LockState state = lockState(lock);
        switch (state.shape) {
        case LockShape::Gone:
            continue;
        case LockShape::Held:
            if (lock.tryLock(waits.held))
                return {};
            if (lock.error() != QLockFile::LockFailedError)
                return failure(IniStatus::Unwritable, filePath, IniLockTexts::tr("Cannot create %1").arg(lockPath));
            return failure(IniStatus::Busy, filePath, IniLockTexts::tr("Another program holds %1").arg(lockPath));
        case LockShape::Unwritten:
            // A program that has just created its lock file writes what it holds at once.
            if (!waitedForWriter) {
                waitedForWriter = true;
                if (lock.tryLock(waits.unwritten))
                    return {};
                continue;
            }
            return failure(IniStatus::BrokenLock, filePath, removeIt(lockPath, IniLockTexts::tr("a file that holds no lock")));
        case LockShape::Folder:
            return failure(IniStatus::BrokenLock, filePath, removeIt(lockPath, IniLockTexts::tr("a folder")));
        case LockShape::NotAFile:
            return failure(IniStatus::BrokenLock, filePath, removeIt(lockPath, IniLockTexts::tr("no regular file")));
        case LockShape::Unreadable:
            return failure(IniStatus::BrokenLock, filePath,
                           IniLockTexts::tr("%1 cannot be read (%2): remove it so that the settings can be saved")
                               .arg(lockPath, FileError::fromErrno(state.error).description));
        }
    }
}
