#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>

/// Conversions between the settings store's text values and the values callers hold.

/// The text stored for a value: a boolean as "-1" or "0", a number as its decimal digits,
/// text unchanged.
QString valueToText(const QVariant& value);

/// The text handed back for a missing key: a boolean as the word "True" or "False",
/// a number as its decimal digits, text unchanged, no value as empty text.
QString defaultToText(const QVariant& value);

/// Reads stored text as a boolean: a decimal number is false when zero and true otherwise,
/// and the words True and False count in any letter case. Blanks around the text are
/// allowed. Nothing when the text is none of these, so the caller keeps its default.
std::optional<bool> textToBoolean(QStringView text);

/// Reads stored text as a whole number in decimal digits with an optional sign (blanks
/// around it allowed). Nothing when the text is not such a number or does not fit in an int.
std::optional<int> textToInteger(QStringView text);
