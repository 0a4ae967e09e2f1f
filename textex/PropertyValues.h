#pragma once

#include "platform/Result.h"
#include "textex/PropertyError.h"

#include <QString>
#include <QVariant>

#include <vector>

// Conversions of stored property values to the types of the properties, with the errors
// the host reports for values that do not convert.

using WholeNumber = Result<int, PropertyError>;
using Boolean = Result<bool, PropertyError>;

/// A number or numeric text (blanks around it allowed) as a 32-bit whole number; a
/// fraction rounds to the nearest whole number, halves to the even one. Overflow beyond
/// 32 bits, type mismatch for anything else.
WholeNumber toWholeNumber(const QVariant& vValue);

/// A boolean, a number (non-zero is true) or the texts "True"/"False" in any case or
/// numeric text. Type mismatch for anything else.
Boolean toBoolean(const QVariant& vValue);

/// The stops in dialog units (4 units are one average character width), never none.
using TabStopList = Result<std::vector<int>, PropertyError>;

/// Splits sValue at every comma and converts each item with toWholeNumber. An empty text
/// gives the one stop 32; the first item that does not convert gives its error.
TabStopList parseTabStops(const QString& sValue);
