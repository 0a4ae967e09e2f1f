#include "HighlightOption.h"

#include "CSettings.h"
#include "SettingText.h"

#include <QSettings>

bool readHighlightMatches(const CSettings& settings)
{
    return textToBoolean(settings.GetSetting(kHighlightMatchesKey, true)).value_or(true);
}

void writeHighlightMatches(CSettings& settings, bool bValue)
{
    settings.SaveSetting(kHighlightMatchesKey, bValue);
}
