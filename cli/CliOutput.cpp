#include "cli/CliOutput.h"

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

void FileCliOutput::writeResults(QByteArrayView bytes)
{
    writeTo(mOut, bytes);
}

void FileCliOutput::writeMessage(QByteArrayView line)
{
    writeTo(mErr, line);
}
