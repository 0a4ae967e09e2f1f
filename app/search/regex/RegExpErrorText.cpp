#include "regex/RegExpErrorText.h"

#include <QCoreApplication>

namespace {

struct RegExpErrorTexts {
    Q_DECLARE_TR_FUNCTIONS(RegExpErrorTexts)
};

} // namespace

QString regExpErrorText(const RegExpError& error)
{
    switch (error.Number) {
    case RegExpError::SyntaxError:
    case RegExpError::ExpectedBracket:
    case RegExpError::ExpectedParen:
        return RegExpError::describe(error.Number);
    default:
        return RegExpErrorTexts::tr("Error: ") + error.Description + QLatin1Char(' ') + QString::number(error.Number);
    }
}
