#include "documents/RememberedOptions.h"

#include "documents/ReplaceEscape.h"
#include "settings/CSettings.h"
#include "settings/SettingText.h"

#include <QFileInfo>

namespace {

const QString kPattern = QStringLiteral("Pattern");

/// Reads the options from the store in use, or from Settings.ini when it was refused at
/// start-up: the options of the runs before are there, not in the per-user area.
class OptionReader {
public:
    explicit OptionReader(const CSettings& settings)
        : mSettings(settings), mFromINI(optionsFromRefusedINI(settings))
    {
    }

    QString GetSetting(const QString& sName, const QVariant& vDefault) const
    {
        return mFromINI ? mSettings.GetINISetting(sName, vDefault) : mSettings.GetSetting(sName, vDefault);
    }

private:
    const CSettings& mSettings;
    bool mFromINI;
};

bool readBoolean(const OptionReader& settings, const QString& sName, bool bDefault)
{
    return textToBoolean(settings.GetSetting(sName, bDefault)).value_or(bDefault);
}

} // namespace

bool optionsFromRefusedINI(const CSettings& settings)
{
    return settings.INIRefused() && QFileInfo(settings.INIFile()).isFile();
}

RememberedOptions readRememberedOptions(const CSettings& store)
{
    const OptionReader settings(store);
    RememberedOptions options;
    options.pattern = settings.GetSetting(kPattern, QString());
    for (int i = 0;; ++i) {
        const QString entry = settings.GetSetting(kPattern + QString::number(i), QString());
        if (entry.isEmpty())
            break;
        options.history.append(entry);
    }
    options.replaceWith = ReplaceEscape::decode(settings.GetSetting(QStringLiteral("Replace"), QString()));

    const std::optional<int> ignoreCase = textToInteger(settings.GetSetting(QStringLiteral("IgnoreCase"), 0));
    if (ignoreCase && *ignoreCase >= 0 && *ignoreCase <= 2)
        options.ignoreCase = *ignoreCase;

    options.wordWrap = readBoolean(settings, QStringLiteral("WordWrap"), options.wordWrap);
    options.proportionalFont = readBoolean(settings, QStringLiteral("ProportionalFont"), options.proportionalFont);
    options.showSyntax = readBoolean(settings, QStringLiteral("ShowSyntax"), options.showSyntax);
    options.highlightMatches = readBoolean(settings, QStringLiteral("HighlightMatches"), options.highlightMatches);
    options.groupColours = readBoolean(settings, QStringLiteral("GroupColours"), options.groupColours);
    options.groupColoursEveryMatch =
        readBoolean(settings, QStringLiteral("GroupColoursEveryMatch"), options.groupColoursEveryMatch);
    options.searchInSelection = readBoolean(settings, QStringLiteral("SearchInSelection"), options.searchInSelection);
    options.caseConversion = readBoolean(settings, QStringLiteral("CaseConversion"), options.caseConversion);
    options.matchesWindow = readBoolean(settings, QStringLiteral("MatchesWindow"), options.matchesWindow);
    options.matchesWindowGeometry = settings.GetSetting(QStringLiteral("MatchesWindowGeometry"), QString());
    options.explainPattern = readBoolean(settings, QStringLiteral("ExplainPattern"), options.explainPattern);
    options.explainPatternGeometry = settings.GetSetting(QStringLiteral("ExplainPatternGeometry"), QString());
    return options;
}

void writeRememberedOptions(CSettings& settings, const RememberedOptions& options)
{
    SettingValues values{{kPattern, options.pattern}};
    int stored = 0;
    for (const QString& entry : options.history) {
        // The list is read up to the first missing or empty key, so an entry that cannot be
        // kept is left out rather than hide the entries after it.
        if (!entry.isEmpty() && CSettings::CanStore(entry))
            values.append({kPattern + QString::number(stored++), entry});
    }
    values += SettingValues{{QStringLiteral("Replace"), ReplaceEscape::encode(options.replaceWith)},
                            {QStringLiteral("IgnoreCase"), options.ignoreCase},
                            {QStringLiteral("WordWrap"), options.wordWrap},
                            {QStringLiteral("ProportionalFont"), options.proportionalFont},
                            {QStringLiteral("ShowSyntax"), options.showSyntax},
                            {QStringLiteral("HighlightMatches"), options.highlightMatches},
                            {QStringLiteral("GroupColours"), options.groupColours},
                            {QStringLiteral("GroupColoursEveryMatch"), options.groupColoursEveryMatch},
                            {QStringLiteral("SearchInSelection"), options.searchInSelection},
                            {QStringLiteral("CaseConversion"), options.caseConversion},
                            {QStringLiteral("MatchesWindow"), options.matchesWindow},
                            {QStringLiteral("MatchesWindowGeometry"), options.matchesWindowGeometry},
                            {QStringLiteral("ExplainPattern"), options.explainPattern},
                            {QStringLiteral("ExplainPatternGeometry"), options.explainPatternGeometry}};
    // Without the key after the last entry, the entries of a longer list stored before would
    // come back after this one.
    settings.SaveSettings(values, {kPattern + QString::number(stored)});
}

Qt::CheckState ignoreCaseState(int nValue)
{
    switch (nValue) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

int ignoreCaseValue(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}
