#include "cli/OpenInput.h"

#include "cli/ReadInput.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenInput::OpenInput(const InputFile& input)
{
    if (input.standardInput) {
        mFd = STDIN_FILENO;
    } else {
        // Opened without waiting: a pipe with no writer yet would block the open itself.
        mFd = ::open(input.path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        mOwned = mFd >= 0;
    }
    struct stat info {};
    if (mFd < 0 || ::fstat(mFd, &info) != 0) {
        mError = errno;
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        mError = EISDIR;
        return;
    }
    mRegular = S_ISREG(info.st_mode);
    mSize = info.st_size;
    // As for an input searched whole, so that what can be searched does not depend on the pattern.
    if (mRegular && info.st_size > kMaxInputBytes) {
        mError = EFBIG;
        return;
    }
    // From here on a read may wait for a pipe's writer.
    if (mOwned && !mRegular)
        ::fcntl(mFd, F_SETFL, ::fcntl(mFd, F_GETFL) & ~O_NONBLOCK);
}

OpenInput::~OpenInput()
{
    if (mOwned)
        ::close(mFd);
}
