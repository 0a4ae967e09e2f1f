#include "textex/PropertyValues.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

WholeNumber fromDouble(double value)
{
    if (!std::isfinite(value))
        return PropertyError::Overflow();
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return PropertyError::Overflow();
    return static_cast<int>(rounded);
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
        return vValue.toBool() ? -1 : 0;
    case QMetaType::Int:
        return vValue.toInt();
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
        return PropertyError::TypeMismatch();
    default:
        return PropertyError::TypeMismatch();
    }
}

Boolean toBoolean(const QVariant& vValue)
{
    switch (vValue.typeId()) {
    case QMetaType::Bool:
        return vValue.toBool();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = vValue.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        if (const auto number = numberFromText(text))
            return *number != 0.0;
        return PropertyError::TypeMismatch();
    }
    default: {
        const WholeNumber number = toWholeNumber(vValue);
        if (!number && number.error() == PropertyError::TypeMismatch())
            return number.error();
        return vValue.toDouble() != 0.0;
    }
    }
}

TabStopList parseTabStops(const QString& sValue)
{
    if (sValue.isEmpty())
        return std::vector<int>{32};
    std::vector<int> units;
    for (const QString& item : sValue.split(QLatin1Char(','))) {
        const WholeNumber stop = toWholeNumber(item);
        if (!stop)
            return stop.error();
        units.push_back(stop.value());
    }
    return units;
}
