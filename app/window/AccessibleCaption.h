#pragma once

#include <QString>

/// `caption` as a screen reader should say it: without the "&" that marks its access key,
/// and with "&&" as the one "&" that the caption shows ("Find &Next" gives "Find Next",
/// "Search && Replace" gives "Search & Replace").
QString withoutAccessKey(const QString& caption);
