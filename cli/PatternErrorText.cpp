#include "PatternErrorText.h"

QString patternErrorText(const RegExpError& error)
{
    switch (error.Number) {
    case RegExpError::SyntaxError:
        return QStringLiteral("Syntax error in regular expression");
    case RegExpError::ExpectedBracket:
        return QStringLiteral("Expected ']' in regular expression");
    case RegExpError::ExpectedParen:
        return QStringLiteral("Expected ')' in regular expression");
    default:
        return QStringLiteral("Error: %1 %2").arg(error.Description).arg(error.Number);
    }
}
