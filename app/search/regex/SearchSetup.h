#pragma once

#include <QString>

class RegExp;

/// Makes expression the search every part of the program runs: every match (Global), "^"
/// and "$" at each line's start and end (Multiline), and the pattern and case option as
/// given. Setting what expression already holds keeps its compiled form, so a search
/// with an unchanged pattern does not compile it again.
void prepareSearch(RegExp& expression, const QString& pattern, bool ignoreCase);
