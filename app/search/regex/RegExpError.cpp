#include "regex/RegExpError.h"

QString RegExpError::describe(int number)
{
    switch (number) {
    case SyntaxError: return QStringLiteral("Syntax error in regular expression");
    case UnexpectedQuantifier: return QStringLiteral("Unexpected quantifier");
    case ExpectedBracket: return QStringLiteral("Expected ']' in regular expression");
    case ExpectedParen: return QStringLiteral("Expected ')' in regular expression");
    case InvalidRange: return QStringLiteral("Invalid range in character set");
    case TooMuchBacktracking:
        return QStringLiteral("The regular expression backtracks too much on this text; "
                              "simplify it, for example avoid nested repeats such as (a+)+");
    case PatternTooComplex:
        return QStringLiteral("The regular expression is too large or too complex");
    case ResultTooLong: return QStringLiteral("The result of the replacement would be too long");
    case Cancelled: return QStringLiteral("The search was cancelled");
    case TextTooLong: return QStringLiteral("The text is too long to search");
    case TooManyRepetitions:
        return QStringLiteral("The regular expression repeats a group too many times for this text");
    default: return QStringLiteral("Unexpected error in the regular-expression engine");
    }
}

RegExpError RegExpError::make(int number, qsizetype offset)
{
    return {number, describe(number), offset};
}
