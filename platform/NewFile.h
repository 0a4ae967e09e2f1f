#pragma once

#include "platform/Descriptor.h"

#include <QByteArray>

#include <sys/types.h>

/// A new file written beside another one and then put in its place. Where the file system
/// allows it (O_TMPFILE) the file has no name until it is put in place, so that a crash
/// while it is written leaves nothing behind; otherwise it starts under a hidden temporary
/// name, which is removed again on any failure.
class NewFile {
public:
    /// Creates a file with `mode` (less the umask) in the folder of the path `beside`.
    /// Check `error()` before anything else.
    NewFile(const QByteArray& beside, mode_t mode);
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    /// Removes the file again unless it was put in place.
    ~NewFile();

    /// 0, or the errno that kept the file from being created.
    int error() const { return mError; }
    int fd() const { return mFd.get(); }
    /// True while the file has no name (and so vanishes by itself on a crash).
    bool unnamed() const { return mName.isEmpty(); }

    /// Flushes the file to disk and puts it at `target`, replacing whatever is there; 0 or
    /// errno, and then the file is removed.
    int replace(const QByteArray& target);
    /// Flushes the file to disk and gives it the name `target`, which must be free (EEXIST
    /// otherwise, and the file stays as it was); 0 or errno.
    int linkAs(const QByteArray& target);

private:
    /// Gives the unnamed file a hidden temporary name.
    int nameTemporarily();
    int flush();

    QByteArray mFolder;
    QByteArray mBase;
    Descriptor mFd;
    QByteArray mName;
    int mError = 0;
    bool mPlaced = false;
};

/// The folder part of `path` with its trailing "/", or empty for a bare name.
QByteArray folderOf(const QByteArray& path);

/// Flushes the entries of the folder of `path` to disk; a failure here loses nothing that
/// is not already on disk, so it is not reported.
void syncFolderOf(const QByteArray& path);
