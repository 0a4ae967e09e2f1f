#pragma once

#include <QByteArrayView>

#include <cerrno>
#include <unistd.h>

/// A file descriptor that is closed when it goes out of scope unless it was closed or
/// released explicitly.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : mFd(fd) {}
    Descriptor(Descriptor&& other) noexcept : mFd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        if (this != &other) {
            reset();
            mFd = other.release();
        }
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }

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
    int release()
    {
        const int fd = mFd;
        mFd = -1;
        return fd;
    }
    void reset()
    {
        if (mFd >= 0)
            ::close(mFd);
        mFd = -1;
    }

    int mFd;
};

/// Writes all of `bytes` at the descriptor's offset, resuming after partial writes and
/// interruptions; 0 or errno.
inline int writeAll(int fd, QByteArrayView bytes)
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
