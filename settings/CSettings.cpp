#include "settings/CSettings.h"

#include "platform/MessageBox.h"
#include "settings/IniText.h"
#include "settings/SettingText.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

std::unique_ptr<CSettings> gSettings;

namespace {

struct CSettingsTexts {
    Q_DECLARE_TR_FUNCTIONS(CSettingsTexts)
};

const QString kSection = QStringLiteral("Settings");
const QString kLocationKey = QStringLiteral("SaveToINI");
const QString kIniFileName = QStringLiteral("Settings.ini");

QString userKey(const QString& sName)
{
    return kSection + u'/' + sName;
}

/// The text stored for a value. A null text would delete the key in the INI file; an empty
/// value is stored as such.
QString storedText(const QVariant& vValue)
{
    const QString text = valueToText(vValue);
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

QString CSettings::defaultProgramFolder()
{
    return QCoreApplication::applicationDirPath();
}

std::unique_ptr<QSettings> CSettings::defaultUserStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kAppTitle, kAppTitle);
}

CSettings::CSettings(IMessageBox& messages, const QString& programFolder, std::unique_ptr<QSettings> userStore)
    : mMessages(messages)
    , mIni(QDir(programFolder).filePath(kIniFileName))
    , mUserStore(std::move(userStore))
{
    Q_ASSERT(mUserStore);
    // The location is read from the per-user area only: "SaveToINI" there is absent while
    // the INI file is in use, so every start tries the INI file again. A value that is not
    // a boolean can only come from outside the program and counts as absent.
    const QString stored = mUserStore->value(userKey(kLocationKey), defaultToText(true)).toString();
    const bool wanted = textToBoolean(stored).value_or(true);
    SaveToINI(wanted);
    mINIRefused = wanted && !mSaveToINI;
}

CSettings::~CSettings()
{
    SaveSetting(kLocationKey, mSaveToINI);
}

bool CSettings::SaveToINI() const
{
    return mSaveToINI;
}

void CSettings::SaveToINI(bool bValue)
{
    // The location is flushed at once, so a program that ends without its release still
    // starts in the same place next time; other values are flushed with the store.
    if (bValue && INIWriteSetting(kLocationKey, valueToText(true))) {
        mUserStore->remove(userKey(kLocationKey));
        mSaveToINI = true;
    } else {
        mUserStore->setValue(userKey(kLocationKey), valueToText(false));
        mSaveToINI = false;
    }
    mUserStore->sync();
}

QString CSettings::GetSetting(const QString& sName, const QVariant& vDefault) const
{
    const QString defaultText = defaultToText(vDefault);
    if (mSaveToINI)
        return INIGetSetting(sName, defaultText);
    return mUserStore->value(userKey(sName), defaultText).toString();
}

QString CSettings::GetINISetting(const QString& sName, const QVariant& vDefault) const
{
    return INIGetSetting(sName, defaultToText(vDefault));
}

void CSettings::SaveSetting(const QString& sName, const QVariant& vValue)
{
    if (mSaveToINI)
        INIWriteSetting(sName, storedText(vValue));
    else
        mUserStore->setValue(userKey(sName), storedText(vValue));
}

void CSettings::SaveSettings(const SettingValues& values, const QStringList& deletedKeys)
{
    if (mSaveToINI) {
        QList<IniChange> changes;
        for (const auto& [name, value] : values)
            changes.append({name, storedText(value)});
        for (const QString& key : deletedKeys)
            changes.append({key, std::nullopt});
        INIWriteSettings(changes);
        return;
    }
    for (const auto& [name, value] : values)
        mUserStore->setValue(userKey(name), storedText(value));
    for (const QString& key : deletedKeys)
        mUserStore->remove(userKey(key));
    mUserStore->sync();
}

bool CSettings::CanStore(QStringView sValue)
{
    return IniText::isValidValue(sValue);
}

void CSettings::DeleteSetting(const QString& sKey)
{
    if (mSaveToINI) {
        if (sKey.isEmpty())
            INIDeleteSection();
        else
            INIWriteSetting(sKey, QString());
        return;
    }
    mUserStore->remove(sKey.isEmpty() ? kSection : userKey(sKey));
}

QString CSettings::INIGetSetting(const QString& sKey, const QString& sDefault) const
{
    const IniLookup lookup = mIni.read(kSection, sKey);
    if (!lookup) {
        reportIniFailure(lookup.error(), QStringLiteral("INIGetSetting"));
        return QStringLiteral("");
    }
    return lookup.value().value_or(sDefault);
}

bool CSettings::INIWriteSetting(const QString& sKey, const QString& sValue)
{
    const IniResult result = sValue.isNull() ? mIni.remove(kSection, sKey) : mIni.write(kSection, sKey, sValue);
    return reportIniFailure(result, QStringLiteral("INIWriteSetting"));
}

void CSettings::INIWriteSettings(const QList<IniChange>& changes)
{
    reportIniFailure(mIni.update(kSection, changes), QStringLiteral("INIWriteSetting"));
}

bool CSettings::INIDeleteSection()
{
    return reportIniFailure(mIni.removeSection(kSection), QStringLiteral("DeleteSetting"));
}

/// True when the operation succeeded. A folder that cannot be written is an expected
/// condition that the callers answer by falling back, so only other failures are shown.
bool CSettings::reportIniFailure(const IniResult& result, const QString& operation) const
{
    if (result.ok())
        return true;
    const IniError& error = result.error();
    if (error.status != IniStatus::Unwritable) {
        const QString number = QString::number(static_cast<int>(error.status));
        mMessages.show(CSettingsTexts::tr("Error: %1. %2").arg(number, error.description), MessageButtons::Ok,
                       MessageIcon::None, operation);
    }
    return false;
}
