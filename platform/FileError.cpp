#include "platform/FileError.h"

#include <QCoreApplication>

#include <cerrno>
#include <system_error>

namespace {

struct FileErrorTexts {
    Q_DECLARE_TR_FUNCTIONS(FileErrorTexts)
};

} // namespace

FileError FileError::fromErrno(int number)
{
    return {number, QString::fromLocal8Bit(std::generic_category().message(number))};
}

FileError FileError::notRegularFile()
{
    return {EINVAL, FileErrorTexts::tr("Not a regular file")};
}
