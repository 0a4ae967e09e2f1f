#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

/// A small tmpfs mounted on an empty folder for the life of the object, to make a full or a
/// read-only file system. Mounting needs CAP_SYS_ADMIN; without it `error()` says why, and the
/// test skips.
class ScratchMount {
public:
    ScratchMount(const QString& folder, const QByteArray& size)
        : mFolder(QFile::encodeName(folder)), mOptions("size=" + size + ",mode=0755")
    {
        if (::mount("tmpfs", mFolder.constData(), "tmpfs", MS_NOSUID | MS_NODEV, mOptions.constData()) != 0)
            mError = describe("mount a tmpfs");
        else
            mMounted = true;
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;
    ~ScratchMount()
    {
        if (mMounted)
            ::umount2(mFolder.constData(), MNT_DETACH);
    }

    bool mounted() const { return mMounted; }
    const QString& error() const { return mError; }

    /// Makes the file system read-only; false, with `error()` set, when the system refuses.
    bool makeReadOnly()
    {
        const unsigned long flags = MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV;
        if (::mount("tmpfs", mFolder.constData(), "tmpfs", flags, mOptions.constData()) == 0)
            return true;
        mError = describe("remount the tmpfs read-only");
        return false;
    }

private:
    static QString describe(const char* action)
    {
        return QStringLiteral("cannot %1 (%2); this needs root with CAP_SYS_ADMIN")
            .arg(QLatin1String(action), QString::fromLocal8Bit(std::strerror(errno)));
    }

    QByteArray mFolder;
    QByteArray mOptions;
    QString mError;
    bool mMounted = false;
};
