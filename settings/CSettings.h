#pragma once

#include "settings/IniFile.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>

class IMessageBox;

/// Values to store, each under its key, in the order they are written.
using SettingValues = QList<std::pair<QString, QVariant>>;

/// The store of the program's remembered options: named text values kept either in
/// Settings.ini in the program's folder or in the per-user settings area ("registry"),
/// each in the section "Settings". Exactly one of the two places is in use at a time.
///
/// Values are written as text: a boolean as "-1" or "0", a number as its decimal digits,
/// text unchanged. GetSetting always returns text; the caller converts it back with
/// textToBoolean or textToInteger (SettingText.h) and keeps its own default when they cannot.
class CSettings {
public:
    /// The folder that holds the running program; Settings.ini lives there.
    static QString defaultProgramFolder();
    /// The per-user area: the platform's native settings for the user, application "Sifta".
    static std::unique_ptr<QSettings> defaultUserStore();

    /// Decides which place is in use: the per-user area's "SaveToINI" value (true when
    /// missing) goes through the SaveToINI setter, so the INI file is tried at every start
    /// unless the per-user area is the chosen store. Shows no message for an unwritable
    /// folder. `messages` must outlive the store; it reports unexpected INI errors.
    explicit CSettings(IMessageBox& messages, const QString& programFolder = defaultProgramFolder(),
                       std::unique_ptr<QSettings> userStore = defaultUserStore());
    /// Writes the location key into the place in use ("-1" in the INI file, "0" in the
    /// per-user area).
    ~CSettings();

    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    /// True while Settings.ini is the store in use.
    bool SaveToINI() const;
    /// True when Settings.ini was to be the store at creation but could not be written, so
    /// the per-user area is in use instead; the file still holds the options of earlier runs.
    bool INIRefused() const { return mINIRefused; }
    /// Switches the store. Asking for the INI file when it cannot be written leaves the
    /// per-user area in use (read the getter afterwards); no message is shown. Values are
    /// never copied between the two places.
    void SaveToINI(bool bValue);

    /// The stored text of `sName`, or `vDefault` as text when the key is missing: a
    /// boolean as the word "True" or "False", a number as its decimal digits, text as itself,
    /// no default as empty text.
    QString GetSetting(const QString& sName, const QVariant& vDefault = QVariant()) const;
    /// As GetSetting, from Settings.ini whichever place is in use.
    QString GetINISetting(const QString& sName, const QVariant& vDefault = QVariant()) const;
    /// Stores `vValue` under `sName` in the place in use. A write the INI file refuses
    /// (unwritable folder) is dropped without a message.
    void SaveSetting(const QString& sName, const QVariant& vValue);
    /// Stores every value as SaveSetting does, in order, then deletes `deletedKeys`, all in
    /// one go: in the INI file one locked read-modify-write and one replacement of the file,
    /// so that another program writing at the same time never mixes its values in; in the
    /// per-user area one write to disk.
    void SaveSettings(const SettingValues& values, const QStringList& deletedKeys = {});
    /// Whether both places give `sValue` back exactly: any text of whole characters, line
    /// breaks included. Half of a surrogate pair is refused or comes back changed.
    static bool CanStore(QStringView sValue);
    /// Deletes the key `sKey`, or with no key the whole section "Settings", of the place
    /// in use.
    void DeleteSetting(const QString& sKey = QString());

    /// Full path of Settings.ini.
    const QString& INIFile() const { return mIni.path(); }

private:
    QString INIGetSetting(const QString& sKey, const QString& sDefault) const;
    /// Writes one key of Settings.ini; a null `sValue` deletes the key. False when the file
    /// could not be written.
    bool INIWriteSetting(const QString& sKey, const QString& sValue);
    void INIWriteSettings(const QList<IniChange>& changes);
    bool INIDeleteSection();
    bool reportIniFailure(const IniResult& result, const QString& operation) const;

    IMessageBox& mMessages;
    bool mSaveToINI = false;
    bool mINIRefused = false;
    IniFile mIni;
    std::unique_ptr<QSettings> mUserStore;
};

/// The program's one settings store. main() creates it before the main window, which is
/// handed it, and resets it once the last window has closed, which writes the location
/// key, while the message box it was given still exists.
extern std::unique_ptr<CSettings> gSettings;
