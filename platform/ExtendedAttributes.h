#pragma once

#include <QByteArray>

/// Gives the open file `to` the extended attributes of the file `from`: user data, the
/// access control list (system.posix_acl_access) and security labels, as far as the
/// system lets this process set them. One it may not set is left out, as the owner is
/// when it cannot be kept. An access control list that `to` took from its folder's
/// defaults is removed when `from` has none.
void copyExtendedAttributes(const QByteArray& from, int to);
