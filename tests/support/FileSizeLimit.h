#pragma once

#include <csignal>
#include <sys/resource.h>

/// Lowers the largest file size this process may write, the way a full disk stops a
/// write part way, and restores it when it goes out of scope. Writing past the limit
/// then fails with EFBIG ("File too large") instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &mSaved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = mSaved;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &mSaved); }

    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit mSaved{};
};
