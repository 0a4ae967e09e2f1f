#include "RegExpErrorText.h"

QString regExpErrorText(const RegExpError& error)
{
    switch (error.Number) {
    case RegExpError::SyntaxError:
        return QStringLiteral("Syntax error in regular expression");
    case RegExpError::ExpectedBracket:
        return QStringLiteral("Expected ']' in regular expression");
    case RegExpError::ExpectedParen:
        return QStringLiteral("Expected ')' in regular expression");
    default:
        return QStringLiteral("Error: ") + error.Description + QLatin1Char(' ') + QString::number(error.Number);
    }
}
