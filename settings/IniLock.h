#pragma once

#include "settings/IniFile.h"

#include <QString>

class QLockFile;

/// Takes `lock`, the lock file beside the settings file `filePath`, for one read-modify-write.
/// A lock whose owner is gone is taken over at once. A lock held by a living program is
/// waited for up to `waits.held`, and then the result is `IniStatus::Busy`. Something that
/// no program could hold as a lock (a folder, a file that is not a lock file, one that
/// cannot be read) is `IniStatus::BrokenLock` with a message that says what it is; only a
/// file that may be a lock still being written is waited for first, up to `waits.unwritten`.
IniResult takeIniLock(QLockFile& lock, const QString& filePath, const IniLockWaits& waits);
