#include "cli/CliOutput.h"

#include <sys/stat.h>

namespace {

void writeTo(std::FILE* stream, QByteArrayView bytes)
{
    // An empty view may have no data pointer, which fwrite must not be given.
    if (!bytes.isEmpty())
        std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stream);
}

} // namespace

void CliOutput::note(QByteArrayView text)
{
    // One write for the whole line, so that it is not split among other processes' messages.
    writeMessage("sifta-cli: " + text.toByteArray() + '\n');
}

void CliOutput::error(QByteArrayView text)
{
    note(text);
    mFailed = true;
}

FileCliOutput::FileCliOutput(std::FILE* out, std::FILE* err) : mOut(out), mErr(err)
{
    struct stat info {};
    mOutIsRegularFile = ::fstat(::fileno(out), &info) == 0 && S_ISREG(info.st_mode);
}

void FileCliOutput::flush()
{
    if (!mOutIsRegularFile)
        std::fflush(mOut);
}

void FileCliOutput::writeResults(QByteArrayView bytes)
{
    writeTo(mOut, bytes);
}

void FileCliOutput::writeMessage(QByteArrayView line)
{
    writeTo(mErr, line);
}

void CliOutput::replay(const RecordedCliOutput& recorded)
{
    for (const RecordedCliOutput::Entry& entry : recorded.mEntries) {
        if (entry.message)
            writeMessage(entry.bytes);
        else
            writeResults(entry.bytes);
    }
    mFailed = mFailed || recorded.failed();
}

void RecordedCliOutput::writeResults(QByteArrayView bytes)
{
    // Results come in many small pieces; they go into one entry until a message comes.
    if (mEntries.empty() || mEntries.back().message)
        mEntries.push_back({QByteArray(), false});
    mEntries.back().bytes += bytes;
}

void RecordedCliOutput::writeMessage(QByteArrayView line)
{
    mEntries.push_back({line.toByteArray(), true});
}
