#pragma once

#include <QString>

/// `caption` as a screen reader should say it: without the "&" that marks its access key,
/// and with "&&" as the one "&" that the caption shows ("Find &Next" gives "Find Next",
/// "Search && Replace" gives "Search & Replace").
QString withoutAccessKey(const QString& caption);

/// Gives `control` (a widget) the name a screen reader says for it, `caption` without its
/// access key, and what it is for where the name does not say it.
template <typename Control>
void describeControl(Control* control, const QString& caption, const QString& description = {})
{
    control->setAccessibleName(withoutAccessKey(caption));
    control->setAccessibleDescription(description);
}
