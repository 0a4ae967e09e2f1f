#include "settings/SettingText.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QStringView withoutSign(QStringView text)
{
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        return text.sliced(1);
    return text;
}

} // namespace

QString valueToText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    return value.toString();
}

QString defaultToText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

std::optional<bool> textToBoolean(QStringView text)
{
    text = trimBlanks(text);
    if (text.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;

    // A decimal number: digits with at most one decimal point, at least one digit.
    const QStringView unsignedPart = withoutSign(text);
    bool sawDigit = false;
    bool sawPoint = false;
    bool nonZero = false;
    for (QChar c : unsignedPart) {
        if (isDigit(c)) {
            sawDigit = true;
            nonZero = nonZero || c != u'0';
        } else if (c == u'.' && !sawPoint) {
            sawPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    return nonZero;
}

std::optional<int> textToInteger(QStringView text)
{
    text = trimBlanks(text);
    const QStringView digits = withoutSign(text);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}
