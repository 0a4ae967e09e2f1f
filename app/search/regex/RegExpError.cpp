#include "regex/RegExpError.h"

#include <QCoreApplication>

namespace {

struct RegExpErrorTexts {
    Q_DECLARE_TR_FUNCTIONS(RegExpErrorTexts)
};

} // namespace

QString RegExpError::describe(int number)
{
    switch (number) {
    case SyntaxError: return RegExpErrorTexts::tr("Syntax error in regular expression");
    case UnexpectedQuantifier: return RegExpErrorTexts::tr("Unexpected quantifier");
    case ExpectedBracket: return RegExpErrorTexts::tr("Expected ']' in regular expression");
    case ExpectedParen: return RegExpErrorTexts::tr("Expected ')' in regular expression");
    case InvalidRange: return RegExpErrorTexts::tr("Invalid range in character set");
    case TooMuchBacktracking:
        return RegExpErrorTexts::tr("The regular expression backtracks too much on this text; "
                                    "simplify it, for example avoid nested repeats such as (a+)+");
    case PatternTooComplex:
        return RegExpErrorTexts::tr("The regular expression is too large or too complex");
    case ResultTooLong: return RegExpErrorTexts::tr("The result of the replacement would be too long");
    case Cancelled: return RegExpErrorTexts::tr("The search was cancelled");
    case TextTooLong: return RegExpErrorTexts::tr("The text is too long to search");
    case TooManyRepetitions:
        return RegExpErrorTexts::tr("The regular expression repeats a group too many times for this text");
    default: return RegExpErrorTexts::tr("Unexpected error in the regular-expression engine");
    }
}

RegExpError RegExpError::make(int number, qsizetype offset)
{
    return {number, describe(number), offset};
}
