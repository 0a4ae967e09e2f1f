#include "platform/FileError.h"

#include <system_error>

FileError FileError::fromErrno(int number)
{
    return {number, QString::fromLocal8Bit(std::generic_category().message(number))};
}
