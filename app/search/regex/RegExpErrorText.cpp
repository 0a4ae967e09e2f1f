#include "regex/RegExpErrorText.h"

QString regExpErrorText(const RegExpError& error)
{
    switch (error.Number) {
    case RegExpError::SyntaxError:
    case RegExpError::ExpectedBracket:
    case RegExpError::ExpectedParen:
        return RegExpError::describe(error.Number);
    default:
        return QStringLiteral("Error: ") + error.Description + QLatin1Char(' ') + QString::number(error.Number);
    }
}
