#pragma once

#include "regex/RegExpError.h"

#include <QString>

/// The message for a failure of the regular-expression component: fixed texts for a syntax
/// error and a missing ']' or ')', otherwise "Error: " + description + " " + number.
QString regExpErrorText(const RegExpError& error);
