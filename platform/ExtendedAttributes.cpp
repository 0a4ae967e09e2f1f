#include "platform/ExtendedAttributes.h"

#include <QList>

#include <cerrno>
#include <optional>
#include <sys/xattr.h>

namespace {

const char kAccessList[] = "system.posix_acl_access";

/// Reads a value whose size is asked first and may grow in between (ERANGE), as the
/// list of names and each attribute's value do.
template <typename Read>
std::optional<QByteArray> readGrowing(Read read)
{
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = read(value.data(), value.size());
        if (got >= 0) {
            value.truncate(got);
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
}

} // namespace

void copyExtendedAttributes(const QByteArray& from, int to)
{
    const std::optional<QByteArray> names =
        readGrowing([&](char* list, size_t size) { return ::listxattr(from.constData(), list, size); });
    if (!names)
        return;
    bool hasAccessList = false;
    for (const QByteArray& name : names->split('\0')) {
        if (name.isEmpty())
            continue;
        hasAccessList = hasAccessList || name == kAccessList;
        const std::optional<QByteArray> value = readGrowing(
            [&](char* data, size_t size) { return ::getxattr(from.constData(), name.constData(), data, size); });
        if (value)
            ::fsetxattr(to, name.constData(), value->constData(), static_cast<size_t>(value->size()), 0);
    }
    if (!hasAccessList)
        ::fremovexattr(to, kAccessList);
}
