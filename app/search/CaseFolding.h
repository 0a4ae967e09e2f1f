#pragma once

#include <QtGlobal>

/// Letter case as the pattern flavour folds it under Ignore Case: two code units match when
/// their canonical forms are equal. The canonical form is the simple upper case, except that a
/// non-ASCII code unit never folds onto an ASCII one (so KELVIN SIGN does not match k, nor LONG
/// S match s) and a code unit whose upper case lies outside the BMP stays as it is.
namespace CaseFolding {

/// The canonical form of c.
char16_t canonical(char16_t c);

/// The next code unit with the same canonical form as c, in a cycle through all of them;
/// c itself when no other code unit folds with it.
char16_t nextEquivalent(char16_t c);

} // namespace CaseFolding
