#include "FuzzChecks.h"
#include "FuzzInput.h"

#include "settings/IniText.h"

#include <optional>

namespace {

QString describe(const std::optional<QString>& value)
{
    return value ? u'"' + *value + u'"' : QStringLiteral("nothing");
}

QString section(unsigned char choice)
{
    static constexpr const char16_t* kSections[] = {u"Settings", u"SETTINGS", u"Other"};
    return QString::fromUtf16(kSections[choice % std::size(kSections)]);
}

} // namespace

namespace FuzzChecks {

QString ini(QByteArrayView data)
{
    FuzzInput input(data);
    const QString name = section(input.byte());
    const QString key = fuzzText(input.chunk(), false);
    const QString value = fuzzText(input.chunk(), false);
    const QString otherKey = fuzzText(input.chunk(), false);
    const QByteArrayView contents = input.rest(data.size());

    IniText::findValue(contents, name, key);
    if (!IniText::isValidKey(key) || !IniText::isValidValue(value))
        return {};
    const bool keyWasMissing = IniText::removeKey(contents, name, key) == contents;

    const bool checkOther = IniText::isValidKey(otherKey) && otherKey.compare(key, Qt::CaseInsensitive) != 0;
    const std::optional<QString> otherBefore = IniText::findValue(contents, name, otherKey);

    const QByteArray written = IniText::setValue(contents, name, key, value);
    const std::optional<QString> readBack = IniText::findValue(written, name, key);
    if (readBack != value)
        return QStringLiteral("set \"%1\" to \"%2\" but read back %3").arg(key, value, describe(readBack));
    if (checkOther) {
        const std::optional<QString> otherAfter = IniText::findValue(written, name, otherKey);
        if (otherAfter != otherBefore)
            return QStringLiteral("setting \"%1\" changed \"%2\" from %3 to %4")
                .arg(key, otherKey, describe(otherBefore), describe(otherAfter));
    }
    if (IniText::setValue(written, name, key, value) != written)
        return QStringLiteral("setting \"%1\" to the value it already has changed the file").arg(key);

    const QByteArray removed = IniText::removeKey(written, name, key);
    if (keyWasMissing && IniText::findValue(removed, name, key))
        return QStringLiteral("\"%1\" still reads a value after the key it was set in was removed").arg(key);
    if (checkOther && IniText::findValue(removed, name, otherKey) != otherBefore)
        return QStringLiteral("removing \"%1\" changed \"%2\"").arg(key, otherKey);

    const QByteArray withoutSection = IniText::removeSection(written, name);
    if (const auto left = IniText::findValue(withoutSection, name, key))
        return QStringLiteral("\"%1\" still reads %2 after its section was removed").arg(key, describe(left));
    return {};
}

} // namespace FuzzChecks
