#include "regex/SearchSetup.h"

#include "regex/RegExp.h"

void prepareSearch(RegExp& expression, const QString& pattern, bool ignoreCase)
{
    expression.setGlobal(true);
    expression.setMultiline(true);
    expression.setPattern(pattern);
    expression.setIgnoreCase(ignoreCase);
}
