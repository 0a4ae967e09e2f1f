#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <chrono>
#include <functional>
#include <optional>

/// Why an operation on an INI file failed. The numbers are shown in error messages.
enum class IniStatus {
    /// The file exists but could not be read, or is not a regular file; writing it would
    /// lose its contents.
    Unreadable = 1,
    /// The file or its folder cannot be written (read-only folder, no rights, full disk).
    Unwritable = 2,
    /// The key is empty or holds characters a key line cannot hold.
    InvalidKey = 3,
    /// The value holds half of a surrogate pair, which no text file can keep.
    InvalidValue = 4,
    /// Another program kept the file's lock for longer than a write can take.
    Busy = 5,
    /// What stands where the file's lock belongs is no lock a program could hold (a folder,
    /// a file that is not a lock file, one that cannot be read); only the user can remove it.
    BrokenLock = 6,
};

struct IniError {
    IniStatus status;
    QString description;
};

/// Success, or the error that stopped a change of the file.
using IniResult = Result<void, IniError>;
/// The value read, empty when the file, the section or the key is missing or the line
/// cannot be read; or the error that stopped the read.
using IniLookup = Result<std::optional<QString>, IniError>;

/// One change of an update: `key` set to `value`, or removed when there is no value.
struct IniChange {
    QString key;
    std::optional<QString> value;
};

/// How long a change waits for the lock beside the file.
struct IniLockWaits {
    /// For a lock another living program holds, which it keeps for one read-modify-write.
    std::chrono::milliseconds held{10'000};
    /// For a lock file that does not read as a lock yet, as one just created does until its
    /// program has written it.
    std::chrono::milliseconds unwritten{500};
};

/// One INI file on disk. Every call opens, reads or replaces the file by itself. A change is
/// one read-modify-write under a lock file beside the file (its name + ".lock"), so that two
/// programs changing the file at once both keep their changes, and ends in one safe
/// replacement of the whole file (FileBytes::write), every step checked: a failed write
/// leaves the old file byte for byte. Anything but a regular file is refused unopened.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return mPath; }
    void setLockWaits(const IniLockWaits& waits) { mLockWaits = waits; }

    /// A missing file reads as an empty one.
    IniLookup read(QStringView section, QStringView key) const;
    IniResult write(QStringView section, QStringView key, QStringView value);
    /// Succeeds without writing when there is nothing to remove.
    IniResult remove(QStringView section, QStringView key);
    IniResult removeSection(QStringView section);
    /// Makes every change, in order, in one read-modify-write. A change whose key or value
    /// the file cannot hold is left out and its failure returned, unless the write fails;
    /// the others are made. The file is written whenever a value is set, so that success
    /// says the file can be written.
    IniResult update(QStringView section, const QList<IniChange>& changes);

private:
    /// The file's bytes, none when it is missing.
    Result<QByteArray, IniError> load() const;
    IniResult save(const QByteArray& bytes);
    /// Runs `edit` on the file's bytes while holding the lock and writes what it returns;
    /// nothing is written when it returns nothing.
    IniResult modify(const std::function<std::optional<QByteArray>(const QByteArray&)>& edit);

    QString mPath;
    IniLockWaits mLockWaits;
};
