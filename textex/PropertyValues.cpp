#include "textex/PropertyValues.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

WholeNumber fromDouble(double value)
{
    if (!std::isfinite(value))
        return {0, PropertyError::Overflow()};
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return {0, PropertyError::Overflow()};
    return {static_cast<int>(rounded), std::nullopt};
}

std::optional<double> numberFromText(const QString& sText)
{
    const QString trimmed = sText.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

WholeNumber toWholeNumber(const QVariant& vValue)
{
    switch (vValue.typeId()) {
    case QMetaType::Bool:
        return {vValue.toBool() ? -1 : 0, std::nullopt};
    case QMetaType::Int:
        return {vValue.toInt(), std::nullopt};
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
        return fromDouble(vValue.toDouble());
    case QMetaType::QString:
    case QMetaType::QByteArray:
        if (const auto number = numberFromText(vValue.toString()))
            return fromDouble(*number);
        return {0, PropertyError::TypeMismatch()};
    default:
        return {0, PropertyError::TypeMismatch()};
    }
}

Boolean toBoolean(const QVariant& vValue)
{
    switch (vValue.typeId()) {
    case QMetaType::Bool:
        return {vValue.toBool(), std::nullopt};
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = vValue.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return {true, std::nullopt};
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return {false, std::nullopt};
        if (const auto number = numberFromText(text))
            return {*number != 0.0, std::nullopt};
        return {false, PropertyError::TypeMismatch()};
    }
    default: {
        const WholeNumber number = toWholeNumber(vValue);
        if (number.Error && *number.Error == PropertyError::TypeMismatch())
            return {false, number.Error};
        return {vValue.toDouble() != 0.0, std::nullopt};
    }
    }
}

TabStopList parseTabStops(const QString& sValue)
{
    if (sValue.isEmpty())
        return {{32}, std::nullopt};
    TabStopList list;
    for (const QString& item : sValue.split(QLatin1Char(','))) {
        const WholeNumber stop = toWholeNumber(item);
        if (stop.Error)
            return {{}, stop.Error};
        list.Units.push_back(stop.Value);
    }
    return list;
}
