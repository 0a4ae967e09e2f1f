#include "platform/FileError.h"

#include <cerrno>
#include <system_error>

FileError FileError::fromErrno(int number)
{
    return {number, QString::fromLocal8Bit(std::generic_category().message(number))};
}

FileError FileError::notRegularFile()
{
    return {EINVAL, QStringLiteral("Not a regular file")};
}
