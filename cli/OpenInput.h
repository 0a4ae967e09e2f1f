#pragma once

#include "cli/InputFiles.h"

#include <QtGlobal>

/// An input opened for reading with one look-up of what it is: standard input, or a file
/// opened without waiting for a pipe's writer. A regular file larger than kMaxInputBytes, or a
/// folder, is a failure. Closed when this ends; standard input stays open.
class OpenInput {
public:
    explicit OpenInput(const InputFile& input);
    ~OpenInput();
    OpenInput(const OpenInput&) = delete;
    OpenInput& operator=(const OpenInput&) = delete;

    int fd() const { return mFd; }
    bool regular() const { return mRegular; }
    /// The bytes of a regular file when it was opened.
    qint64 size() const { return mSize; }
    /// The errno of a failure to open it, or 0.
    int error() const { return mError; }

private:
    int mFd = -1;
    bool mOwned = false;
    bool mRegular = false;
    qint64 mSize = 0;
    int mError = 0;
};
