#include "cli/ReadInput.h"

#include "platform/FileBytes.h"
#include "platform/FilePath.h"

#include <cerrno>
#include <unistd.h>

namespace {

QByteArray reason(const FileError& error)
{
    switch (error.number) {
    case EISDIR: return "it is a folder (-r searches folders)";
    case EFBIG:
        return "it is too large to search (more than " + QByteArray::number(kMaxInputBytes) + " bytes)";
    case ENOMEM:
        return "there is not enough memory to read it (an input is read whole, up to " +
               QByteArray::number(kMaxInputBytes) + " bytes)";
    default: return error.description.toUtf8();
    }
}

} // namespace

ReadFailure readFailure(const InputFile& input, const FileError& error)
{
    return ReadFailure{"cannot read " + input.quotedName() + ": " + reason(error)};
}

Result<QByteArray, ReadFailure> readInput(const InputFile& input)
{
    Result<QByteArray, FileError> bytes = input.standardInput
                                              ? FileBytes::readDescriptor(STDIN_FILENO, kMaxInputBytes)
                                              : FileBytes::read(FilePath::decode(input.path), kMaxInputBytes);
    if (!bytes)
        return readFailure(input, bytes.error());
    return std::move(bytes).value();
}

std::optional<ReadFailure> checkRegularFile(const InputFile& input)
{
    if (FileBytes::checkRegularTarget(FilePath::decode(input.path)))
        return ReadFailure{"cannot replace in place in " + input.quotedName() + ": it is not a regular file"};
    return std::nullopt;
}

std::optional<QByteArray> unfinishedSaveMessage(const InputFile& input, bool inPlace)
{
    if (input.standardInput)
        return std::nullopt;
    const std::optional<QString> backup = FileBytes::unfinishedRewriteBackup(FilePath::decode(input.path));
    if (!backup)
        return std::nullopt;
    const QByteArray backupName = "'" + FilePath::encode(*backup) + "'";
    if (inPlace)
        return "cannot replace in place in " + input.quotedName() + ": a save of it did not finish, and "
               + backupName + " holds its text from before that save; put that text back or remove "
               + backupName + " first";
    return input.quotedName() + ": a save of it did not finish, so it may hold only part of the saved text; "
        + backupName + " holds its text from before that save";
}
