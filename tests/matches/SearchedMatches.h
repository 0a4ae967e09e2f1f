#pragma once

#include "regex/RegExp.h"
#include "regex/SearchSetup.h"

/// Every match of pattern in text, found as the window's searches find them.
inline MatchCollection matchesOf(const QString& pattern, const QString& text)
{
    RegExp expression;
    prepareSearch(expression, pattern, false);
    return expression.Execute(text).value();
}
