#pragma once

#include <QtGlobal>

/// Letter case as the pattern flavour folds it under Ignore Case: two code units match when
/// their canonical forms are equal. The canonical form is the upper case of the code unit alone,
/// from current Unicode data (CaseFoldingTable.cpp), except that a non-ASCII code unit never
/// folds onto an ASCII one (so KELVIN SIGN does not match k, nor LONG S match s) and a code unit
/// whose upper case is more than one code unit (U+00DF, U+1F80, or one outside the BMP) stays
/// as it is.
namespace CaseFolding {

/// The canonical form of c.
char16_t canonical(char16_t c);

/// The next code unit with the same canonical form as c, in a cycle through all of them;
/// c itself when no other code unit folds with it.
char16_t nextEquivalent(char16_t c);

} // namespace CaseFolding
