#include "settings/IniFile.h"

#include "platform/FileBytes.h"
#include "settings/IniLock.h"
#include "settings/IniText.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

struct IniFileTexts {
    Q_DECLARE_TR_FUNCTIONS(IniFileTexts)
};

QString readFailure(const QString& path, const QString& reason)
{
    return IniFileTexts::tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString writeFailure(const QString& path, const QString& reason)
{
    return IniFileTexts::tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

IniResult check(const IniChange& change)
{
    if (!IniText::isValidKey(change.key))
        return IniError{IniStatus::InvalidKey,
                        IniFileTexts::tr("The name \"%1\" cannot be a key of a settings file.").arg(change.key)};
    if (change.value && !IniText::isValidValue(*change.value))
        return IniError{IniStatus::InvalidValue,
                        IniFileTexts::tr("The value of \"%1\" holds a broken character, which a settings file cannot keep.")
                            .arg(change.key)};
    return {};
}

} // namespace

IniFile::IniFile(QString path)
    : mPath(std::move(path))
{
}

IniLookup IniFile::read(QStringView section, QStringView key) const
{
    const Result<QByteArray, IniError> contents = load();
    if (!contents)
        return contents.error();
    return IniText::findValue(contents.value(), section, key);
}

IniResult IniFile::write(QStringView section, QStringView key, QStringView value)
{
    return update(section, {{key.toString(), value.toString()}});
}

IniResult IniFile::remove(QStringView section, QStringView key)
{
    return update(section, {{key.toString(), std::nullopt}});
}

IniResult IniFile::removeSection(QStringView section)
{
    return modify([section](const QByteArray& bytes) -> std::optional<QByteArray> {
        QByteArray changed = IniText::removeSection(bytes, section);
        if (changed == bytes)
            return std::nullopt;
        return changed;
    });
}

IniResult IniFile::update(QStringView section, const QList<IniChange>& changes)
{
    IniResult refused;
    QList<IniChange> accepted;
    for (const IniChange& change : changes) {
        const IniResult result = check(change);
        if (result.ok())
            accepted.append(change);
        else if (refused.ok())
            refused = result;
    }
    if (accepted.isEmpty())
        return refused;

    const bool setsValue =
        std::any_of(accepted.cbegin(), accepted.cend(), [](const IniChange& change) { return change.value.has_value(); });
    const IniResult written = modify([&](const QByteArray& bytes) -> std::optional<QByteArray> {
        QByteArray changed = bytes;
        for (const IniChange& change : accepted) {
            changed = change.value ? IniText::setValue(changed, section, change.key, *change.value)
                                   : IniText::removeKey(changed, section, change.key);
        }
        if (!setsValue && changed == bytes)
            return std::nullopt;
        return changed;
    });
    return written.ok() ? refused : written;
}

Result<QByteArray, IniError> IniFile::load() const
{
    // Opening a pipe would wait for a writer that may never come, so only a regular file is read.
    if (const std::optional<FileError> refused = FileBytes::checkRegularTarget(mPath))
        return IniError{IniStatus::Unreadable, readFailure(mPath, refused->description)};
    Result<QByteArray, FileError> bytes = FileBytes::read(mPath);
    if (bytes)
        return std::move(bytes).value();
    if (bytes.error().number == ENOENT || bytes.error().number == ENOTDIR)
        return QByteArray();
    return IniError{IniStatus::Unreadable, readFailure(mPath, bytes.error().description)};
}

IniResult IniFile::save(const QByteArray& bytes)
{
    std::optional<FileError> failure = FileBytes::checkRegularTarget(mPath);
    if (!failure)
        failure = FileBytes::write(mPath, bytes);
    if (failure)
        return IniError{IniStatus::Unwritable, writeFailure(mPath, failure->description)};
    return {};
}

IniResult IniFile::modify(const std::function<std::optional<QByteArray>(const QByteArray&)>& edit)
{
    QLockFile lock(mPath + QStringLiteral(".lock"));
    if (const IniResult locked = takeIniLock(lock, mPath, mLockWaits); !locked.ok())
        return locked;
    const Result<QByteArray, IniError> contents = load();
    if (!contents)
        return contents.error();
    const std::optional<QByteArray> changed = edit(contents.value());
    if (!changed)
        return {};
    return save(*changed);
}
