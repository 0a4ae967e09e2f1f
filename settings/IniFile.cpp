#include "settings/IniFile.h"

#include "settings/IniText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <utility>

namespace {

QString describe(const QString& action, const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot %1 %2: %3").arg(action, QDir::toNativeSeparators(path), reason);
}

} // namespace

IniFile::IniFile(QString path)
    : mPath(std::move(path))
{
}

IniLookup IniFile::read(QStringView section, QStringView key) const
{
    const Contents contents = load();
    if (!contents.result.ok())
        return {contents.result, std::nullopt};
    return {{}, IniText::findValue(contents.bytes, section, key)};
}

IniResult IniFile::write(QStringView section, QStringView key, QStringView value)
{
    if (!IniText::isValidKey(key))
        return {IniStatus::InvalidKey, QStringLiteral("The name \"%1\" cannot be a key of a settings file.").arg(key)};
    if (!IniText::isValidValue(value))
        return {IniStatus::InvalidValue,
                QStringLiteral("The value of \"%1\" holds a line break or a broken character, "
                               "which a settings file cannot keep.").arg(key)};
    const Contents contents = load();
    if (!contents.result.ok())
        return contents.result;
    return save(IniText::setValue(contents.bytes, section, key, value));
}

IniResult IniFile::remove(QStringView section, QStringView key)
{
    const Contents contents = load();
    if (!contents.result.ok())
        return contents.result;
    const QByteArray changed = IniText::removeKey(contents.bytes, section, key);
    if (changed == contents.bytes)
        return {};
    return save(changed);
}

IniResult IniFile::removeSection(QStringView section)
{
    const Contents contents = load();
    if (!contents.result.ok())
        return contents.result;
    const QByteArray changed = IniText::removeSection(contents.bytes, section);
    if (changed == contents.bytes)
        return {};
    return save(changed);
}

IniFile::Contents IniFile::load() const
{
    QFile file(mPath);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{IniStatus::Unreadable, describe(QStringLiteral("read"), mPath, file.errorString())}, {}};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{IniStatus::Unreadable, describe(QStringLiteral("read"), mPath, file.errorString())}, {}};
    return {{}, std::move(bytes)};
}

IniResult IniFile::save(const QByteArray& bytes)
{
    QSaveFile file(mPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {IniStatus::Unwritable, describe(QStringLiteral("write"), mPath, file.errorString())};
    return {};
}
