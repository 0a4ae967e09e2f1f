#include "search/SearchSetup.h"

#include "search/RegExp.h"

void prepareSearch(RegExp& expression, const QString& pattern, bool ignoreCase)
{
    expression.setGlobal(true);
    expression.setMultiline(true);
    expression.setPattern(pattern);
    expression.setIgnoreCase(ignoreCase);
}
