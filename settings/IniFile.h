#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

/// How an operation on an INI file ended. The numbers are shown in error messages.
enum class IniStatus {
    Ok = 0,
    /// The file exists but could not be read; writing it would lose its contents.
    Unreadable = 1,
    /// The file or its folder cannot be written (read-only folder, no rights, full disk).
    Unwritable = 2,
    /// The key is empty or holds characters a key line cannot hold.
    InvalidKey = 3,
    /// The value holds a line break, which a value line cannot hold, or a broken UTF-16 character.
    InvalidValue = 4,
};

struct IniResult {
    IniStatus status = IniStatus::Ok;
    QString description;

    bool ok() const { return status == IniStatus::Ok; }
};

struct IniLookup {
    IniResult result;
    /// Empty when the file, the section or the key is missing, or the line cannot be read.
    std::optional<QString> value;
};

/// One INI file on disk. Every call opens, reads or replaces the file by itself; writes go
/// to a temporary file in the same folder that then replaces the file, so a failed write
/// leaves the old file untouched.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return mPath; }

    /// A missing file reads as an empty one.
    IniLookup read(QStringView section, QStringView key) const;
    IniResult write(QStringView section, QStringView key, QStringView value);
    /// Succeeds without writing when there is nothing to remove.
    IniResult remove(QStringView section, QStringView key);
    IniResult removeSection(QStringView section);

private:
    struct Contents {
        IniResult result;
        QByteArray bytes;
    };
    Contents load() const;
    IniResult save(const QByteArray& bytes);

    QString mPath;
};
